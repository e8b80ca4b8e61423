# Compiles the program's resource script with mingw-w64's windres, as the
# MinGW build does, and reads the compiled resources back: the icon group
# with one image per size, and the version numbers and texts, in Japanese.
#
#   cmake -DWINDRES=windres -DRC=tarnel.rc -DVERSION=3.02 -DRC_VERSION=3,2,0,0
#         -DNAME=Tarnel -DDESCRIPTION=... -DICON_COUNT=6 -DSCRATCH=dir -P check_rc.cmake

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${WINDRES}" -i "${RC}" -O res -o "${SCRATCH}/tarnel.res"
                RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "windres cannot compile ${RC}:\n${errors}")
endif()
execute_process(COMMAND "${WINDRES}" -i "${SCRATCH}/tarnel.res" -O rc
                OUTPUT_VARIABLE compiled RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "windres cannot read ${SCRATCH}/tarnel.res back")
endif()

string(REPLACE "," ", " numbers "${RC_VERSION}")
set(wanted
  "0, 1, ${ICON_COUNT},\t /\\* Has ${ICON_COUNT} elements"
  "LANGUAGE 17, 1\n"  # Japanese, for every resource after it
  "\n1 VERSIONINFO\n"
  " FILEVERSION ${numbers}\n PRODUCTVERSION ${numbers}\n"
  " FILETYPE 0x1\n"
  "BLOCK \"041104B0\""
  "VALUE \"FileDescription\", \"${DESCRIPTION}\"\n"
  "VALUE \"FileVersion\", \"${VERSION}\"\n"
  "VALUE \"ProductName\", \"${NAME}\"\n"
  "VALUE \"ProductVersion\", \"${VERSION}\"\n"
  "VALUE \"Translation\", 0x411, 1200\n")
foreach(pattern IN LISTS wanted)
  if(NOT compiled MATCHES "${pattern}")
    message(SEND_ERROR "not in the compiled resources: ${pattern}")
  endif()
endforeach()
string(REGEX MATCHALL "LANGUAGE" languages "${compiled}")
list(LENGTH languages languages)
if(NOT languages EQUAL 1)
  message(SEND_ERROR "resources in ${languages} languages, expected only Japanese")
endif()
