# Places one file of the program folder. Run as
#   cmake -DMODE=<copy|copy-if-absent|link> -DSRC=<from> -DDST=<to> -P stage.cmake
#
#   copy            replace DST with SRC
#   copy-if-absent  copy only when DST does not exist yet (files the user owns once
#                   installed, such as the recent-file history)
#   link            make DST a symbolic link to SRC
#
# Every mode writes a temporary name beside DST and renames it into place, so a
# reader never sees half a file and an interrupted build leaves the old one.

cmake_minimum_required(VERSION 3.21)

foreach(var MODE SRC DST)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "stage.cmake: ${var} is not set")
  endif()
endforeach()

get_filename_component(dst_dir "${DST}" DIRECTORY)
get_filename_component(dst_name "${DST}" NAME)
set(tmp "${dst_dir}/.${dst_name}.staging")
file(MAKE_DIRECTORY "${dst_dir}")
file(REMOVE "${tmp}")

if(MODE STREQUAL "copy-if-absent")
  if(EXISTS "${DST}" OR IS_SYMLINK "${DST}")
    return()
  endif()
  set(MODE copy)
endif()

if(MODE STREQUAL "copy")
  if(NOT EXISTS "${SRC}")
    message(FATAL_ERROR "stage.cmake: ${SRC} does not exist")
  endif()
  file(COPY_FILE "${SRC}" "${tmp}")
elseif(MODE STREQUAL "link")
  if(IS_SYMLINK "${DST}")
    file(READ_SYMLINK "${DST}" current)
    if(current STREQUAL SRC)
      return()
    endif()
  endif()
  file(CREATE_LINK "${SRC}" "${tmp}" SYMBOLIC)
else()
  message(FATAL_ERROR "stage.cmake: unknown MODE '${MODE}'")
endif()

file(RENAME "${tmp}" "${DST}")
