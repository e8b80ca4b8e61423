# Tarnel on Windows: the program's icon and version resource, a window
# program that opens no console, what the installed program needs put beside
# it (Qt's libraries, plugins and Japanese translation, the compiler's
# runtime), and the NSIS installer that CPack makes from the installed files
# (Start-menu entry, uninstaller).
#
# The icon, the resource script and the installer settings are made on every
# platform, so that they can be checked on Linux too: the tests at the end,
# and `cpack -G NSIS` in a Linux build folder with Debian's nsis package
# (the payload is then the Linux files; the installer logic is the same).
#
# Included before cmake/Desktop.cmake, whose include(CPack) writes the
# installer settings out. What needs the rest of the project (the install
# rule for the program, the package vendor, every target) runs at the end of
# this folder's configuration, in tarnel_windows_finish below.

include(GNUInstallDirs)

# ---- The icon: tarnel.svg drawn into one .ico holding several sizes ----
set(TARNEL_ICO_SIZES 16 24 32 48 64 256)
set(TARNEL_ICO_FILE "${CMAKE_BINARY_DIR}/artwork/tarnel.ico")
add_custom_command(OUTPUT "${TARNEL_ICO_FILE}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/artwork"
  COMMAND ${TARNEL_SVG2PNG} --ico "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg" "${TARNEL_ICO_FILE}" ${TARNEL_ICO_SIZES}
  DEPENDS ${tarnel_svg2png_target} "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
  COMMENT "Drawing tarnel.svg into tarnel.ico")
add_custom_target(tarnel_icon ALL DEPENDS "${TARNEL_ICO_FILE}")

# ---- The resource script: the icon and the version, from project() ----
# Version resources hold four 16-bit numbers: 3.02 is 3,2,0,0.
set(TARNEL_RC_VERSION)
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  math(EXPR number "${number}")
  list(APPEND TARNEL_RC_VERSION ${number})
endforeach()
list(JOIN TARNEL_RC_VERSION "," TARNEL_RC_VERSION)
set(TARNEL_EXE_NAME "tarnel.exe")
set(TARNEL_RC_FILE "${CMAKE_BINARY_DIR}/data/tarnel.rc")

if(WIN32)
  enable_language(RC)
  set_target_properties(tarnel PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(tarnel PRIVATE "${TARNEL_RC_FILE}")
  set_source_files_properties("${TARNEL_RC_FILE}" PROPERTIES OBJECT_DEPENDS "${TARNEL_ICO_FILE}")
  add_dependencies(tarnel tarnel_icon)
endif()

# ---- The installer (cpack; the generator is chosen in Desktop.cmake) ----
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${PROJECT_NAME}")
# One key for every version, so that a new installer finds the old one.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${PROJECT_NAME}")
# The Start-menu entry: "Tarnel", the shortcut to tarnel.exe.
set(CPACK_PACKAGE_EXECUTABLES tarnel "${PROJECT_NAME}")
set(CPACK_NSIS_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
# The icon in Installed apps.
set(CPACK_NSIS_INSTALLED_ICON_NAME "${TARNEL_EXE_NAME}")
set(CPACK_NSIS_MUI_ICON "${TARNEL_ICO_FILE}")
set(CPACK_NSIS_MUI_UNIICON "${TARNEL_ICO_FILE}")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN "${TARNEL_EXE_NAME}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer, as the program is; its own file properties carry the
# version of what it installs. CPackConfig.cmake is read again, so the
# quotes are escaped twice.
string(REPLACE "," "." TARNEL_NSIS_VERSION "${TARNEL_RC_VERSION}")
set(CPACK_NSIS_DEFINES "
Target amd64-unicode
VIProductVersion ${TARNEL_NSIS_VERSION}
VIAddVersionKey /LANG=0 ProductName ${PROJECT_NAME}
VIAddVersionKey /LANG=0 ProductVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=0 FileVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=0 FileDescription \\\"${PROJECT_NAME} ${PROJECT_VERSION} Setup\\\"
VIAddVersionKey /LANG=0 CompanyName \\\"${TARNEL_VENDOR}\\\"
VIAddVersionKey /LANG=0 LegalCopyright \\\"${TARNEL_VENDOR}\\\"")

function(tarnel_windows_finish)
  configure_file("${PROJECT_SOURCE_DIR}/data/tarnel.rc.in" "${TARNEL_RC_FILE}" @ONLY)
  if(NOT WIN32)
    return()
  endif()

  # Beside tarnel.exe (Desktop.cmake installs it at the top of the folder):
  # the Qt libraries it links, the plugins Qt loads at run time (the windows
  # platform and the Windows styles; offscreen is for the tests only), and
  # qt.conf, which points Qt at this folder for plugins and translations.
  install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
  # The Windows style is "windowsvista" up to Qt 6.6, "modernwindows" after.
  set(plugins Qt6::QWindowsIntegrationPlugin)
  foreach(style Qt6::QWindowsVistaStylePlugin Qt6::QModernWindowsStylePlugin)
    if(TARGET ${style})
      list(APPEND plugins ${style})
    endif()
  endforeach()
  foreach(plugin ${plugins})
    get_target_property(kind ${plugin} QT_PLUGIN_TYPE)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${kind})
  endforeach()
  file(WRITE "${CMAKE_BINARY_DIR}/data/qt.conf" "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
  install(FILES "${CMAKE_BINARY_DIR}/data/qt.conf" DESTINATION .)
  # Qt's Japanese texts (the buttons of the message and file dialogs).
  find_file(TARNEL_QTBASE_JA qtbase_ja.qm PATHS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}"
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TARNEL_QTBASE_JA)
    message(FATAL_ERROR "Qt's Japanese translation qtbase_ja.qm is missing from ${QT6_INSTALL_PREFIX}")
  endif()
  install(FILES "${TARNEL_QTBASE_JA}" DESTINATION translations)

  # The compiler's runtime: MinGW's DLLs, which Qt's libraries need too, or
  # the Visual C++ runtime. MinGW's come with their debugging sections,
  # which the build strips from copies of its own.
  if(MINGW)
    set(stripped)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "The compiler does not know where ${dll} is")
      endif()
      add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/runtime/${dll}"
                         COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/runtime"
                         COMMAND ${CMAKE_STRIP} --strip-unneeded -o "${CMAKE_BINARY_DIR}/runtime/${dll}" "${path}"
                         DEPENDS "${path}")
      list(APPEND stripped "${CMAKE_BINARY_DIR}/runtime/${dll}")
    endforeach()
    add_custom_target(tarnel_runtime ALL DEPENDS ${stripped})
    install(FILES ${stripped} DESTINATION .)
  elseif(MSVC)
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
    include(InstallRequiredSystemLibraries)
  endif()
