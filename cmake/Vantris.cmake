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
  if(limits)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${limits})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# vantris_sanitizer_defaults(): called last, in a sanitizer build; every
# executable of the tree links the sanitizers' built-in settings
# (cmake/sanitizer_defaults.cpp), so none needs them from the environment.
function(vantris_sanitizer_defaults)
  add_library(vantris_sanitizer_defaults OBJECT ${PROJECT_SOURCE_DIR}/cmake/sanitizer_defaults.cpp)
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${target} PRIVATE vantris_sanitizer_defaults)
      endif()
    endforeach()
  endwhile()
endfunction()
