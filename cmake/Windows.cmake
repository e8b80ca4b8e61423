# Tarnel on Windows: the program's icon and version resource, a window
# program that opens no console, the Qt libraries and plugins put beside the
# installed program by windeployqt, and the NSIS installer that CPack makes
# from the installed files (Start-menu entry, uninstaller).
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
  COMMAND svg2png --ico "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg" "${TARNEL_ICO_FILE}" ${TARNEL_ICO_SIZES}
  DEPENDS svg2png "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
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

  # The SVG pictures are read through Qt's SVG plugins, which the program
  # loads at run time; windeployqt sees only the libraries it links.
  # Their packages sit beside Qt6Gui's, which not every Qt loads by itself.
  find_package(Qt6 REQUIRED COMPONENTS Svg)
  foreach(plugin QSvgIconPlugin QSvgPlugin)
    if(NOT TARGET Qt6::${plugin})
      find_package(Qt6${plugin} REQUIRED CONFIG PATHS "${Qt6Gui_DIR}" NO_DEFAULT_PATH)
    endif()
  endforeach()
endif()

# ---- The installer (cpack; the generator is chosen in Desktop.cmake) ----
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${PROJECT_NAME}")
# One key for every version, so that a new installer finds the old one.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${PROJECT_NAME}")
# The Start-menu entry: "Tarnel", the shortcut to bin\tarnel.exe.
set(CPACK_PACKAGE_EXECUTABLES tarnel "${PROJECT_NAME}")
set(CPACK_NSIS_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY "${CMAKE_INSTALL_BINDIR}")
# The icon in Installed apps; CPackConfig.cmake is read again, so the
# backslash is escaped twice.
set(CPACK_NSIS_INSTALLED_ICON_NAME "${CMAKE_INSTALL_BINDIR}\\\\${TARNEL_EXE_NAME}")
set(CPACK_NSIS_MUI_ICON "${TARNEL_ICO_FILE}")
set(CPACK_NSIS_MUI_UNIICON "${TARNEL_ICO_FILE}")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN "${TARNEL_EXE_NAME}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)

function(tarnel_windows_finish)
  configure_file("${PROJECT_SOURCE_DIR}/data/tarnel.rc.in" "${TARNEL_RC_FILE}" @ONLY)
  if(NOT WIN32)
    return()
  endif()

  # Qt's libraries, plugins and translations beside the installed program
  # (after Desktop.cmake's rule has installed it), plus the SVG plugins and
  # the C++ runtime. qt.conf points Qt at plugins/ in the install folder
  # (QT_DEPLOY_PLUGINS_DIR).
  if(Qt6_VERSION VERSION_LESS 6.3)
    message(WARNING "Qt ${Qt6_VERSION} cannot deploy at install; the installed program lacks Qt's DLLs")
    return()
  endif()
  if(Qt6_VERSION VERSION_GREATER_EQUAL 6.5)
    # The compiler runtime comes from InstallRequiredSystemLibraries below
    # (windeployqt would copy only the redistributable's installer).
    if(MSVC)
      set(runtime_option NO_COMPILER_RUNTIME)
    else()
      set(runtime_option)
    endif()
    qt_generate_deploy_app_script(TARGET tarnel OUTPUT_SCRIPT deploy_script ${runtime_option})
  else()
    qt_generate_deploy_app_script(TARGET tarnel FILENAME_VARIABLE deploy_script)
  endif()
  install(SCRIPT "${deploy_script}")
  install(FILES "$<TARGET_FILE:Qt6::Svg>" DESTINATION "${CMAKE_INSTALL_BINDIR}")
  foreach(plugin Qt6::QSvgIconPlugin Qt6::QSvgPlugin)
    get_target_property(kind ${plugin} QT_PLUGIN_TYPE)
    install(FILES "$<TARGET_FILE:${plugin}>" DESTINATION "plugins/${kind}")
  endforeach()
  if(MSVC)
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION "${CMAKE_INSTALL_BINDIR}")
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
                   "-DTOOL=$<TARGET_FILE:svg2png>" "-DSVG=${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
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
endif()