endfunction()
cmake_language(DEFER CALL tarnel_windows_finish)

# ---- Tests ----
if(BUILD_TESTING)
  list(JOIN TARNEL_ICO_SIZES "," sizes)
  list(LENGTH TARNEL_ICO_SIZES count)
  # The .ico the build drew, read back; and the tool refusing a size that
  # an icon directory cannot hold.
  add_test(NAME windows_icon
           COMMAND ${CMAKE_COMMAND} "-DICO=${TARNEL_ICO_FILE}" "-DSIZES=${sizes}"
                   "-DTOOL=${TARNEL_SVG2PNG}" "-DSVG=${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
                   "-DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/windows_icon"
                   -P "${PROJECT_SOURCE_DIR}/tests/windows/check_ico.cmake")
  # The resource script compiled by mingw-w64's windres and read back.
  find_program(TARNEL_WINDRES NAMES x86_64-w64-mingw32-windres windres)
  if(TARNEL_WINDRES)
    add_test(NAME windows_resources
             COMMAND ${CMAKE_COMMAND} "-DWINDRES=${TARNEL_WINDRES}" "-DRC=${TARNEL_RC_FILE}"
                     "-DVERSION=${PROJECT_VERSION}" "-DRC_VERSION=${TARNEL_RC_VERSION}"
                     "-DNAME=${PROJECT_NAME}" "-DDESCRIPTION=${PROJECT_DESCRIPTION}"
                     "-DICON_COUNT=${count}" "-DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/windows_resources"
                     -P "${PROJECT_SOURCE_DIR}/tests/windows/check_rc.cmake")
    set_tests_properties(windows_resources PROPERTIES LABELS desktop)
  endif()
  # Cross-built, under the Wine of scripts/test-windows.sh: the installed
  # program on a real X display, and the installer (made by cpack before).
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    add_test(NAME wine_e2e
             COMMAND python3 "${PROJECT_SOURCE_DIR}/tests/e2e/wine_e2e.py"
                     --build "${CMAKE_BINARY_DIR}" --out "${CMAKE_BINARY_DIR}")
    add_test(NAME installer
             COMMAND python3 "${PROJECT_SOURCE_DIR}/tests/windows/installer_test.py"
                     --installer "${CMAKE_BINARY_DIR}/tarnel-${PROJECT_VERSION}-win64.exe"
                     --out "${CMAKE_BINARY_DIR}")
    set_tests_properties(wine_e2e installer PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE)
  endif()
endif()
