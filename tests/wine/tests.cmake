# tests.cmake (tests/wine): the Windows build's tests. The unit tests and the
# tools run as Windows programs under Wine, in a throw-away Wine prefix in the
# build folder; the end-to-end scripts drive talmir.exe under Wine on Xvfb.

# ---- GoogleTest from Debian's sources (the googletest package), built here
# with the cross compiler. Not our code: its warnings do not stop the build.
set(TALMIR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for Windows")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
get_directory_property(talmirCompileOptions COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "-w")
add_subdirectory(${TALMIR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${talmirCompileOptions}")

set(TESTS ${CMAKE_SOURCE_DIR}/tests)

# ---- the tests' backend: the recorder, without GL (the tests that draw run
# on Linux), with the Windows file views and the window frame model.
add_library(talmir_platform_recording STATIC ${TESTS}/support/recording_platform.cpp
  ${TESTS}/support/recording_gl_none.cpp src/platform/window_frame.cpp)
target_include_directories(talmir_platform_recording PUBLIC src ${TESTS})
target_link_libraries(talmir_platform_recording PUBLIC talmir_platform_common)

file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${TESTS}/support/*.cpp)
list(FILTER TEST_SUPPORT_SOURCES EXCLUDE REGEX "(recording_platform|recording_gl_.*|environment_posix|test_main)\\.cpp$")
add_library(talmir_test_support STATIC ${TEST_SUPPORT_SOURCES})
target_include_directories(talmir_test_support PUBLIC ${TESTS} src)
target_link_libraries(talmir_test_support PUBLIC talmir_core talmir_platform_recording talmir_gl_headers GTest::gtest stb)
target_compile_definitions(talmir_test_support PUBLIC
  TALMIR_BUILD_DIR="${CMAKE_BINARY_DIR}" TALMIR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${TESTS}/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES} ${TESTS}/support/test_main.cpp)
target_link_libraries(unit_tests PRIVATE talmir_test_support)
add_dependencies(unit_tests talmir-assets)
