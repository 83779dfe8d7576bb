# windows.cmake: the Windows build, cross-built with cmake/mingw-w64-x86_64.cmake
# (`make windows`): the viewer on the Win32 backend, bmp2ppm, talmir-frames,
# the unit tests, the end-to-end tests under Wine, and talmir-windows.zip.
# The top-level CMakeLists.txt reads this file instead of its SDL2 part.

# ---- the Win32 backend's own files, beside what every backend shares.

file(GLOB TALMIR_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32_*.cpp)
list(FILTER TALMIR_WIN32_SOURCES EXCLUDE REGEX "win32_(console|binary_streams|file_view)\\.cpp$")
add_library(talmir_platform_win32 STATIC ${TALMIR_WIN32_SOURCES})
target_include_directories(talmir_platform_win32 PUBLIC src)
target_link_libraries(talmir_platform_win32 PUBLIC talmir_platform_common opengl32 gdi32 winmm)

# The entry is app/main.cpp, as on Linux: GCC gives any function named
# WinMain C linkage on Windows, so the viewer's own WinMain is the one the C
# runtime would start, and no second one can call it; the runtime's main,
# with the process's arguments, comes first and does what Linux does.
add_executable(talmir WIN32 src/app/main.cpp src/platform/win32_console.cpp)
target_link_libraries(talmir PRIVATE talmir_core talmir_platform_win32)
target_link_options(talmir PRIVATE $<$<CONFIG:Release>:-s>)  # the zip's program carries no symbols

# ---- tools
# The picture goes to standard output byte for byte.
add_executable(bmp2ppm tools/bmp2ppm.cpp src/platform/win32_binary_streams.cpp)
target_link_libraries(bmp2ppm PRIVATE talmir_loader)

add_executable(talmir-frames tools/talmir_frames.cpp)
target_link_libraries(talmir-frames PRIVATE talmir_core talmir_platform_win32 Stb::Stb)

# The bitmap writer, for the tests' files.
add_library(talmir_bitmap_writer STATIC tools/bitmap_writer/bitmap_writer.cpp tools/bitmap_writer/pattern_pictures.cpp)
target_include_directories(talmir_bitmap_writer PUBLIC tools)

# ---- the textures and the sound, from the generator built for this machine
# (the same bytes whoever runs it).
set(TALMIR_ASSETGEN "" CACHE FILEPATH "talmir-assetgen built for the build machine (make windows builds it)")
if(NOT EXISTS "${TALMIR_ASSETGEN}")
  message(FATAL_ERROR "The Windows build takes its assets from the build machine's generator: "
                      "give -DTALMIR_ASSETGEN=PATH/talmir-assetgen, or run `make windows`.")
endif()
set(TALMIR_ASSETS_STAMP ${CMAKE_BINARY_DIR}/assets.stamp)
add_custom_command(
  OUTPUT ${TALMIR_ASSETS_STAMP}
  COMMAND ${TALMIR_ASSETGEN} ${CMAKE_BINARY_DIR}/run
  COMMAND ${CMAKE_COMMAND} -E touch ${TALMIR_ASSETS_STAMP}
  DEPENDS ${TALMIR_ASSETGEN}
  COMMENT "Generating Talmir's textures and sound in ${CMAKE_BINARY_DIR}/run"
  VERBATIM)
add_custom_target(talmir-assets ALL DEPENDS ${TALMIR_ASSETS_STAMP})

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
  DEPENDS talmir ${TALMIR_ASSETS_STAMP}
  COMMENT "Packing ${TALMIR_ZIP}"
  VERBATIM)
add_custom_target(talmir-zip ALL DEPENDS ${TALMIR_ZIP})

if(TALMIR_TESTS)
  enable_testing()
  include(${CMAKE_SOURCE_DIR}/tests/wine/tests.cmake)
endif()
