# Every top-level folder is one library made of the .cpp files below it.
# A file named main.cpp is a program's entry and stays out of the library.
# Libraries and test programs are compiled in batches of 16 files, which
# read their common headers once: a fifth less compiling than batches of 8,
# at the price of a larger batch to compile again after a change.
function(quorvane_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;PACKAGES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_PACKAGES})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS} ${ARG_PACKAGES})
  endif()
endfunction()

# Most of the build's time went into compiling test code, whose assertion
# macros expand into far more code than the code under test. So test code is
# compiled without optimisation, with line tables only, and under
# AddressSanitizer alone (the libraries under test keep every check of
# UndefinedBehaviorSanitizer too); the test frameworks' headers are precompiled once, by the target
# made here, and every test program reuses them, which needs the same options
# everywhere.
function(quorvane_test_code_options target)
  target_compile_options(${target} PRIVATE -O0 -g1)
  if(QUORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fno-sanitize=undefined,float-cast-overflow)
  endif()
endfunction()

function(quorvane_test_headers)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/TestHeaders.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// The test frameworks' headers, precompiled once for every test program.\n")
  add_library(quorvane_test_headers OBJECT ${source})
  target_link_libraries(quorvane_test_headers PRIVATE GTest::gtest GTest::gmock)
  quorvane_test_code_options(quorvane_test_headers)
  target_precompile_headers(quorvane_test_headers PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
endfunction()

# One test program per folder of tests/, made of the .cpp files in that folder
# and its sub-folders, except sub-folders that are test programs of their own.
# With NO_TEST the folder adds its own tests of the program. A program given
# SHARDS runs as that many tests, each with its share of the test cases, so
# that a long program keeps every core busy instead of finishing alone; they
# are started before the others.
function(quorvane_test_suite name)
  cmake_parse_arguments(ARG "NO_TEST" "SHARDS" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  file(GLOB_RECURSE nested_suites CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt")
  foreach(nested_suite ${nested_suites})
    get_filename_component(nested_dir ${nested_suite} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${nested_dir}/")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} quorvane_test_main)
  quorvane_test_code_options(${name})
  target_precompile_headers(${name} REUSE_FROM quorvane_test_headers)
  # One program is one test: starting a sanitized process per test case cost
  # far more than the cases themselves.
  if(ARG_NO_TEST)
    return()
  endif()
  if(NOT ARG_SHARDS)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    return()
  endif()
  math(EXPR last_shard "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last_shard})
    add_test(NAME ${name}_shard${shard} COMMAND ${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(${name}_shard${shard} PROPERTIES COST 1000
                         ENVIRONMENT "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()
