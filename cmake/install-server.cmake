# cmake --install of quandrel-server (the "server" component, its own Debian
# package): the command, its systemd unit, its manual page, the copyright file,
# the changelog and the API's documentation.
set(QUANDREL_SERVER_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quandrel-server)
# Where Debian 12 keeps the units that packages bring.
set(QUANDREL_SYSTEMD_UNITDIR "/lib/systemd/system" CACHE PATH "Folder for quandrel-server's systemd unit")

install(TARGETS quandrel-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT server)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quandrel-server.service
        DESTINATION ${QUANDREL_SYSTEMD_UNITDIR} COMPONENT server)

configure_file(${PROJECT_SOURCE_DIR}/packaging/server-copyright.in ${PROJECT_BINARY_DIR}/packaging/server/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/server-changelog.in ${PROJECT_BINARY_DIR}/packaging/server/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quandrel-server.1 ${PROJECT_BINARY_DIR}/packaging/server/quandrel-server.1 @ONLY)
set(server_compressed)
foreach(name changelog quandrel-server.1)
  set(plain ${PROJECT_BINARY_DIR}/packaging/server/${name})
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${QUANDREL_GZIP} -9n -c ${plain} > ${plain}.gz
    DEPENDS ${plain}
    VERBATIM)
  list(APPEND server_compressed ${plain}.gz)
endforeach()
add_custom_target(quandrel_server_package_docs ALL DEPENDS ${server_compressed})

install(FILES ${PROJECT_BINARY_DIR}/packaging/server/copyright ${PROJECT_BINARY_DIR}/packaging/server/changelog.gz
              ${PROJECT_SOURCE_DIR}/docs/server.md
        DESTINATION ${QUANDREL_SERVER_DOCDIR} COMPONENT server)
install(FILES ${PROJECT_BINARY_DIR}/packaging/server/quandrel-server.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT server)
