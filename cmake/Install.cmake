# Installation: the game and its font in their own folder (the game reads data beside itself),
# a command on the PATH, the desktop entry, icons, AppStream metadata and the manual.
include(GNUInstallDirs)
set(TESSARAN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tessaran)

set(TESSARAN_PROGRAM_DIR lib/tessaran)
install(TARGETS tessaran RUNTIME DESTINATION ${TESSARAN_PROGRAM_DIR})
install(FILES data/Another.fnt DESTINATION ${TESSARAN_PROGRAM_DIR})
install(TARGETS tessaran-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command is a link to the program; the game finds its folder through /proc/self/exe.
# (the path is worked out at install time, so DESTDIR and --prefix both work)
install(CODE "
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
       \"\${CMAKE_INSTALL_PREFIX}/${TESSARAN_PROGRAM_DIR}/tessaran\")
  file(CREATE_LINK \"\${target}\" \"\${bindir}/tessaran\" SYMBOLIC)
  message(STATUS \"Installing: \${bindir}/tessaran -> \${target}\")
")

install(FILES data/desktop/tessaran.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/org.tessaran.Tessaran.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/tessaran.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES data/icons/hicolor/${size}x${size}/apps/tessaran.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES README.md DESTINATION ${TESSARAN_DOC_DIR})
install(FILES data/fonts/README.md DESTINATION ${TESSARAN_DOC_DIR}/fonts)
install(FILES data/fonts/Quicksand-OFL.txt data/fonts/LeagueSpartan-OFL.txt DESTINATION ${TESSARAN_DOC_DIR}/fonts)
