# `make package` (cpack): a Debian package of what cmake/install.cmake installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stackwell)
set(CPACK_PACKAGE_VENDOR "The Stackwell developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle game for one player")
set(CPACK_PACKAGE_DESCRIPTION
    "Pieces of four blocks, in seven shapes, drop one at a time into a well ten\n\
columns wide and twenty-three rows deep. Steer them as they fall; a row\n\
filled from wall to wall vanishes and the rows above drop into its place.\n\
A run is a title screen, three games that share one score, and an end\n\
screen that shows it. The game takes the whole screen and is played with\n\
the keyboard.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GAME_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the program links, with the versions it needs, as
# dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The prefix the packaged files are filled in with (cmake/install.cmake): the
# staging folder is DESTDIR, so CMAKE_INSTALL_PREFIX stays /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
