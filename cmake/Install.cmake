# Installation in the layout of a distribution's games: the programs in <prefix>/games, the
# font the game loads in <prefix>/share/games/tessaran (the game looks there when it finds that
# folder beside its own), the desktop entry, icons, AppStream metadata, manual pages and the
# manual. scripts/package installs this with the prefix /usr and adds what Debian asks for.
include(GNUInstallDirs)
set(TESSARAN_GAMES_DIR games)
set(TESSARAN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/tessaran)
set(TESSARAN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tessaran)

install(TARGETS tessaran tessaran-cli RUNTIME DESTINATION ${TESSARAN_GAMES_DIR})
install(FILES data/Another.fnt DESTINATION ${TESSARAN_DATA_DIR})
install(FILES packaging/man/tessaran.6 packaging/man/tessaran-cli.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES data/desktop/tessaran.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/desktop/org.tessaran.Tessaran.metainfo.xml.in org.tessaran.Tessaran.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/org.tessaran.Tessaran.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/tessaran.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES data/icons/hicolor/${size}x${size}/apps/tessaran.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES README.md DESTINATION ${TESSARAN_DOC_DIR})
install(FILES data/fonts/README.md DESTINATION ${TESSARAN_DOC_DIR}/fonts)
install(FILES data/fonts/Quicksand-OFL.txt data/fonts/LeagueSpartan-OFL.txt DESTINATION ${TESSARAN_DOC_DIR}/fonts)
