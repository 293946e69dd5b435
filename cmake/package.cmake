# The Debian packages (cpack -G DEB, or scripts/make-deb.sh): what cmake --install
# puts under /usr, plus the copyright file, the changelog and the manual page
# that Debian's policy asks for, with dependencies read from the executable by
# dpkg-shlibdeps. One package per install component: quandrel (the game, the
# component "game") and, when it is built, quandrel-server ("server").
if(EMSCRIPTEN)
  return()
endif()

set(QUANDREL_MAINTAINER "Quandrel developers <quandrel@example.org>" CACHE STRING
    "Maintainer named in the Debian package and its changelog")

find_program(QUANDREL_GZIP gzip REQUIRED)
# The files Debian's policy asks of a package, from packaging/: its COPYRIGHT
# and CHANGELOG (configured as "copyright" and "changelog") and its MANUAL page
# (its section is its last extension), configured into the build's FOLDER. The
# changelog and the manual are compressed as Debian wants them: the most, and
# without a time stamp (-n), so the same sources give the same bytes; TARGET
# makes them. The copyright, the changelog and any further DOCS go to DOCDIR,
# the manual to its section's folder, all in COMPONENT.
function(quandrel_package_docs)
  cmake_parse_arguments(PARSE_ARGV 0 docs "" "TARGET;FOLDER;COPYRIGHT;CHANGELOG;MANUAL;DOCDIR;COMPONENT" "DOCS")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${docs_COPYRIGHT} ${docs_FOLDER}/copyright @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${docs_CHANGELOG} ${docs_FOLDER}/changelog @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${docs_MANUAL} ${docs_FOLDER}/${docs_MANUAL} @ONLY)
  set(compressed)
  foreach(name changelog ${docs_MANUAL})
    set(plain ${docs_FOLDER}/${name})
    add_custom_command(OUTPUT ${plain}.gz
      COMMAND ${QUANDREL_GZIP} -9n -c ${plain} > ${plain}.gz
      DEPENDS ${plain}
      VERBATIM)
    list(APPEND compressed ${plain}.gz)
  endforeach()
  add_custom_target(${docs_TARGET} ALL DEPENDS ${compressed})

  install(FILES ${docs_FOLDER}/copyright ${docs_FOLDER}/changelog.gz ${docs_DOCS}
          DESTINATION ${docs_DOCDIR} COMPONENT ${docs_COMPONENT})
  cmake_path(GET docs_MANUAL EXTENSION LAST_ONLY section)
  string(SUBSTRING ${section} 1 -1 section)
  install(FILES ${docs_FOLDER}/${docs_MANUAL}.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${docs_COMPONENT})
endfunction()

quandrel_package_docs(TARGET quandrel_package_docs FOLDER ${PROJECT_BINARY_DIR}/packaging
  COPYRIGHT copyright.in CHANGELOG changelog.in MANUAL quandrel.6
  DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quandrel COMPONENT game)

# Installed as the system's own (the package, under /usr), the command is also
# where Debian keeps games' commands: /usr/games/quandrel.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(link \"\$ENV{DESTDIR}/usr/games/quandrel\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}/usr/games\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"../lib/quandrel/quandrel\" \"\${link}\" SYMBOLIC)
  endif()
")
if(TARGET quandrel-server)
  include(${CMAKE_CURRENT_LIST_DIR}/install-server.cmake)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_PACKAGE_NAME quandrel)
set(CPACK_PACKAGE_VENDOR "The Quandrel developers")
set(CPACK_PACKAGE_CONTACT "${QUANDREL_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build tree; the package carries stripped files.
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUANDREL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME quandrel)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
# SDL2 is opened on demand (a headless run never loads it), so dpkg-shlibdeps
# cannot see it in the executable: named here, at the version the game is built
# and tested with.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "libsdl2-2.0-0 (>= 2.26)")
# The summary, then the long description.
set(CPACK_DEBIAN_GAME_DESCRIPTION "colour-mixing puzzle game
A sprayer at the top of the screen fires coloured shots onto a row of ten
tubes. Red, yellow and blue mix into orange, green and purple. Fill a tube
with three measures of one colour to score and earn that colour's key; a
wrong colour spoils the tube. Earn the level's keys and claim it before the
time bar runs out. Ten levels, played with the mouse or the keyboard.")

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME quandrel-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
# Its maintainer scripts enable and start the systemd unit.
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "init-system-helpers (>= 1.52)")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA
  "${PROJECT_SOURCE_DIR}/packaging/server-scripts/postinst;${PROJECT_SOURCE_DIR}/packaging/server-scripts/prerm;${PROJECT_SOURCE_DIR}/packaging/server-scripts/postrm")
set(CPACK_DEBIAN_SERVER_DESCRIPTION "daily leaderboard server for Quandrel
Keeps the leaderboard of Quandrel's daily challenge and serves it over HTTP
(JSON). Every posted run is proven by replaying its moves through the game's
own rules before it is ranked; one run per player per day is kept, in SQLite
or in PostgreSQL shared by several servers. Comes with a systemd unit.")
include(CPack)
