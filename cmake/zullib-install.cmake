# cmake --install: the header, the library and the package files for
# find_package(zullib) (component "development"), and the programs.
include(CMakePackageConfigHelpers)
install(TARGETS zullib zullib_parallel EXPORT zullibTargets ARCHIVE DESTINATION lib COMPONENT development)
install(FILES include/zullib.h DESTINATION include COMPONENT development)
install(EXPORT zullibTargets NAMESPACE zullib:: DESTINATION lib/cmake/zullib
        COMPONENT development)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zullibConfigVersion.cmake
                                 VERSION 7.0 COMPATIBILITY SameMajorVersion)
install(FILES cmake/zullibConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/zullibConfigVersion.cmake
              cmake/zullib-application.cmake cmake/zullib-app.rc.in cmake/zullib-app.manifest
        DESTINATION lib/cmake/zullib COMPONENT development)
install(TARGETS lenti hello RUNTIME DESTINATION bin COMPONENT programs)
