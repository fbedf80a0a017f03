# The Debian package lum_<version>_<arch>.deb: `cpack -G DEB` in the build folder (see
# scripts/make-deb.sh) packs what cmake/Install.cmake installs, under /usr. Depends are computed
# from the programs (dpkg-shlibdeps); the maintainer scripts create the user lum and never
# enable or start the service.
set(LUM_PACKAGE_MAINTAINER "LUM maintainers <maintainers@lum.example.org>"
    CACHE STRING "Maintainer field of the Debian package")

# Debian wants a changelog and a copyright file in /usr/share/doc/<package>.
string(TIMESTAMP LUM_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in
               ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(lum_package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz
              ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lum)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LUM_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
# Installed with DESTDIR and the prefix /usr, so install-time paths (the unit's ExecStart) name
# /usr and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The maintainer scripts call adduser; Qt's own dialog texts come with the translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console and control server for networked signage players")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"LUM manages a fleet of networked digital-signage players. Players find it
on the local network, log in, fetch their playlists and media and report
what they are doing; the operator manages their accounts and groups,
watches them online and sends them commands.
.
The package holds the windowed console (lum), the same control server
without a window (lum-server, with the systemd service lum-server.service,
installed but not enabled), the command-line operator (lumctl) and a
player simulator (lum-player-sim).")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_SOURCE_DIR}/packaging/debian/postinst
  ${CMAKE_SOURCE_DIR}/packaging/debian/prerm
  ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# CI builds the package and checks it: contents, Depends, the desktop entry, the unit, lintian,
# and the installed programs run from a dpkg -x tree.
if(LUM_BUILD_TESTS)
  add_test(NAME package_deb
    COMMAND ${CMAKE_SOURCE_DIR}/tests/package/check-deb.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION} ${LUM_BUILD_GUI})
  set_tests_properties(package_deb PROPERTIES TIMEOUT 900 LABELS package)
endif()
