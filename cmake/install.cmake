# cmake --install: the executable in one folder with Images/ and Sounds/ beside
# it and a marker saying it is installed, the quandrel command on the PATH, the
# desktop entry, the icons and the AppStream metadata.
include(GNUInstallDirs)

set(QUANDREL_APP_ID "org.quandrel.Quandrel")
set(QUANDREL_INSTALL_APPDIR "lib/quandrel" CACHE STRING
    "Folder under the prefix for the game executable and its Images and Sounds")

install(TARGETS quandrel RUNTIME DESTINATION ${QUANDREL_INSTALL_APPDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/Images ${PROJECT_SOURCE_DIR}/assets/Sounds
        DESTINATION ${QUANDREL_INSTALL_APPDIR})
# Its presence sends the settings file to the user's configuration folder, as an
# installed copy cannot write beside its executable.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quandrel.installed DESTINATION ${QUANDREL_INSTALL_APPDIR})

# bin/quandrel, a relative link, so the tree can be moved (and staged with DESTDIR).
file(RELATIVE_PATH quandrel_link_target "/${CMAKE_INSTALL_BINDIR}" "/${QUANDREL_INSTALL_APPDIR}/quandrel")
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quandrel\")
  message(STATUS \"Installing: \${link} -> ${quandrel_link_target}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(REMOVE \"\${link}\")
  file(CREATE_LINK \"${quandrel_link_target}\" \"\${link}\" SYMBOLIC)
")

configure_file(${PROJECT_SOURCE_DIR}/packaging/quandrel.desktop.in
               ${PROJECT_BINARY_DIR}/packaging/${QUANDREL_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quandrel.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${QUANDREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${QUANDREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${QUANDREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/quandrel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUANDREL_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quandrel RENAME font-LICENSE)
