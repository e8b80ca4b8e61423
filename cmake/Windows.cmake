# Tarnel on Windows: the program's icon and version resource, and a window
# program that opens no console.
#
# The icon and the resource script are made on every platform, so that they
# can be checked on Linux too (the tests at the end). The resource script is
# written at the end of this folder's configuration, in tarnel_windows_finish
# below, when the package vendor (Desktop.cmake) is known; so is what needs
# every target of the project.

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
endif()

function(tarnel_windows_finish)
  configure_file("${PROJECT_SOURCE_DIR}/data/tarnel.rc.in" "${TARNEL_RC_FILE}" @ONLY)
  if(NOT WIN32)
    return()
  endif()

  # cl reads a source in the ANSI code page unless told otherwise, and in
  # CP932, a Japanese system's, a UTF-8 comment can swallow the line after
  # it. tarnel_warnings gives our own code /utf-8; this gives it to every
  # compiled target: the test support, the generated sources.
  set(folders "${PROJECT_SOURCE_DIR}")
  while(folders)
    list(POP_FRONT folders folder)
    get_property(subfolders DIRECTORY "${folder}" PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
    get_property(targets DIRECTORY "${folder}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(UTILITY|INTERFACE_LIBRARY)$")
        target_compile_options(${target} PRIVATE "$<$<COMPILE_LANG_AND_ID:CXX,MSVC>:/utf-8>")
      endif()
    endforeach()
  endwhile()
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
