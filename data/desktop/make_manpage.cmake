# Writes the manual page from the program's own --help text, so the two never
# disagree. Run as
#   cmake -DPROGRAM=<vantamorph> -DVERSION=<7.0> -DOUT=<vantamorph.1> -DGZIP=<gzip> -P make_manpage.cmake
# It writes OUT and OUT.gz (compressed without a name or time, as packages want).
#
# The help text is read as: "usage:" lines and their continuations (the
# synopsis), option lines "  --name ARG   what it does" with their indented
# continuation lines, and unindented lines that start a paragraph of their own.

cmake_minimum_required(VERSION 3.21)

foreach(var PROGRAM VERSION OUT GZIP)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "make_manpage.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${PROGRAM}" --help
                OUTPUT_VARIABLE help RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "make_manpage.cmake: ${PROGRAM} --help failed (${status}): ${errors}")
endif()

# Text for roff: backslashes and hyphens escaped, a leading dot or quote kept as text.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# An option and the start of what it does.
macro(add_option name text)
  set(section options)
  roff_text("${name}" option_name)
  roff_text("${text}" option_text)
  string(APPEND options ".TP\n.B ${option_name}\n${option_text}\n")
endmacro()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(synopsis "")
set(options "")
set(section synopsis)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  if(section STREQUAL "synopsis" AND line MATCHES "^usage: (.*)$")
    roff_text("${CMAKE_MATCH_1}" text)
    string(APPEND synopsis "${text}\n")
  elseif(section STREQUAL "synopsis" AND line MATCHES "^        +(.*)$")
    roff_text("${CMAKE_MATCH_1}" text)
    string(APPEND synopsis "    ${text}\n")
  elseif(section STREQUAL "synopsis" AND line MATCHES "^       (.*)$")
    roff_text("${CMAKE_MATCH_1}" text)
    string(APPEND synopsis "${text}\n")
  elseif(line MATCHES "^  (-[^ ]* [A-Z][A-Za-z.]*) +(.*)$")
    add_option("${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
  elseif(line MATCHES "^  ([-A-Z][^ ]*)  +(.*)$")
    add_option("${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
  elseif(line MATCHES "^  ([-A-Z][^ ]*( [A-Z][A-Za-z.]*)?)$")
    set(section options)
    roff_text("${CMAKE_MATCH_1}" name)
    string(APPEND options ".TP\n.B ${name}\n")
  elseif(line MATCHES "^   +(.*)$")
    roff_text("${CMAKE_MATCH_1}" text)
    string(APPEND options "${text}\n")
  elseif(section STREQUAL "paragraph")
    roff_text("${line}" text)
    string(APPEND options "${text}\n")
  else()
    set(section paragraph)
    roff_text("${line}" text)
    string(APPEND options ".PP\n${text}\n")
  endif()
endforeach()

string(TOUPPER "vantamorph" title)
file(WRITE "${OUT}.part"
".TH ${title} 1 \"\" \"Vantamorph ${VERSION}\" \"User Commands\"
.SH NAME
vantamorph \\- design logos and publish them as pictures
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
Vantamorph is a logo designer: put texts, clip\\-art symbols and pictures together on a
canvas, save the design as a project (\\fI.vmp\\fR) and publish it as a picture or a
print\\-ready file, or print it.
Started with a project, it opens that project as Open Project does.
.SH OPTIONS
${options}.SH SEE ALSO
The user guide and the help page (\\fIVantamorph.html\\fR in the program folder).
")
file(RENAME "${OUT}.part" "${OUT}")
execute_process(COMMAND "${GZIP}" -9 -n -k -f "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_manpage.cmake: cannot gzip ${OUT}")
endif()
