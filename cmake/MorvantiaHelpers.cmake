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

# Whether the cross build's test programs can run on this machine: Wine may
# lack 32-bit support, or the kernel may not execute 32-bit code at all.
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --can-run ${CMAKE_SYSTEM_PROCESSOR}
    RESULT_VARIABLE _morvantia_can_run
    OUTPUT_QUIET ERROR_QUIET)
  if(_morvantia_can_run EQUAL 0)
    set(MORVANTIA_CAN_RUN_TESTS ON)
  else()
    set(MORVANTIA_CAN_RUN_TESTS OFF)
    message(STATUS "This machine cannot run ${CMAKE_SYSTEM_PROCESSOR} Windows programs: "
                   "their tests are registered as disabled")
  endif()
else()
  set(MORVANTIA_CAN_RUN_TESTS ON)
endif()

# add_morvantia_test(name [SCREEN] SOURCES ... LIBS ...): one test executable
# whose cases ctest discovers (through the emulator for Windows builds).
# SCREEN: the cases show windows and read pixels back from the one shared
# screen, where another test's window could cover them; such cases never run
# at the same time as each other, even under ctest -j.
function(add_morvantia_test name)
  cmake_parse_arguments(ARG "SCREEN" "" "SOURCES;LIBS" ${ARGN})
  set(_properties TIMEOUT 300)
  if(ARG_SCREEN)
    list(APPEND _properties RESOURCE_LOCK screen)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${MORVANTIA_GMOCK} ${MORVANTIA_GTEST_MAIN})
  target_include_directories(${name} PRIVATE ${MORVANTIA_SOURCE_ROOT})
  if(NOT MORVANTIA_CAN_RUN_TESTS)
    # Listed, so a run shows what it left out, but never counted as passed.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES DISABLED TRUE)
    return()
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Cases are listed when ctest starts, inside the test run's Wine
    # session, so building needs no Wine.
    set(_discovery_mode PRE_TEST)
  else()
    set(_discovery_mode POST_BUILD)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE ${_discovery_mode}
    # Cases are named by their tables; the default would add the parameter
    # bytes (addresses that change from run to run) to the test names.
    NO_PRETTY_VALUES
    PROPERTIES ${_properties})
endfunction()

# The version header of every program and of the DLL's version resource.
configure_file(${CMAKE_CURRENT_LIST_DIR}/morvantia_version.h.in
               ${PROJECT_BINARY_DIR}/generated/morvantia_version.h @ONLY)
add_library(morvantia_version INTERFACE)
target_include_directories(morvantia_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
