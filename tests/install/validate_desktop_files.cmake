# Checks the desktop integration files as the desktop's own tools read them:
#   cmake -DSOURCE_DIR=data/desktop -DBINARY_DIR=<build>/data/desktop -DAPP_ID=<id>
#         -DICON_SIZES="16;24;..." -P validate_desktop_files.cmake
# A check whose tool is not installed is skipped with a note; any other
# failure fails the test.

cmake_minimum_required(VERSION 3.21)

set(failures 0)
macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR failures "${failures} + 1")
endmacro()

# run_tool(NAME ARGS...): runs a validator, failing on a non-zero status.
function(run_tool tool)
  find_program(found ${tool})
  if(NOT found)
    message(STATUS "SKIPPED: ${tool} is not installed (Debian: see tools/setup.sh)")
    return()
  endif()
  execute_process(COMMAND ${found} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${tool} ${ARGN} failed (${status}):\n${out}${err}")
  else()
    message(STATUS "${tool}: ok")
  endif()
  unset(found CACHE)
endfunction()

set(desktop ${SOURCE_DIR}/vantamorph.desktop)
set(metainfo ${SOURCE_DIR}/${APP_ID}.metainfo.xml)
set(mime ${SOURCE_DIR}/vantamorph-mime.xml)

run_tool(desktop-file-validate ${desktop})
run_tool(appstreamcli validate --no-net ${metainfo})
run_tool(xmllint --noout ${mime})

# The pieces must name each other: the entry opens projects of the type the
# MIME package declares, with the icon that is installed, and the metainfo
# launches this entry.
file(READ ${desktop} entry)
file(READ ${metainfo} component)
file(READ ${mime} types)
string(REGEX MATCH "<mime-type type=\"([^\"]+)\"" _ "${types}")
set(project_type ${CMAKE_MATCH_1})
foreach(expected "Exec=vantamorph %f" "Icon=vantamorph" "MimeType=${project_type};")
  string(FIND "${entry}" "${expected}\n" at)
  if(at LESS 0)
    fail("vantamorph.desktop lacks the line \"${expected}\"")
  endif()
endforeach()
foreach(expected "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">vantamorph.desktop</launchable>"
                 "<mediatype>${project_type}</mediatype>")
  string(FIND "${component}" "${expected}" at)
  if(at LESS 0)
    fail("the metainfo lacks ${expected}")
  endif()
endforeach()
foreach(expected "<glob pattern=\"*.vmp\"/>" "localName=\"VantamorphLogo\"")
  string(FIND "${types}" "${expected}" at)
  if(at LESS 0)
    fail("the MIME package lacks ${expected}")
  endif()
endforeach()

# Each PNG icon is square at its size: width and height from the PNG header.
foreach(size IN LISTS ICON_SIZES)
  set(png ${BINARY_DIR}/icons/${size}x${size}/vantamorph.png)
  if(NOT EXISTS ${png})
    fail("missing icon ${png}")
    continue()
  endif()
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 16 dimensions)
  math(EXPR expected_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" expected_size "${expected_size}")
  string(LENGTH "${expected_size}" digits)
  math(EXPR pad "8 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  set(side "${zeros}${expected_size}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL "${side}${side}")
    fail("${png} is not a ${size}x${size} PNG (header ${header})")
  endif()
endforeach()

# The manual page is set from the --help text: its options are all there, and
# the installed copy is gzipped.
set(manpage ${BINARY_DIR}/vantamorph.1)
if(NOT EXISTS ${manpage} OR NOT EXISTS ${manpage}.gz)
  fail("missing manual page ${manpage} or ${manpage}.gz")
else()
  file(READ ${manpage} page)
  foreach(expected ".SH SYNOPSIS" ".SH OPTIONS" "PROJECT.vmp" "\\-\\-export" "\\-\\-brand\\-pack" "\\-\\-script")
    string(FIND "${page}" "${expected}" at)
    if(at LESS 0)
      fail("the manual page lacks ${expected}")
    endif()
  endforeach()
  file(READ ${manpage}.gz magic LIMIT 2 HEX)
  if(NOT magic STREQUAL "1f8b")
    fail("${manpage}.gz is not gzipped")
  endif()
  run_tool(groff -man -Tutf8 -ww -z ${manpage})
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} desktop file check(s) failed")
endif()
