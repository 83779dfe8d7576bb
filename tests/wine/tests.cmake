# tests.cmake (tests/wine): the Windows build's tests. The unit tests and the
# tools run as Windows programs under Wine, in a throw-away Wine prefix in the
# build folder; the end-to-end scripts drive talmir.exe under Wine on Xvfb.

set(TESTS ${CMAKE_SOURCE_DIR}/tests)

# ---- helpers of the end-to-end scripts, Windows programs themselves
# (their words reach the scripts as written, without the C runtime's "\r\n").
add_executable(picture_compare ${TESTS}/tools/picture_compare.cpp)
target_link_libraries(picture_compare PRIVATE talmir_test_support talmir_binary_streams)
add_executable(box_text ${TESTS}/tools/box_text.cpp)
target_link_libraries(box_text PRIVATE talmir_binary_streams)
add_executable(saver_host ${TESTS}/tools/saver_host.cpp)
target_link_libraries(saver_host PRIVATE talmir_binary_streams)

# ---- CTest: every Wine test needs the prefix, made once before the first
# and removed after the last.
set(TALMIR_WINE ${TESTS}/wine)
add_test(NAME wine.prefix.create COMMAND bash ${TALMIR_WINE}/prefix.sh create ${CMAKE_BINARY_DIR})
add_test(NAME wine.prefix.remove COMMAND bash ${TALMIR_WINE}/prefix.sh remove ${CMAKE_BINARY_DIR})
set_tests_properties(wine.prefix.create PROPERTIES FIXTURES_SETUP wine TIMEOUT 240)
set_tests_properties(wine.prefix.remove PROPERTIES FIXTURES_CLEANUP wine)

# The unit tests, the loader's cases among them, as one Windows program.
# Left out: the generator's own check, which runs the build machine's
# generator (the Linux tests run it).
set_target_properties(unit_tests PROPERTIES
  CROSSCOMPILING_EMULATOR "bash;${TALMIR_WINE}/run.sh;${CMAKE_BINARY_DIR}")
add_test(NAME wine.unit_tests COMMAND unit_tests --gtest_filter=-AssetPack.GeneratorWritesTheSameBytesOnEveryRun)
set_tests_properties(wine.unit_tests PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 300)

# bmp2ppm.exe through the Linux build's own script, which finds it as
# BUILD/bmp2ppm: here a line that runs it under Wine.
file(WRITE ${CMAKE_BINARY_DIR}/wine-tools/bmp2ppm
  "#!/usr/bin/env bash\nexec bash '${TALMIR_WINE}/run.sh' '${CMAKE_BINARY_DIR}' '${CMAKE_BINARY_DIR}/bmp2ppm.exe' \"$@\"\n")
file(CHMOD ${CMAKE_BINARY_DIR}/wine-tools/bmp2ppm PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
add_test(NAME wine.bmp2ppm COMMAND bash ${TESTS}/e2e/test_bmp2ppm.sh)
set_tests_properties(wine.bmp2ppm PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 240
  ENVIRONMENT "TALMIR_BUILD_DIR=${CMAKE_BINARY_DIR}/wine-tools")

# End to end: talmir.exe and talmir-frames.exe under Wine on Xvfb, one
# script at a time.
# The scripts watch the screen with the build machine's own helper
# (screen_changes, from the Linux build beside the generator).
get_filename_component(TALMIR_HOST_BUILD ${TALMIR_ASSETGEN} DIRECTORY)
file(GLOB WINE_SCRIPTS CONFIGURE_DEPENDS ${TALMIR_WINE}/test_*.sh)
foreach(script ${WINE_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME wine.${name} COMMAND bash ${script})
  set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 300 RUN_SERIAL TRUE
    ENVIRONMENT "TALMIR_BUILD_DIR=${CMAKE_BINARY_DIR};TALMIR_SOURCE_DIR=${CMAKE_SOURCE_DIR};SCREEN_CHANGES=${TALMIR_HOST_BUILD}/tests/screen_changes;AREA_STATS=${TALMIR_HOST_BUILD}/tests/area_stats;SCREENGRAB=${TALMIR_HOST_BUILD}/screengrab;TALMIR_ZIP=${TALMIR_ZIP};TALMIR_SETUP=${TALMIR_SETUP};TALMIR_WINDOWS_ICON=${TALMIR_WINDOWS_ICON};TALMIR_VERSION=${PROJECT_VERSION}")
endforeach()
# The installer's script makes a Wine prefix of its own and installs twice.
set_tests_properties(wine.test_wine_installer PROPERTIES TIMEOUT 600)

# Calls run one way through the Win32 backend too (tests/structure/backend_calls.py).
add_test(NAME structure.win32_backend_calls COMMAND python3 ${TESTS}/structure/backend_calls.py ${CMAKE_NM}
  ${CMAKE_BINARY_DIR}/src/platform/win32/CMakeFiles/talmir_platform_win32.dir)
set_tests_properties(structure.win32_backend_calls PROPERTIES LABELS structure)

# The zip as it is handed out: talmir.exe, the same program as talmir.scr,
# its assets and the licence in one folder, talmir (tests/release/check_zip.sh).
add_test(NAME release.windows_zip COMMAND bash ${TESTS}/release/check_zip.sh ${TALMIR_ZIP} talmir
  talmir.exe=$<TARGET_FILE:talmir> talmir.scr=$<TARGET_FILE:talmir> LICENSE.txt=${CMAKE_SOURCE_DIR}/LICENSE
  Tex=${CMAKE_BINARY_DIR}/run/Tex Sound=${CMAKE_BINARY_DIR}/run/Sound)
set_tests_properties(release.windows_zip PROPERTIES LABELS release)

# talmir.exe's icon and version, and the installer's version, as Explorer
# reads them (tests/release/check_version_resource.py, with icoutils' wrestool).
add_test(NAME release.windows_version COMMAND python3 ${TESTS}/release/check_version_resource.py ${PROJECT_VERSION}
  ${TALMIR_SETUP} --icon ${TALMIR_WINDOWS_ICON} $<TARGET_FILE:talmir>)
set_tests_properties(release.windows_version PROPERTIES LABELS release)
