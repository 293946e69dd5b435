# cmake --install of quandrel-server (the "server" component, its own Debian
# package): the command, its systemd unit, its manual page, the copyright file,
# the changelog and the API's documentation.

# Where Debian 12 keeps the units that packages bring.
set(QUANDREL_SYSTEMD_UNITDIR "/lib/systemd/system" CACHE PATH "Folder for quandrel-server's systemd unit")

install(TARGETS quandrel-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT server)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quandrel-server.service
        DESTINATION ${QUANDREL_SYSTEMD_UNITDIR} COMPONENT server)

quandrel_package_docs(TARGET quandrel_server_package_docs FOLDER ${PROJECT_BINARY_DIR}/packaging/server
  COPYRIGHT server-copyright.in CHANGELOG server-changelog.in MANUAL quandrel-server.1
  DOCS ${PROJECT_SOURCE_DIR}/docs/server.md
  DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quandrel-server COMPONENT server)
