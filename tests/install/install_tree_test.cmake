# Installs the build twice, into a DESTDIR (prefix /usr, as the package does)
# and into a second prefix, and checks each tree: the agreed layout, nothing
# of the developer's portable folder (logs, uploads, history, staging names),
# the relative command link, and a program that finds its folder through that
# link and runs a scripted session from it.
#   cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DWORK_DIR=<scratch> -P install_tree_test.cmake

cmake_minimum_required(VERSION 3.21)

set(failures 0)
macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR failures "${failures} + 1")
endmacro()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Paths every installed tree has, relative to its prefix.
set(expected_files
  bin/vantamorph
  lib/vantamorph/Vantamorph/vantamorph
  lib/vantamorph/Vantamorph/VantamorphPrinter
  lib/vantamorph/Vantamorph/swfmill
  lib/vantamorph/Vantamorph/App.Config
  lib/vantamorph/Vantamorph/Xml/english.xml
  lib/vantamorph/Vantamorph/Images/Splash.gif
  lib/vantamorph/Vantamorph/Vantamorph.html
  lib/vantamorph/Vantamorph/wait.swf
  lib/vantamorph/Vantamorph/bin/convert
  lib/vantamorph/flash/LogoMain.swf
  lib/vantamorph/flash/DrawBitmap.swf
  lib/vantamorph/datasrc/VM_Logos.xml
  lib/vantamorph/fonts/OFL.txt
  share/applications/vantamorph.desktop
  share/icons/hicolor/scalable/apps/vantamorph.svg
  share/icons/hicolor/16x16/apps/vantamorph.png
  share/icons/hicolor/512x512/apps/vantamorph.png
  share/metainfo/org.vantamorph.Vantamorph.metainfo.xml
  share/mime/packages/vantamorph.xml
  share/man/man1/vantamorph.1.gz
  share/doc/vantamorph/copyright
  share/doc/vantamorph/changelog.gz)
set(expected_folders
  lib/vantamorph/LogoImages
  lib/vantamorph/Vantamorph/bin/VmEPS
  lib/vantamorph/templates
  lib/vantamorph/ideas)

function(check_tree root label)
  foreach(path IN LISTS expected_files)
    if(NOT EXISTS ${root}/${path})
      fail("${label}: ${path} is missing")
    endif()
  endforeach()
  foreach(path IN LISTS expected_folders)
    if(NOT IS_DIRECTORY ${root}/${path})
      fail("${label}: folder ${path} is missing")
    endif()
  endforeach()
  file(GLOB uploads ${root}/lib/vantamorph/LogoImages/*)
  if(uploads)
    fail("${label}: LogoImages is not empty: ${uploads}")
  endif()

  file(READ_SYMLINK ${root}/bin/vantamorph link)
  if(NOT link STREQUAL "../lib/vantamorph/Vantamorph/vantamorph")
    fail("${label}: bin/vantamorph points at '${link}'")
  endif()
  file(READ_SYMLINK ${root}/lib/vantamorph/Vantamorph/bin/convert converter)
  if(NOT IS_ABSOLUTE "${converter}")
    fail("${label}: bin/convert points at '${converter}'")
  endif()

  # Nothing from a run: logs, history, staging or merge records, work files.
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${root}/lib/vantamorph ${root}/lib/vantamorph/*)
  list(FILTER entries INCLUDE REGEX "(^|/)(Error\\.log|\\.[^/]*\\.staging|\\.shipped|tmpEPS)$")
  if(entries)
    fail("${label}: the tree holds what a run leaves: ${entries}")
  endif()
  file(READ ${root}/lib/vantamorph/Vantamorph/App.Config shipped)
  file(READ ${SOURCE_DIR}/data/App.Config clean)
  if(NOT shipped STREQUAL clean)
    fail("${label}: App.Config is not the clean one from data/")
  endif()
  # Every font, template and idea file the build stages is installed as well.
  foreach(folder fonts templates ideas)
    file(GLOB_RECURSE staged RELATIVE ${BUILD_DIR}/dist/${folder} ${BUILD_DIR}/dist/${folder}/*)
    foreach(file IN LISTS staged)
      if(NOT EXISTS ${root}/lib/vantamorph/${folder}/${file})
        fail("${label}: ${folder}/${file} is staged but not installed")
      endif()
    endforeach()
  endforeach()
endfunction()

# The program runs from the tree through the command link and finds its folder there.
function(check_runs root label)
  set(home ${WORK_DIR}/home-${label})
  file(MAKE_DIRECTORY ${home}/run)
  file(WRITE ${home}/session.vmscript "wait ready\ndump state\n")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${home} XDG_CONFIG_HOME=${home}/config
            XDG_DATA_HOME=${home}/data XDG_STATE_HOME=${home}/state XDG_CACHE_HOME=${home}/cache
            XDG_RUNTIME_DIR=${home}/run
            ${root}/bin/vantamorph --script ${home}/session.vmscript --transcript ${home}/transcript.txt
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0 OR NOT EXISTS ${home}/transcript.txt)
    fail("${label}: the scripted session failed (${status}): ${out}${err}")
    return()
  endif()
  file(READ ${home}/transcript.txt transcript)
  string(FIND "${transcript}" "state InstallRoot \"${root}/lib/vantamorph/\"" at)
  if(at LESS 0)
    fail("${label}: the program did not find its folder in the tree:\n${transcript}")
  endif()
  execute_process(COMMAND ${root}/bin/vantamorph --help RESULT_VARIABLE status OUTPUT_VARIABLE help)
  if(NOT status EQUAL 0 OR NOT help MATCHES "PROJECT.vmp")
    fail("${label}: vantamorph --help failed (${status})")
  endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK_DIR}/destdir
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install into a DESTDIR failed: ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/second
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install into a second prefix failed: ${err}")
endif()
if(EXISTS ${WORK_DIR}/destdir/usr/local OR NOT EXISTS ${WORK_DIR}/destdir/usr/bin/vantamorph)
  fail("the DESTDIR install did not honour the prefix /usr")
endif()

check_tree(${WORK_DIR}/destdir/usr destdir)
check_tree(${WORK_DIR}/second second)
check_runs(${WORK_DIR}/destdir/usr destdir)
check_runs(${WORK_DIR}/second second)

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} install check(s) failed")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
