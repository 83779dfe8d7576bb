# mingw-w64-x86_64.cmake: cross-building Talmir for 64-bit Windows with
# Debian's mingw-w64 compilers. The -posix variants: their C++ library has
# std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALMIR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALMIR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALMIR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TALMIR_MINGW_TRIPLE}-windres)

# Headers and libraries come from the mingw-w64 tree only; programs that run
# during the build are the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${TALMIR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries its C and C++ runtimes (and the threads library the
# -posix runtime uses) inside, so the zip needs no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
