# The Debian package (bash tools/package.sh): what cmake --install lays out
# under /usr, plus the package's copyright file and changelog. CPack reads the
# settings below; `cpack -G DEB` in the build folder writes
# vantamorph_<version>_amd64.deb.

set(VM_PACKAGE_NAME vantamorph)
set(VM_DOC_DIR share/doc/${VM_PACKAGE_NAME})
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build_dir ${CMAKE_BINARY_DIR}/packaging)

# A licence text as a copyright-file paragraph body: every line indented, empty ones as " .".
function(vm_copyright_text file first_line out)
  file(STRINGS ${file} lines ENCODING UTF-8)
  set(body "")
  set(started FALSE)
  foreach(line IN LISTS lines)
    if(NOT started AND line MATCHES "${first_line}")
      set(started TRUE)
    endif()
    if(NOT started)
      continue()
    endif()
    string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")
    if(line STREQUAL "")
      string(APPEND body " .\n")
    else()
      string(APPEND body " ${line}\n")
    endif()
  endforeach()
  string(REGEX REPLACE "( \\.\n)+$" "" body "${body}")
  string(REGEX REPLACE "\n$" "" body "${body}")
  set(${out} "${body}" PARENT_SCOPE)
endfunction()

vm_copyright_text(${PROJECT_SOURCE_DIR}/data/datasrc/ClipArts/Phosphor-LICENSE.txt "^Permission is hereby" EXPAT_TEXT)
vm_copyright_text(${PROJECT_SOURCE_DIR}/data/fonts/OFL.txt "^SIL OPEN FONT LICENSE" OFL_TEXT)
configure_file(${packaging_dir}/copyright.in ${packaging_build_dir}/copyright @ONLY)

# The changelog ships gzipped without a name or time, so the package is reproducible.
find_program(VM_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${packaging_build_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging_dir}/changelog ${packaging_build_dir}/changelog
  COMMAND ${VM_GZIP} -9 -n -f ${packaging_build_dir}/changelog
  DEPENDS ${packaging_dir}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(vm_package_docs ALL DEPENDS ${packaging_build_dir}/changelog.gz)
install(FILES ${packaging_build_dir}/copyright ${packaging_build_dir}/changelog.gz DESTINATION ${VM_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VM_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vantamorph developers")
set(CPACK_PACKAGE_CONTACT "The Vantamorph developers <developers@vantamorph.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logo designer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME ${VM_PACKAGE_NAME}_${PROJECT_VERSION}_amd64.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; CPack indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vantamorph puts texts, clip-art symbols and pictures together on a canvas,
saves the design as a project and publishes it as PNG, JPG, GIF, TIFF, EPS,
SVG or PDF at exact sizes, as a whole brand pack, or prints it.")
# Shared libraries are found by dpkg-shlibdeps; the tools the program runs are
# named here: the converter (ImageMagick), Ghostscript for EPS and PDF, the
# desktop's opener for links and the help page, and the Qt image plugins for TIFF.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "imagemagick, ghostscript, xdg-utils, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "poppler-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# tools/package.sh builds first; packaging then installs without building the tests again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
# Only what cmake --install lays out, never the build's own tools.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/")
include(CPack)
