# Install rules and the Debian package. Programs go to bin/, the default pictures and
# sounds to share/kelvane/ (found from the binary at run time, so any prefix works), and
# the desktop files, icons, file types and man pages where desktops look for them.

install(TARGETS kelvane kelvane-check kelvane-analyzer kelvane-analyze
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kelvane-analyze-report LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kelvane)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/experiment/resources/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvane)

# The manual, which the help window (F1) shows from here.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvane)
# The examples the manual's first steps use. Only the files themselves: results a try-out
# wrote beside them in the source folder are nobody's to ship.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvane/examples
  FILES_MATCHING PATTERN "*.box" PATTERN "*.bex")

set(kelvane_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES
  ${kelvane_packaging}/org.kelvane.Kelvane.desktop
  ${kelvane_packaging}/org.kelvane.KelvaneAnalyzer.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${kelvane_packaging}/kelvane-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kelvane.xml)

configure_file(${kelvane_packaging}/org.kelvane.Kelvane.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/org.kelvane.Kelvane.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/org.kelvane.Kelvane.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(icon kelvane kelvane-analyzer)
  install(FILES ${kelvane_packaging}/icons/${icon}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${kelvane_packaging}/icons/${size}/${icon}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()

# Man pages carry the version and release date, like the programs' --version.
foreach(page kelvane kelvane-check kelvane-analyze)
  configure_file(${kelvane_packaging}/man/${page}.1 ${CMAKE_BINARY_DIR}/packaging/man/${page}.1 @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR "The Kelvane developers")
set(CPACK_PACKAGE_CONTACT "The Kelvane developers <kelvane@kelvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "spatial working-memory search task: experiment program and analyzer")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kelvane runs and scores a spatial working-memory search task. The researcher designs\n"
  "trials in a drag-and-drop editor, strings them into clusters and experiments and runs\n"
  "subjects, and Kelvane Analyzer turns the result files into one table of measures.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins are loaded at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pspp")
include(CPack)
