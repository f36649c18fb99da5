# The page a static web server serves (`make web`): build-web/site/ with
# index.html, the program's .js and .wasm, and the eight data files, which the
# page fetches by name at start-up so that a site owner can swap one without
# a rebuild.
if(NOT TARGET stackwell)
  return()
endif()
set(site_folder ${CMAKE_BINARY_DIR}/site)
set_target_properties(stackwell PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site_folder})
# The game's loops block; ASYNCIFY turns their sleeps into returns to the
# browser. The page starts the program itself once the data files are in.
target_link_options(
  stackwell PRIVATE -sASYNCIFY -sINVOKE_RUN=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=['callMain','FS']" -sENVIRONMENT=web)
set(site_data_files ${GAME_DATA_FILES})
list(FILTER site_data_files EXCLUDE REGEX "\\.ico$")
add_custom_command(
  TARGET stackwell POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/platform/hosts/web/index.html ${site_data_files}
          ${site_folder}
  VERBATIM)
