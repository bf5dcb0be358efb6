# Installing like any Linux game: the binary in libexec, its data in
# share/mossgrave, a launcher on the PATH, and a desktop entry with an icon.
# `cmake --build <dir> --target uninstall` removes what the last install wrote.
include(GNUInstallDirs)

configure_file(${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in ${CMAKE_BINARY_DIR}/packaging/mossgrave @ONLY)

install(TARGETS mossgrave RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/mossgrave)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/mossgrave DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${MOSSGRAVE_RUN_DIR}/shader ${MOSSGRAVE_RUN_DIR}/textures
  ${MOSSGRAVE_RUN_DIR}/models ${MOSSGRAVE_RUN_DIR}/sounds
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mossgrave)
install(FILES ${MOSSGRAVE_RUN_DIR}/preview/icon.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME mossgrave.png)
# The desktop entry names the launcher by its full path, known only once the
# prefix is (`cmake --install --prefix` may change it).
install(CODE "
  set(MOSSGRAVE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/mossgrave\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/mossgrave.desktop.in\"
    \"${CMAKE_BINARY_DIR}/packaging/mossgrave.desktop\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/mossgrave.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake.in ${CMAKE_BINARY_DIR}/packaging/uninstall.cmake @ONLY)
add_custom_target(uninstall COMMAND ${CMAKE_COMMAND} -P ${CMAKE_BINARY_DIR}/packaging/uninstall.cmake
  COMMENT "Removing the files of the last install")
