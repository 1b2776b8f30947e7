# The application's version and build stamp, fixed when the build is configured: the project
# version, and the source revision with its commit date and time ("unknown" outside a git
# checkout). A commit re-runs the configuration, so the stamp follows the sources.
function(orn_add_build_stamp target)
  set(ORN_BUILD_REVISION "unknown")
  find_package(Git QUIET)
  if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
    execute_process(
      COMMAND "${GIT_EXECUTABLE}" log -1 "--format=%h %cd" "--date=format:%Y-%m-%d %H:%M:%S"
      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
      OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND revision)
      set(ORN_BUILD_REVISION "${revision}")
    endif()
    if(EXISTS "${PROJECT_SOURCE_DIR}/.git/logs/HEAD")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/.git/logs/HEAD")
    endif()
  endif()
  set(ORN_APP_VERSION "${PROJECT_VERSION}")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/BuildStampValues.h.in" "${CMAKE_BINARY_DIR}/generated/${target}/BuildStampValues.h" @ONLY)
  target_include_directories(${target} PRIVATE "${CMAKE_BINARY_DIR}/generated/${target}")
endfunction()
