# vm_add_library(NAME DIR LINKS...): one library target per subsystem folder.
# Sources are the folder's own .cpp/.h files (not its subfolders).
function(vm_add_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
