# Installation: the game, its files, a launcher, a desktop entry and an icon.
#
#   cmake --install build --prefix P   gives
#
#   P/bin/sachy                       the launcher: a shell script that goes to
#                                     the data directory and starts the game there
#   P/lib/sachy/sachy                 the game itself
#   P/share/sachy/                    the 26 bitmaps, free.ttf and its licence, a.txt
#   P/share/applications/sachy.desktop
#   P/share/icons/hicolor/{64x64,128x128}/apps/sachy.png
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
