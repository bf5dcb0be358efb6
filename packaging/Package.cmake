# A Debian package from the install rules: `cpack -G DEB` in a Release build
# folder writes mossgrave_<version>_<arch>.deb, installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mossgrave)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Mossgrave developers")
set(CPACK_PACKAGE_CONTACT "${MOSSGRAVE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person survival game in an endless voxel night")
set(CPACK_PACKAGE_DESCRIPTION
  "Mossgrave is a single-player, first-person survival game in an endless voxel
world of forest and desert, always at night. Search the village houses,
towers, pyramids, crypts, mineshafts, camps and balloons of a landscape
generated around you for cats locked in cages, and free them. The more cats
follow you, the more often Death comes for you.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install rules give paths below the prefix; installing into DESTDIR
# keeps CMAKE_INSTALL_PREFIX at /usr, so the desktop entry names
# /usr/games/mossgrave and not the folder the package is assembled in.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MOSSGRAVE_HOMEPAGE}")
# The libraries come from what the binary links; the GUI's serif font is
# loaded by name at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The launcher shows a failed start in whichever of these is installed.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity | kdialog | libnotify-bin")

include(CPack)
