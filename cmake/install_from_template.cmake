# Run by `cmake --install` (and by CPack) for each file made from a template
# in packaging/: the launcher, the desktop entry, the manual page and the
# changelog. They name the installed game's paths, so they are filled in here,
# with the prefix of this installation, which `cmake --install --prefix` may
# have changed since the build was configured. The caller sets GAME_TEMPLATE,
# GAME_NAME, GAME_DESTINATION (relative to the prefix), GAME_FILE_TYPE (FILE or
# PROGRAM), GAME_GZIP and GAME_STAGING (a build folder to fill them in).
set(GAME_LAUNCHER "${CMAKE_INSTALL_PREFIX}/${GAME_LAUNCHER_DIR}/stackwell")
set(GAME_PROGRAM "${CMAKE_INSTALL_PREFIX}/${GAME_PROGRAM_DIR}/stackwell")
set(GAME_DATA "${CMAKE_INSTALL_PREFIX}/${GAME_DATA_DIR}")

set(filled "${GAME_STAGING}/${GAME_NAME}")
configure_file("${GAME_TEMPLATE}" "${filled}" @ONLY)
if(GAME_GZIP)
  # -n leaves out the name and time, so that every build packs the same bytes.
  execute_process(COMMAND gzip -9nf "${filled}" COMMAND_ERROR_IS_FATAL ANY)
  set(filled "${filled}.gz")
endif()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${GAME_DESTINATION}" TYPE ${GAME_FILE_TYPE}
     FILES "${filled}")
