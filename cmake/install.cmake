# Where an installation puts the game, as Debian lays out games: the launcher
# on the players' path in games/, the program beside it in lib/games/, the data
# in share/games/. All relative to the prefix, so `cmake --install --prefix`
# works anywhere.
include(GNUInstallDirs)
set(GAME_LAUNCHER_DIR games CACHE STRING "Folder of the launcher, relative to the prefix")
set(GAME_PROGRAM_DIR lib/games/stackwell CACHE STRING "Folder of the program, relative to the prefix")
set(GAME_DATA_DIR share/games/stackwell CACHE STRING "Folder of the data files, relative to the prefix")
set(GAME_MAINTAINER "Stackwell developers <stackwell@example.org>"
    CACHE STRING "Maintainer named in the package and its changelog")

install(TARGETS stackwell RUNTIME DESTINATION ${GAME_PROGRAM_DIR})
# The eight files the game reads; the .ico in the run folder is only a copy of
# the icon the program carries.
set(installed_data ${GAME_DATA_FILES})
list(FILTER installed_data EXCLUDE REGEX "\\.ico$")
install(FILES ${installed_data} DESTINATION ${GAME_DATA_DIR})
foreach(size ${GAME_ICON_THEME_SIZES})
  install(FILES ${GAME_GENERATED_DIR}/stackwell-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME stackwell.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# install_from_template(TEMPLATE NAME DESTINATION FILE|PROGRAM [GZIP]): a file
# filled in with the installation's own paths (cmake/install_from_template.cmake).
function(install_from_template template name destination type)
  set(gzip OFF)
  if("GZIP" IN_LIST ARGN)
    set(gzip ON)
  endif()
  install(CODE "
    set(GAME_TEMPLATE [[${PROJECT_SOURCE_DIR}/packaging/${template}]])
    set(GAME_NAME [[${name}]])
    set(GAME_DESTINATION [[${destination}]])
    set(GAME_FILE_TYPE ${type})
    set(GAME_GZIP ${gzip})
    set(GAME_STAGING [[${CMAKE_BINARY_DIR}/packaging]])
    set(GAME_LAUNCHER_DIR [[${GAME_LAUNCHER_DIR}]])
    set(GAME_PROGRAM_DIR [[${GAME_PROGRAM_DIR}]])
    set(GAME_DATA_DIR [[${GAME_DATA_DIR}]])
    set(GAME_VERSION [[${PROJECT_VERSION}]])
    set(GAME_MAINTAINER [[${GAME_MAINTAINER}]])")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/install_from_template.cmake)
endfunction()

install_from_template(stackwell.sh.in stackwell ${GAME_LAUNCHER_DIR} PROGRAM)
install_from_template(stackwell.desktop.in stackwell.desktop
                      ${CMAKE_INSTALL_DATAROOTDIR}/applications FILE)
install_from_template(stackwell.6.in stackwell.6 ${CMAKE_INSTALL_MANDIR}/man6 FILE GZIP)
install_from_template(changelog.in changelog ${CMAKE_INSTALL_DOCDIR} FILE GZIP)
