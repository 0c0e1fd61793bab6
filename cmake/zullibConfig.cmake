# find_package(zullib): the imported library zullib::zullib (header, static
# library and the system libraries it needs) and zul_add_application().
include(${CMAKE_CURRENT_LIST_DIR}/zullibTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/zullib-application.cmake)
