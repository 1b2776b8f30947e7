# One static library per subsystem folder and one test program per test folder. Sources are
# globbed so that adding a file to a folder needs no edit here.

set(ORN_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12's flow-based bounds and overlap checks report inlined standard-library code that
  # cannot overlap (std::string assignment and concatenation at -O3, a known fault of that
  # release). They are off there, so that a clean build prints no warning; the sanitizer build
  # checks real accesses.
  list(APPEND ORN_WARNINGS -Wno-restrict -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()
if(ORN_FUZZ)
  # The instrumented fuzz build is compiled by clang; the regular builds check the warnings.
  set(ORN_WARNINGS -w)
endif()

function(orn_add_module name dir)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(NOT sources)
    # A folder with no sources is not a module: an empty library only costs a rebuild.
    message(FATAL_ERROR "${dir} has no sources; take ${name} out of the stack")
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${ORN_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_PRIVATE_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_PRIVATE_DEPS})
  endif()
endfunction()

# PLATFORM chooses the Qt platform the tests run on (offscreen unless given).
function(orn_add_tests name dir)
  cmake_parse_arguments(ARG "" "PLATFORM" "DEPS" ${ARGN})
  if(NOT ARG_PLATFORM)
    set(ARG_PLATFORM offscreen)
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${ORN_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ORN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_LIST ${name}_TESTS)
  # The discovered tests get their environment from a script run after discovery: a list value
  # handed to gtest_discover_tests' PROPERTIES loses all but its first element.
  set(env_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_script} "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"QT_QPA_PLATFORM=${ARG_PLATFORM};ORN_RESOURCE_DIR=${PROJECT_SOURCE_DIR}/resources;LC_ALL=C.UTF-8\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_script})
endfunction()
