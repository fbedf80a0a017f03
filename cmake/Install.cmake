# What `cmake --install` puts where; the Debian package (cmake/Package.cmake) is made from it.
#   bin/                          lum, lum-server, lumctl, lum-player-sim
#   share/lum/samples/            the sample media of the starter playlist
#   share/lum/translations/       lum_<locale>.qm
#   share/applications/           lum.desktop
#   share/icons/hicolor/          the application icon (PNG sizes and the SVG)
#   share/man/man1/               manual pages, made from each program's --help
#   share/bash-completion/        completion for lumctl
#   lib/systemd/system/           lum-server.service (hardened, runs as the user lum)
#   lib/sysusers.d/               the user and group lum
# Every path is below the install prefix; the package uses the prefix /usr.
include(GNUInstallDirs)

set(LUM_INSTALL_SHAREDIR ${CMAKE_INSTALL_DATADIR}/lum)

# The programs find share/lum relative to their own folder, so one build serves any prefix
# (the build folder has none and keeps its files beside the executables).
file(RELATIVE_PATH LUM_SHARE_FROM_BINDIR
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/lum)
target_compile_definitions(lum_core PRIVATE LUM_SHARE_FROM_BINDIR="${LUM_SHARE_FROM_BINDIR}")

set(LUM_PROGRAMS lum-server lumctl lum-player-sim)
if(LUM_BUILD_GUI)
  list(PREPEND LUM_PROGRAMS lum)
endif()
install(TARGETS ${LUM_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Samples/ DESTINATION ${LUM_INSTALL_SHAREDIR}/samples)

if(LUM_BUILD_GUI)
  # The .qm files lrelease builds beside lum, one per translations/lum_<locale>.ts.
  file(GLOB LUM_TS_SOURCES ${CMAKE_SOURCE_DIR}/translations/lum_*.ts)
  foreach(ts IN LISTS LUM_TS_SOURCES)
    get_filename_component(qm ${ts} NAME_WE)
    install(FILES ${CMAKE_BINARY_DIR}/bin/${qm}.qm DESTINATION ${LUM_INSTALL_SHAREDIR}/translations)
  endforeach()

  install(FILES ${CMAKE_SOURCE_DIR}/packaging/lum.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # Rendered by src/widgets (the same pictures the window and the tray show).
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/lum.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Manual pages from --help and --version (help2man), with the sections of packaging/man/.
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(NOT HELP2MAN OR NOT GZIP)
  message(FATAL_ERROR "help2man and gzip make the manual pages; scripts/install-deps.sh installs them")
endif()
set(LUM_MAN_lum "console for a fleet of networked digital-signage players")
set(LUM_MAN_lum-server "LUM control server without a window")
set(LUM_MAN_lumctl "command-line operator for a running LUM")
set(LUM_MAN_lum-player-sim "simulated signage players for the LUM control server")
set(LUM_MAN_PAGES)
foreach(prog IN LISTS LUM_PROGRAMS)
  set(page ${CMAKE_BINARY_DIR}/man/${prog}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_SOURCE_DIR}/packaging/man/make-man-page.sh
            $<TARGET_FILE_DIR:${prog}> ${prog} ${PROJECT_VERSION} "${LUM_MAN_${prog}}"
            ${CMAKE_SOURCE_DIR}/packaging/man/${prog}.h2m ${page}
    DEPENDS ${prog} ${CMAKE_SOURCE_DIR}/packaging/man/make-man-page.sh
            ${CMAKE_SOURCE_DIR}/packaging/man/${prog}.h2m
    COMMENT "Manual page of ${prog}"
    VERBATIM)
  list(APPEND LUM_MAN_PAGES ${page})
endforeach()
add_custom_target(lum_man_pages ALL DEPENDS ${LUM_MAN_PAGES})
install(FILES ${LUM_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/completion/lumctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The service. ExecStart names the installed lum-server, so the unit is written when installing,
# under the prefix actually used.
install(CODE "
  set(LUM_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/packaging/systemd/lum-server.service.in\"
                 \"${CMAKE_BINARY_DIR}/packaging/lum-server.service\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/lum-server.service DESTINATION lib/systemd/system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/systemd/lum.sysusers
        DESTINATION lib/sysusers.d RENAME lum.conf)
