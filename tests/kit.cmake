zul_add_test_program(test_app_resources test_app_resources.cpp)
target_link_libraries(test_app_resources PRIVATE version)
add_dependencies(test_app_resources lenti hello)
add_test(NAME kit_outside_project
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/outside_project
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/kit/build_outside_project.cmake)
set_tests_properties(kit_outside_project PROPERTIES TIMEOUT 300)
