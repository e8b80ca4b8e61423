# Tarnel on Windows: the program's icon, drawn from tarnel.svg into one .ico
# file that holds several sizes. It is drawn on every platform, so that the
# test at the end checks it on Linux too.

# ---- The icon: tarnel.svg drawn into one .ico holding several sizes ----
set(TARNEL_ICO_SIZES 16 24 32 48 64 256)
set(TARNEL_ICO_FILE "${CMAKE_BINARY_DIR}/artwork/tarnel.ico")
add_custom_command(OUTPUT "${TARNEL_ICO_FILE}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/artwork"
  COMMAND svg2png --ico "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg" "${TARNEL_ICO_FILE}" ${TARNEL_ICO_SIZES}
  DEPENDS svg2png "${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
  COMMENT "Drawing tarnel.svg into tarnel.ico")
add_custom_target(tarnel_icon ALL DEPENDS "${TARNEL_ICO_FILE}")

# ---- Tests ----
if(BUILD_TESTING)
  list(JOIN TARNEL_ICO_SIZES "," sizes)
  # The .ico the build drew, read back; and the tool refusing a size that
  # an icon directory cannot hold.
  add_test(NAME windows_icon
           COMMAND ${CMAKE_COMMAND} "-DICO=${TARNEL_ICO_FILE}" "-DSIZES=${sizes}"
                   "-DTOOL=$<TARGET_FILE:svg2png>" "-DSVG=${PROJECT_SOURCE_DIR}/shell/resources/tarnel.svg"
                   "-DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/windows_icon"
                   -P "${PROJECT_SOURCE_DIR}/tests/windows/check_ico.cmake")
endif()
