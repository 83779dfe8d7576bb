# windows.cmake: the Windows build, cross-built with cmake/mingw-w64-x86_64.cmake
# (`make windows`): the viewer on the Win32 backend, bmp2ppm, talmir-frames,
# the unit tests, the end-to-end tests under Wine, and talmir-windows.zip.
# The top-level CMakeLists.txt reads this file instead of its SDL2 part.

# ---- GL's headers. mingw-w64's <GL/gl.h> reads <windows.h> unless it is told
# how GL's functions are declared, and the program above the platform layer
# must never see <windows.h> (its WM_* macros would rewrite platform.h). The
# backend's own files read <windows.h> and do not take these.
add_library(talmir_gl_headers INTERFACE)
target_compile_definitions(talmir_gl_headers INTERFACE
  "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall CALLBACK=__stdcall)
target_link_libraries(talmir_gl_headers INTERFACE glu32 opengl32)

# ---- the program's own code, as on Linux
file(GLOB TALMIR_CORE_SOURCES CONFIGURE_DEPENDS
  src/app/*.cpp src/camera/*.cpp src/scene/*.cpp src/assets/*.cpp)
list(FILTER TALMIR_CORE_SOURCES EXCLUDE REGEX "src/app/main\\.cpp$")
add_library(talmir_core STATIC ${TALMIR_CORE_SOURCES})
target_include_directories(talmir_core PUBLIC src)
target_link_libraries(talmir_core PRIVATE talmir_gl_headers)
target_link_libraries(talmir_core INTERFACE glu32 opengl32)
target_compile_definitions(talmir_core PRIVATE TALMIR_VERSION="${PROJECT_VERSION}")

# ---- the Win32 backend: file views on their own (the tests' backend uses
# them too), then the rest.
add_library(talmir_platform_common STATIC src/platform/win32_file_view.cpp)
target_include_directories(talmir_platform_common PUBLIC src)

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

# ---- stb, for the frame tool's pictures and the tests' comparisons: its
# headers from the build machine, compiled here for Windows.
find_path(TALMIR_STB_INCLUDE_DIR stb/stb_image.h NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(TALMIR_STB_HEADERS ${CMAKE_BINARY_DIR}/stb-headers)
file(MAKE_DIRECTORY ${TALMIR_STB_HEADERS})
file(CREATE_LINK ${TALMIR_STB_INCLUDE_DIR}/stb ${TALMIR_STB_HEADERS}/stb SYMBOLIC)
file(WRITE ${CMAKE_BINARY_DIR}/stb_implementation.c
  "#define STB_IMAGE_IMPLEMENTATION\n#include <stb/stb_image.h>\n"
  "#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb/stb_image_write.h>\n")
add_library(stb STATIC ${CMAKE_BINARY_DIR}/stb_implementation.c)
target_include_directories(stb SYSTEM PUBLIC ${TALMIR_STB_HEADERS})
target_compile_options(stb PRIVATE -w)  # not our code

# ---- tools
# The picture goes to standard output byte for byte.
add_executable(bmp2ppm tools/bmp2ppm.cpp src/platform/win32_binary_streams.cpp)
target_link_libraries(bmp2ppm PRIVATE talmir_core talmir_platform_win32)

add_executable(talmir-frames tools/talmir_frames.cpp)
target_link_libraries(talmir-frames PRIVATE talmir_core talmir_platform_win32 talmir_gl_headers stb)

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
