# GoogleTest and GoogleMock from source (package googletest), for a build
# for another system, whose libraries Debian does not have. Built with their
# own warning flags: this file is included before the game's.
set(GAME_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest's source folder, built along with the game")
if(NOT EXISTS ${GAME_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's source is missing at ${GAME_GOOGLETEST_SOURCE}: "
                      "install Debian's package googletest")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GAME_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(library gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()
