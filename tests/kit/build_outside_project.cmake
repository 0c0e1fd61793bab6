# Installs the library from BUILD_DIR into a fresh prefix under WORK_DIR and
# builds the hello example there as a project of its own against that copy.
# Run with: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P this file
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "failed (${code}): ${ARGN}\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --build ${BUILD_DIR} --target zullib)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --component development --prefix ${WORK_DIR}/prefix)
foreach(installed include/zullib.h lib/libzullib.a lib/cmake/zullib/zullibConfig.cmake)
  if(NOT EXISTS ${WORK_DIR}/prefix/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
# The example's sources copied away from the tree, so nothing can reach it.
file(COPY ${SOURCE_DIR}/examples/hello DESTINATION ${WORK_DIR})
run(${CMAKE_COMMAND} -S ${WORK_DIR}/hello -B ${WORK_DIR}/build
    -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/mingw-i686-posix.cmake
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
if(NOT EXISTS ${WORK_DIR}/build/hello.exe)
  message(FATAL_ERROR "hello.exe was not built")
endif()
message(STATUS "built ${WORK_DIR}/build/hello.exe against ${WORK_DIR}/prefix")
