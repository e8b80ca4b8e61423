# Reads the program's .ico back: the header, one directory entry per size
# in the order asked, each entry a whole PNG file of its size with 8-bit
# RGBA pixels, the images laid end to end after the directory up to the end
# of the file. Then asks the tool for a size no icon directory can hold.
#
#   cmake -DICO=tarnel.ico -DSIZES=16,24,... -DTOOL=svg2png -DSVG=picture.svg
#         -DSCRATCH=dir -P check_ico.cmake

# The unsigned number in `count` bytes at `offset`, little- or big-endian.
function(number_at offset count order out)
  math(EXPR offset "${offset}")
  file(READ "${ICO}" hex OFFSET ${offset} LIMIT ${count} HEX)
  string(LENGTH "${hex}" length)
  math(EXPR wanted "${count} * 2")
  if(NOT length EQUAL wanted)
    message(FATAL_ERROR "${ICO}: ends before byte ${offset} + ${count}")
  endif()
  set(value 0)
  foreach(i RANGE 1 ${count})
    if(order STREQUAL "LE")
      math(EXPR at "(${count} - ${i}) * 2")
    else()
      math(EXPR at "(${i} - 1) * 2")
    endif()
    string(SUBSTRING "${hex}" ${at} 2 byte)
    math(EXPR value "${value} * 256 + 0x${byte}")
  endforeach()
  set(${out} ${value} PARENT_SCOPE)
endfunction()

function(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    message(SEND_ERROR "${what}: ${actual}, expected ${wanted}")
  endif()
endfunction()

string(REPLACE "," ";" sizes "${SIZES}")
list(LENGTH sizes count)
file(SIZE "${ICO}" file_size)

number_at(0 2 LE reserved)
number_at(2 2 LE type)
number_at(4 2 LE entries)
expect("reserved word" ${reserved} 0)
expect("type (1 = icon)" ${type} 1)
expect("image count" ${entries} ${count})

math(EXPR next "6 + 16 * ${count}")
set(entry 6)
foreach(size IN LISTS sizes)
  number_at(${entry} 1 LE width)
  number_at(${entry}+1 1 LE height)
  number_at(${entry}+4 2 LE planes)
  number_at(${entry}+6 2 LE bits)
  number_at(${entry}+8 4 LE bytes)
  number_at(${entry}+12 4 LE offset)
  math(EXPR stored "${size} % 256")  # 256 is written as 0
  expect("entry ${size}: width" ${width} ${stored})
  expect("entry ${size}: height" ${height} ${stored})
  expect("entry ${size}: planes" ${planes} 1)
  expect("entry ${size}: bits per pixel" ${bits} 32)
  expect("entry ${size}: offset" ${offset} ${next})

  file(READ "${ICO}" signature OFFSET ${offset} LIMIT 8 HEX)
  expect("entry ${size}: PNG signature" "${signature}" "89504e470d0a1a0a")
  math(EXPR at "${offset} + 12")
  file(READ "${ICO}" chunk OFFSET ${at} LIMIT 4 HEX)
  expect("entry ${size}: first chunk" "${chunk}" "49484452")  # IHDR
  number_at(${offset}+16 4 BE png_width)
  number_at(${offset}+20 4 BE png_height)
  number_at(${offset}+24 1 BE depth)
  number_at(${offset}+25 1 BE colour)
  expect("entry ${size}: PNG width" ${png_width} ${size})
  expect("entry ${size}: PNG height" ${png_height} ${size})
  expect("entry ${size}: PNG bit depth" ${depth} 8)
  expect("entry ${size}: PNG colour type (6 = RGBA)" ${colour} 6)

  math(EXPR next "${offset} + ${bytes}")
  math(EXPR entry "${entry} + 16")
endforeach()
expect("end of the last image" ${next} ${file_size})

# 257 pixels do not fit the directory's byte: refused, nothing written.
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${TOOL}" --ico "${SVG}" "${SCRATCH}/big.ico" 16 257
                RESULT_VARIABLE refused ERROR_VARIABLE message)
expect("exit status for size 257" ${refused} 2)
if(EXISTS "${SCRATCH}/big.ico")
  message(SEND_ERROR "size 257: the tool wrote ${SCRATCH}/big.ico")
endif()
