# Installation: the game, its files, a launcher, the book checker, a desktop
# entry, icons, AppStream metadata and manual pages.
#
#   cmake --install build --prefix P   gives
#
#   P/bin/sachy                       the launcher: a shell script that goes to
#                                     the data directory and starts the game there
#   P/bin/sachy-kniha                 the book checker
#   P/lib/sachy/sachy                 the game itself
#   P/share/sachy/                    the 26 bitmaps, free.ttf and its licence, a.txt
#   P/share/applications/sachy.desktop
#   P/share/icons/hicolor/{64x64,128x128}/apps/sachy.png
#   P/share/metainfo/cz.sachy.sachy.metainfo.xml
#   P/share/man/man6/{sachy,sachy-kniha}.6
#
# A Debian package sets CMAKE_INSTALL_BINDIR=games, CMAKE_INSTALL_DATADIR=share/games
# and SACHY_INSTALL_PROGDIR=lib/games/sachy (see debian/rules).
#
# The game reads its files from its working directory, hence the launcher.
# The directories follow GNUInstallDirs (a packager may set, for instance,
# CMAKE_INSTALL_BINDIR=games and CMAKE_INSTALL_DATADIR=share/games); they must
# stay relative to the prefix, because the launcher finds them from its own
# place and the whole tree may be moved.
include(GNUInstallDirs)

set(SACHY_INSTALL_PROGDIR "lib/sachy" CACHE STRING
  "Where the game binary goes, relative to the prefix (the launcher goes to CMAKE_INSTALL_BINDIR)")
set(SACHY_DATA_DIR "${CMAKE_INSTALL_DATADIR}/sachy")

foreach(adresar CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATADIR CMAKE_INSTALL_DATAROOTDIR
    SACHY_INSTALL_PROGDIR)
  if(IS_ABSOLUTE "${${adresar}}")
    message(FATAL_ERROR
      "${adresar} (${${adresar}}) must be relative to the prefix: the launcher finds the game from its own place")
  endif()
endforeach()

# The launcher's paths to the data directory and to the game, from its own.
file(RELATIVE_PATH SACHY_Z_BIN_DO_DAT
  "/p/${CMAKE_INSTALL_BINDIR}" "/p/${SACHY_DATA_DIR}")
file(RELATIVE_PATH SACHY_Z_BIN_DO_PROGRAMU
  "/p/${CMAKE_INSTALL_BINDIR}" "/p/${SACHY_INSTALL_PROGDIR}")
foreach(cesta SACHY_Z_BIN_DO_DAT SACHY_Z_BIN_DO_PROGRAMU)
  if("${${cesta}}" STREQUAL "")
    set(${cesta} ".")
  endif()
endforeach()
configure_file("${PROJECT_SOURCE_DIR}/tools/desktop/sachy.in"
  "${PROJECT_BINARY_DIR}/instalace/sachy" @ONLY)

install(TARGETS sachy RUNTIME DESTINATION "${SACHY_INSTALL_PROGDIR}")
install(PROGRAMS "${PROJECT_BINARY_DIR}/instalace/sachy"
  DESTINATION "${CMAKE_INSTALL_BINDIR}")
# The checker reads the file it is given, so it needs no launcher.
install(TARGETS sachy-kniha RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

# Listed one by one, so that a missing file fails the installation.
set(SACHY_AKTIVA b.bmp w.bmp free.ttf free.ttf.LICENSE a.txt)
foreach(barva w b)
  foreach(figura p n b r q k)
    foreach(pole b w)
      list(APPEND SACHY_AKTIVA "${barva}${figura}${pole}.bmp")
    endforeach()
  endforeach()
endforeach()
list(TRANSFORM SACHY_AKTIVA PREPEND "${PROJECT_SOURCE_DIR}/assets/")
install(FILES ${SACHY_AKTIVA} DESTINATION "${SACHY_DATA_DIR}")

install(FILES "${PROJECT_SOURCE_DIR}/tools/desktop/sachy.desktop"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
# The icons are drawn from the board bitmaps by tools/desktop/make-icon.sh.
foreach(velikost 64 128)
  install(FILES "${PROJECT_SOURCE_DIR}/tools/desktop/sachy-${velikost}.png"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${velikost}x${velikost}/apps"
    RENAME sachy.png)
endforeach()

# The AppStream component and the manual pages carry the version; the manual
# pages name the installed places, as configured.
set(SACHY_APPSTREAM_ID cz.sachy.sachy)
configure_file("${PROJECT_SOURCE_DIR}/tools/desktop/sachy.metainfo.xml.in"
  "${PROJECT_BINARY_DIR}/instalace/${SACHY_APPSTREAM_ID}.metainfo.xml" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/instalace/${SACHY_APPSTREAM_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")

set(SACHY_DATA_DIR_FULL "${CMAKE_INSTALL_PREFIX}/${SACHY_DATA_DIR}")
set(SACHY_PROGRAM_FULL "${CMAKE_INSTALL_PREFIX}/${SACHY_INSTALL_PROGDIR}/sachy")
foreach(stranka sachy sachy-kniha)
  configure_file("${PROJECT_SOURCE_DIR}/docs/${stranka}.6.in"
    "${PROJECT_BINARY_DIR}/instalace/${stranka}.6" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/instalace/${stranka}.6"
    DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
endforeach()
