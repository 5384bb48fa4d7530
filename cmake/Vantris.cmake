# Helpers shared by the folders' CMakeLists.

# vantris_sources(<var> <dir>...): every .cpp directly inside the given folders.
function(vantris_sources var)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# vantris_test(<name> <dir> LIBS ... [TIMEOUT s] [COST c]): one GoogleTest
# executable from every *_test.cpp in <dir> (and its sub-folders); each test
# case is a CTest test.  A long test program gives its limit and a high cost,
# which makes ctest start its tests first.
function(vantris_test name dir)
  cmake_parse_arguments(T "" "TIMEOUT;COST" "LIBS" ${ARGN})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  if(NOT files)
    return()
  endif()
  add_executable(${name} ${files})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vantris_testsupport GTest::gtest GTest::gtest_main)
  set(limits)
  if(T_TIMEOUT)
    list(APPEND limits TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_COST)
    list(APPEND limits COST ${T_COST})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ${limits}
                         ENVIRONMENT "VANTRIS_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
                         # A second variable goes in its own property: a list
                         # value does not survive the test discovery.
                         ENVIRONMENT_MODIFICATION
                         "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endfunction()
