# windows.cmake: the Windows build's zip and installer (`make windows`,
# cross-built with cmake/mingw-w64-x86_64.cmake): the viewer, its tools and
# tests come from the same definitions as on Linux (src/, tools/, tests/).

# ---- talmir.exe's icon and version information (packaging/windows/talmir.rc.in):
# the icon the Linux build makes (make windows builds it there first).
set(TALMIR_WINDOWS_ICON "" CACHE FILEPATH "talmir.ico from the build machine's build (make windows makes it)")
if(NOT EXISTS "${TALMIR_WINDOWS_ICON}")
  message(FATAL_ERROR "The Windows build takes its icon from the build machine's build: "
                      "give -DTALMIR_WINDOWS_ICON=PATH/icons/windows/talmir.ico, or run `make windows`.")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/talmir.rc.in ${CMAKE_BINARY_DIR}/talmir.rc @ONLY)
target_sources(talmir PRIVATE ${CMAKE_BINARY_DIR}/talmir.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/talmir.rc PROPERTIES OBJECT_DEPENDS ${TALMIR_WINDOWS_ICON})

# ---- talmir-VERSION-windows.zip: a folder talmir with talmir.exe, Tex,
# Sound and the licence, as the program finds them beside itself, and
# talmir.scr, the same program under the name Windows gives screensavers
# (started as .scr it reads their /s, /p and /c), sharing that data. cmake/zip_folder.py packs it the same way
# whenever the same program and assets are packed (SOURCE_DATE_EPOCH dates it).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TALMIR_ZIP ${CMAKE_BINARY_DIR}/talmir-${PROJECT_VERSION}-windows.zip)
set(TALMIR_ZIP_STAGE ${CMAKE_BINARY_DIR}/zip)
add_custom_command(
  OUTPUT ${TALMIR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TALMIR_ZIP_STAGE} ${TALMIR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TALMIR_ZIP_STAGE}/talmir
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:talmir> ${TALMIR_ZIP_STAGE}/talmir/
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:talmir> ${TALMIR_ZIP_STAGE}/talmir/talmir.scr
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${TALMIR_ZIP_STAGE}/talmir/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/run/Tex ${TALMIR_ZIP_STAGE}/talmir/Tex
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/run/Sound ${TALMIR_ZIP_STAGE}/talmir/Sound
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/zip_folder.py ${TALMIR_ZIP} ${TALMIR_ZIP_STAGE}/talmir
  DEPENDS talmir talmir-assets ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/cmake/zip_folder.py
  COMMENT "Packing ${TALMIR_ZIP}"
  VERBATIM)
add_custom_target(talmir-zip ALL DEPENDS ${TALMIR_ZIP})

# ---- talmir-VERSION-setup.exe: the installer, made by NSIS's makensis from
# the folder the zip was just packed from (packaging/windows/talmir.nsi says
# what it installs and where), so after the zip's target (the zip's own rule
# in a second target would pack it twice at once), again when what the zip
# holds changes. makensis stores no file dates, so the same files give the
# same installer.
find_program(TALMIR_MAKENSIS makensis REQUIRED)
set(TALMIR_SETUP ${CMAKE_BINARY_DIR}/talmir-${PROJECT_VERSION}-setup.exe)
set(TALMIR_NSIS_SCRIPT ${CMAKE_SOURCE_DIR}/packaging/windows/talmir.nsi)
add_custom_command(
  OUTPUT ${TALMIR_SETUP}
  COMMAND ${TALMIR_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${TALMIR_ZIP_STAGE}/talmir
          -DICON=${TALMIR_WINDOWS_ICON} -DOUTFILE=${TALMIR_SETUP} ${TALMIR_NSIS_SCRIPT}
  DEPENDS talmir-zip talmir talmir-assets ${CMAKE_SOURCE_DIR}/LICENSE ${TALMIR_NSIS_SCRIPT} ${TALMIR_WINDOWS_ICON}
  COMMENT "Making the installer ${TALMIR_SETUP}"
  VERBATIM)
add_custom_target(talmir-setup ALL DEPENDS ${TALMIR_SETUP})
