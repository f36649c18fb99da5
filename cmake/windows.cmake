# What a Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake) does
# instead of finding SDL2 and the system's GoogleTest: GoogleTest is built
# from Debian's source package, and the test programs run under Wine.

include(cmake/googletest-source.cmake)

# Every test program (and every add_test of a Windows program) runs through
# Wine in a prefix of its own under the build folder, with Wine's own chatter
# turned off; see scripts/wine-run.sh. Set before any target is made: targets
# take their emulator from this variable when they are created.
set(GAME_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix
    CACHE PATH "The throwaway Wine prefix the Windows test programs run in")
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${GAME_WINE_PREFIX})
endif()

# The checks and the zip of the program, once the whole tree is read and the
# program target exists.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL include
               ${PROJECT_SOURCE_DIR}/cmake/windows-program.cmake)
