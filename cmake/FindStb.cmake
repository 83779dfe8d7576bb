# FindStb: the stb single-file libraries' image reader and writer, from the
# headers Debian's libstb-dev puts in /usr/include/stb (our sources include
# them as <stb/stb_image.h> and <stb/stb_image_write.h>).
#
# Gives Stb::Stb to link. It needs only the headers: their implementation is
# compiled here once, from stb_implementation.c beside this file, rather than
# taken from a prebuilt libstb, so a build whose system has the headers alone
# links the same way. Set Stb_INCLUDE_DIR to the folder that holds stb/ to
# use headers from elsewhere.

if(CMAKE_CROSSCOMPILING AND NOT Stb_INCLUDE_DIR)
  # A cross build (Windows, the browser) takes the build machine's stb
  # headers, and only them: a folder of its own links to their stb/ folder,
  # so the rest of the build machine's /usr/include stays out of sight.
  find_path(Stb_BUILD_MACHINE_DIR NAMES stb/stb_image.h PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
    DOC "The build machine's folder holding stb/")
  if(Stb_BUILD_MACHINE_DIR)
    set(Stb_INCLUDE_DIR ${CMAKE_BINARY_DIR}/stb-headers)
    file(MAKE_DIRECTORY ${Stb_INCLUDE_DIR})
    file(CREATE_LINK ${Stb_BUILD_MACHINE_DIR}/stb ${Stb_INCLUDE_DIR}/stb SYMBOLIC)
  endif()
endif()
find_path(Stb_INCLUDE_DIR NAMES stb/stb_image.h
  DOC "The folder holding stb/stb_image.h and stb/stb_image_write.h")
if(Stb_INCLUDE_DIR AND EXISTS "${Stb_INCLUDE_DIR}/stb/stb_image_write.h")
  set(Stb_IMAGE_WRITE_HEADER "${Stb_INCLUDE_DIR}/stb/stb_image_write.h")
else()
  set(Stb_IMAGE_WRITE_HEADER Stb_IMAGE_WRITE_HEADER-NOTFOUND)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Stb
  REQUIRED_VARS Stb_INCLUDE_DIR Stb_IMAGE_WRITE_HEADER
  REASON_FAILURE_MESSAGE
    "stb's image headers are missing. On Debian install them with: apt-get install libstb-dev")
mark_as_advanced(Stb_INCLUDE_DIR)

if(Stb_FOUND AND NOT TARGET Stb::Stb)
  add_library(talmir_stb STATIC "${CMAKE_CURRENT_LIST_DIR}/stb_implementation.c")
  target_include_directories(talmir_stb SYSTEM PRIVATE "${Stb_INCLUDE_DIR}")
  # Compiled as a prebuilt library would be, in every build type: optimised
  # and without the sanitizers. It is not our code to debug, and the tests
  # that read and write pictures in the sanitizer build stay quick.
  target_compile_options(talmir_stb PRIVATE -O2 -fno-sanitize=all)
  # stb_image calls pow(): a C program linking it needs the maths library,
  # which a C++ program gets with its standard library.
  if(UNIX)
    target_link_libraries(talmir_stb PUBLIC m)
  endif()
  add_library(Stb::Stb INTERFACE IMPORTED)
  set_target_properties(Stb::Stb PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${Stb_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES talmir_stb)
endif()
