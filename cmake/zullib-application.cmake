# zul_add_application(NAME SOURCES...)
# Makes a ZULLIB application from sources that define AppSetup and AppMain: a
# Windows GUI program linked with zullib, carrying a manifest that declares it
# DPI-aware (so that a picture at 100% shows one screen pixel per pixel) and
# the version resource "ZULLIB 7.0".
enable_language(RC)
set(ZUL_APPLICATION_FILES ${CMAKE_CURRENT_LIST_DIR})

function(zul_add_application name)
  set(ZUL_APP_NAME ${name})
  set(ZUL_APP_MANIFEST ${ZUL_APPLICATION_FILES}/zullib-app.manifest)
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${name}-resources.rc)
  configure_file(${ZUL_APPLICATION_FILES}/zullib-app.rc.in ${resources} @ONLY)
  add_executable(${name} ${ARGN} ${resources})
  target_link_libraries(${name} PRIVATE zullib::zullib)
  target_link_options(${name} PRIVATE -mwindows)
endfunction()
