# windows.cmake: the Windows build's zip (`make windows`, cross-built with
# cmake/mingw-w64-x86_64.cmake): the viewer, its tools and tests come from
# the same definitions as on Linux (src/, tools/, tests/).

# ---- talmir-windows.zip: a folder talmir with talmir.exe, Tex and Sound, as
# the program finds them beside itself when started from its folder.
set(TALMIR_ZIP ${CMAKE_BINARY_DIR}/talmir-windows.zip)
set(TALMIR_ZIP_STAGE ${CMAKE_BINARY_DIR}/zip)
add_custom_command(
  OUTPUT ${TALMIR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TALMIR_ZIP_STAGE} ${TALMIR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TALMIR_ZIP_STAGE}/talmir
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:talmir> ${TALMIR_ZIP_STAGE}/talmir/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/run/Tex ${TALMIR_ZIP_STAGE}/talmir/Tex
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/run/Sound ${TALMIR_ZIP_STAGE}/talmir/Sound
  COMMAND ${CMAKE_COMMAND} -E chdir ${TALMIR_ZIP_STAGE} ${CMAKE_COMMAND} -E tar cf ${TALMIR_ZIP} --format=zip talmir
  DEPENDS talmir talmir-assets
  COMMENT "Packing ${TALMIR_ZIP}"
  VERBATIM)
add_custom_target(talmir-zip ALL DEPENDS ${TALMIR_ZIP})
