# Tarnel as a Linux desktop application: where `cmake --install` puts the
# program, its launcher, icon and AppStream metainfo; the .deb that CPack
# builds from them; and the tests that check the launcher files and drive the
# installed-to-be program on a real X server.
#
# The application id names the launcher (<id>.desktop) and the metainfo;
# main() hands the same id to QGuiApplication::setDesktopFileName so that
# desktops match the running windows to the launcher.

include(GNUInstallDirs)

# The launcher and the metainfo are written from templates, so that the id
# and the release come from the project's definition alone.
set(TARNEL_DESKTOP_FILE "${CMAKE_BINARY_DIR}/data/${TARNEL_APP_ID}.desktop")
set(TARNEL_METAINFO_FILE "${CMAKE_BINARY_DIR}/data/${TARNEL_APP_ID}.metainfo.xml")
set(TARNEL_ICON_FILE "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg")
configure_file("${PROJECT_SOURCE_DIR}/data/launcher.desktop.in" "${TARNEL_DESKTOP_FILE}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/data/metainfo.xml.in" "${TARNEL_METAINFO_FILE}" @ONLY)

# On Windows the program sits at the top of its folder, with what it loads
# beside it (cmake/Windows.cmake).
if(WIN32)
  install(TARGETS tarnel RUNTIME DESTINATION .)
else()
  install(TARGETS tarnel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The launcher, the metainfo and the icon are for Linux desktops; Windows
# has the Start-menu entry of the installer and the icon in the program.
if(NOT WIN32)
  install(FILES "${TARNEL_DESKTOP_FILE}" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES "${TARNEL_METAINFO_FILE}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES "${TARNEL_ICON_FILE}"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME tarnel.svg)
endif()

# ---- Debian package (cpack -G DEB in the build folder) ----
# On Windows the installer that cmake/Windows.cmake sets up, which installs
# into its own folder, not under /usr.
if(WIN32)
  set(CPACK_GENERATOR NSIS)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VENDOR "${TARNEL_VENDOR}")
set(CPACK_PACKAGE_CONTACT "Tarnel developers <tarnel@localhost>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for land surveyors (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnel gathers the everyday computations of a surveying office behind one
main menu: direction angle and distance, new points, intersections,
midpoints, offsets and divisions, coordinate transformation, inverse,
radial and connecting traverses, the area of a parcel from its corner
coordinates and the solution of a triangle. Most screens
append a record of every calculation to a Shift-JIS text file in the Desktop
folder. The user interface is in Japanese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarnel developers <tarnel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries by name (the platform plugins are loaded at run time, so
# the library scan cannot see them), a font that has the Japanese glyphs, and
# Qt's Japanese texts for the buttons of the message boxes; dpkg-shlibdeps
# adds the rest.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# ---- Tests ----
# The Linux launcher files, the Linux install and the program on a Linux
# desktop, read through AT-SPI. A Windows build has none of these; its own
# run on a real display and its installer are tested in cmake/Windows.cmake.
if(BUILD_TESTING AND NOT WIN32)
  add_test(NAME desktop_file_validate
           COMMAND desktop-file-validate "${TARNEL_DESKTOP_FILE}")
  add_test(NAME metainfo_validate
           COMMAND appstreamcli validate --no-net "${TARNEL_METAINFO_FILE}")
  # The files an install puts in place, installed into a scratch prefix.
  add_test(NAME install_layout
           COMMAND sh "${PROJECT_SOURCE_DIR}/tests/e2e/check_install.sh"
                   "${CMAKE_BINARY_DIR}" "${TARNEL_APP_ID}" "${CMAKE_COMMAND}")
  # The real program on a real X server, driven by key presses. It stops
  # itself after 180 s; the CTest limit is only a backstop.
  add_test(NAME e2e
           COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tests/e2e/e2e_test.py"
                   --program $<TARGET_FILE:tarnel> --out "${CMAKE_BINARY_DIR}"
                   --timeout 180)
  set_tests_properties(desktop_file_validate metainfo_validate install_layout
                       PROPERTIES LABELS desktop TIMEOUT 60)
  set_tests_properties(e2e PROPERTIES LABELS "desktop;e2e" TIMEOUT 300 RUN_SERIAL TRUE)
endif()
