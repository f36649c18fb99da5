# game_module(NAME FOLDER DEPENDENCIES...)
#
# Builds the .cpp files of a folder into a static library that links the named
# modules. The program's entry point, app/main.cpp, is left out: the Linux
# program adds it, and the Windows program starts at the game's own WinMain.
function(game_module name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/app/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# game_tests(NAME FOLDER [BACKEND headless|sdl] LIBRARIES...)
#
# One GoogleTest program from the .cpp files of tests/FOLDER, linked with a
# host (headless unless said otherwise). Tests run in the run folder, where
# the data files lie. In a Windows build each program is one test run under
# Wine as a whole: Wine's start costs far more than any test case, so one
# process per suite rather than one per case.
function(game_tests name folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "BACKEND" "")
  if(NOT arg_BACKEND)
    set(arg_BACKEND headless)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${arg_UNPARSED_ARGUMENTS} platform_${arg_BACKEND} GTest::gtest
                                        GTest::gmock GTest::gtest_main)
  if(arg_BACKEND STREQUAL "sdl")
    target_link_libraries(${name} PRIVATE PkgConfig::SDL2)
  endif()
  target_link_options(${name} PRIVATE ${GAME_WEB_TEST_LINK_OPTIONS})
  add_dependencies(${name} game_data)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${GAME_RUN_DIR} TIMEOUT 900
                                            LABELS suite)
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${GAME_RUN_DIR} DISCOVERY_MODE PRE_TEST
                         PROPERTIES TIMEOUT 600)
  endif()
endfunction()
