# Installing like any Linux game, in the places Debian gives games: the
# launcher in games/ (on every player's PATH), the binary in libexec, its data
# in share/games/mossgrave, a desktop entry, icons, store metadata, a man page
# and the copyright. `cmake --install` and the Debian package (Package.cmake)
# use the same rules. `cmake --build <dir> --target uninstall` removes what the
# last `cmake --install` wrote.
include(GNUInstallDirs)

# The reverse-DNS name the desktop entry and the store metadata are filed under.
set(MOSSGRAVE_APP_ID io.github.mossgrave.Mossgrave)
set(MOSSGRAVE_HOMEPAGE https://github.com/mossgrave/mossgrave)
set(MOSSGRAVE_MAINTAINER "The Mossgrave developers <mossgrave@users.noreply.github.com>")
# One folder below the prefix: the launcher finds the prefix as its parent.
set(MOSSGRAVE_INSTALL_GAMESDIR games)
set(MOSSGRAVE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/mossgrave)
set(MOSSGRAVE_INSTALL_LIBEXECDIR ${CMAKE_INSTALL_LIBEXECDIR}/mossgrave)
set(MOSSGRAVE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/mossgrave)

set(packagingOut ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in ${packagingOut}/mossgrave @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mossgrave.6.in ${packagingOut}/mossgrave.6 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mossgrave.metainfo.xml.in
  ${packagingOut}/${MOSSGRAVE_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${packagingOut}/changelog COPYONLY)
# Debian keeps man pages and changelogs compressed, without a time stamp so
# that the same sources give the same package.
add_custom_command(OUTPUT ${packagingOut}/mossgrave.6.gz ${packagingOut}/changelog.gz
  COMMAND gzip -9nkf ${packagingOut}/mossgrave.6 ${packagingOut}/changelog
  DEPENDS ${packagingOut}/mossgrave.6 ${packagingOut}/changelog
  COMMENT "Compressing the man page and the changelog")
add_custom_target(packaging_files ALL DEPENDS ${packagingOut}/mossgrave.6.gz ${packagingOut}/changelog.gz)

install(TARGETS mossgrave RUNTIME DESTINATION ${MOSSGRAVE_INSTALL_LIBEXECDIR})
install(PROGRAMS ${packagingOut}/mossgrave DESTINATION ${MOSSGRAVE_INSTALL_GAMESDIR})
install(DIRECTORY ${MOSSGRAVE_RUN_DIR}/shader ${MOSSGRAVE_RUN_DIR}/textures
  ${MOSSGRAVE_RUN_DIR}/models ${MOSSGRAVE_RUN_DIR}/sounds
  DESTINATION ${MOSSGRAVE_INSTALL_DATADIR}
  # Notes for developers are no data of the game's.
  PATTERN README.md EXCLUDE)
# The data generator draws the icon at each size a menu asks for.
foreach(size 48 64 128 256)
  install(FILES ${MOSSGRAVE_RUN_DIR}/preview/icon-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME mossgrave.png)
endforeach()
install(FILES ${packagingOut}/${MOSSGRAVE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packagingOut}/mossgrave.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${packagingOut}/changelog.gz
  DESTINATION ${MOSSGRAVE_INSTALL_DOCDIR})
# The desktop entry names the launcher by its full path, known only once the
# prefix is (`cmake --install --prefix` may change it). Each prefix gets its
# own copy, so installs into different places can run at the same time.
install(CODE "
  set(MOSSGRAVE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${MOSSGRAVE_INSTALL_GAMESDIR}/mossgrave\")
  string(MD5 where \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(entry \"${packagingOut}/desktop-\${where}/${MOSSGRAVE_APP_ID}.desktop\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/mossgrave.desktop.in\" \"\${entry}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
    TYPE FILE FILES \"\${entry}\")
  file(REMOVE_RECURSE \"${packagingOut}/desktop-\${where}\")
")

# The manifest CMake writes leaves DESTDIR out; uninstall needs it back.
install(CODE "file(WRITE \"${packagingOut}/install_destdir.txt\" \"\$ENV{DESTDIR}\")")
configure_file(${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake.in ${packagingOut}/uninstall.cmake @ONLY)
add_custom_target(uninstall COMMAND ${CMAKE_COMMAND} -P ${packagingOut}/uninstall.cmake
  COMMENT "Removing the files of the last install")
