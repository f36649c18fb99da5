# What a browser build (emscripten: `emcmake cmake`, see `make web`) does
# instead of finding SDL2 and the system's GoogleTest: GoogleTest is built from
# Debian's source package, and the test programs run under Node.js.

# The browser runs one thread, and the tests need no other.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
include(cmake/googletest-source.cmake)

# Every test program runs under Node.js with the machine's own files in view
# (NODERAWFS), so it reads the data files from the run folder as the other
# systems' tests do. This emscripten loads its code with fetch where fetch is
# there, which Node.js has but cannot use on a file name. (emcmake's own choice of
# emulator, with flags for threads, is replaced.)
find_program(GAME_NODE_PROGRAM NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${GAME_NODE_PROGRAM} --no-experimental-fetch)
# Every browser of the last years runs wasm's vector instructions, which halve
# the cost of drawing a frame.
add_compile_options(-msimd128)
add_link_options(-sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
set(GAME_WEB_TEST_LINK_OPTIONS -sNODERAWFS=1)

# The page and the program once every target is made.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL include
               ${PROJECT_SOURCE_DIR}/cmake/web-site.cmake)
