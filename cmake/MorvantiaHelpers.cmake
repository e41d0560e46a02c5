# Shared helpers of the build.

# Where the sample data and other test inputs live.
set(MORVANTIA_SOURCE_ROOT ${CMAKE_CURRENT_SOURCE_DIR})

# GoogleTest: the system package natively, compiled from the machine's
# sources with the cross compiler for Windows builds.
macro(morvantia_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    if(NOT TARGET gtest)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
      set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(MORVANTIA_GTEST_MAIN gtest_main)
    set(MORVANTIA_GTEST gtest)
    set(MORVANTIA_GMOCK gmock)
  else()
    find_package(GTest REQUIRED)
    set(MORVANTIA_GTEST_MAIN GTest::gtest_main)
    set(MORVANTIA_GTEST GTest::gtest)
    set(MORVANTIA_GMOCK GTest::gmock)
  endif()
  include(GoogleTest)
endmacro()

# add_morvantia_test(name SOURCES ... LIBS ...): one test executable whose
# cases ctest discovers (through the emulator for Windows builds).
function(add_morvantia_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${MORVANTIA_GMOCK} ${MORVANTIA_GTEST_MAIN})
  target_include_directories(${name} PRIVATE ${MORVANTIA_SOURCE_ROOT})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 300)
endfunction()
