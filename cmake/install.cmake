# install.cmake: Talmir as an installed desktop application. `cmake --install`
# lays out the program, its generated textures and sound, the menu entry, the
# icon, the AppStream metadata, the manual page and the documents under the
# usual GNU folders; cmake/package.cmake turns the same tree into a .deb.

include(GNUInstallDirs)

# The files below are named for TALMIR_APP_ID (set in the top CMakeLists.txt).
# The project has no web site yet, so the metadata and the package name no
# homepage until it has one. The package's maintainer (a field Debian
# requires) is the name and address the project's commits carry.
set(TALMIR_MAINTAINER "Talmir maintainers <maintainers@users.noreply.c-seed-94b734dc.example>")

# talmir_changelog_time(OUT DATE): noon UTC on DATE (YYYY-MM-DD) as the
# Debian changelog writes a moment, "Wed, 09 Dec 2026 12:00:00 +0000". The
# weekday by Sakamoto's rule (0 is Sunday).
function(talmir_changelog_time out date)
  if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "TALMIR_RELEASE_DATE must read YYYY-MM-DD, not '${date}'")
  endif()
  set(yearText ${CMAKE_MATCH_1})
  set(dayText ${CMAKE_MATCH_3})
  string(REGEX REPLACE "^0" "" month ${CMAKE_MATCH_2})
  string(REGEX REPLACE "^0" "" day ${dayText})
  set(monthOffsets 0 3 2 5 0 3 5 1 4 6 2 4)
  set(monthNames Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(dayNames Sun Mon Tue Wed Thu Fri Sat)
  math(EXPR index "${month} - 1")
  list(GET monthOffsets ${index} offset)
  list(GET monthNames ${index} monthName)
  set(year ${yearText})
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  list(GET dayNames ${weekday} dayName)
  set(${out} "${dayName}, ${dayText} ${monthName} ${yearText} 12:00:00 +0000" PARENT_SCOPE)
endfunction()
talmir_changelog_time(TALMIR_RELEASE_TIME ${TALMIR_RELEASE_DATE})

# Folders made on the way get the usual modes whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TALMIR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TALMIR_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${TALMIR_PACKAGING_DIR}/talmir.desktop.in ${TALMIR_PACKAGING_OUT}/${TALMIR_APP_ID}.desktop @ONLY)
configure_file(${TALMIR_PACKAGING_DIR}/talmir.metainfo.xml.in ${TALMIR_PACKAGING_OUT}/${TALMIR_APP_ID}.metainfo.xml @ONLY)
configure_file(${TALMIR_PACKAGING_DIR}/talmir.6.in ${TALMIR_PACKAGING_OUT}/talmir.6 @ONLY)
configure_file(${TALMIR_PACKAGING_DIR}/changelog.in ${TALMIR_PACKAGING_OUT}/changelog @ONLY)

# ---- the icon: a frame of the real scene, rendered offscreen by the frame
# tool (the view of the README's screenshot), cut square and scaled by
# talmir-icon. Rendering needs Mesa's drivers, not a display; the sanitizer
# build's frame tool runs without leak detection, as its GL tests do.
set(TALMIR_ICON_SIZES 48 128 256)
set(TALMIR_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(TALMIR_ICON_FILES)
foreach(size ${TALMIR_ICON_SIZES})
  list(APPEND TALMIR_ICON_FILES ${TALMIR_ICON_DIR}/${TALMIR_APP_ID}-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${TALMIR_ICON_FILES} ${TALMIR_ICON_DIR}/frame-120.png
  COMMAND ${CMAKE_COMMAND} -E env SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:talmir-frames> --run-dir ${CMAKE_BINARY_DIR}/run --out ${TALMIR_ICON_DIR}
          --hold rbutton:1-200 --mouse 0,-70@40 --frames 120
  COMMAND talmir-icon ${TALMIR_ICON_DIR}/frame-120.png 300 100 512 ${TALMIR_ICON_DIR}/${TALMIR_APP_ID}
          ${TALMIR_ICON_SIZES}
  DEPENDS talmir-frames talmir-icon talmir-assets
  COMMENT "Rendering a frame for Talmir's icon"
  VERBATIM)
add_custom_target(talmir-icons ALL DEPENDS ${TALMIR_ICON_FILES})

# The page's icons (`make web` packs them with the page): the same square of
# the same frame, at the sizes a web app's manifest asks for. Not installed.
set(TALMIR_WEB_ICON_DIR ${TALMIR_ICON_DIR}/web)
set(TALMIR_WEB_ICON_FILES ${TALMIR_WEB_ICON_DIR}/talmir-192.png ${TALMIR_WEB_ICON_DIR}/talmir-512.png)
add_custom_command(
  OUTPUT ${TALMIR_WEB_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TALMIR_WEB_ICON_DIR}
  COMMAND talmir-icon ${TALMIR_ICON_DIR}/frame-120.png 300 100 512 ${TALMIR_WEB_ICON_DIR}/talmir 192 512
  DEPENDS ${TALMIR_ICON_DIR}/frame-120.png talmir-icon
  COMMENT "Making the page's icons"
  VERBATIM)
add_custom_target(talmir-web-icons DEPENDS ${TALMIR_WEB_ICON_FILES})
add_dependencies(talmir-web-icons talmir-icons)  # the frame is rendered once, by the desktop icon's rule

# The Windows build's icon (`make windows` links it into talmir.exe and gives
# it to the installer): the same square of the same frame at the sizes
# Windows shows, packed into icons/windows/talmir.ico (cmake/ico_pack.py).
set(TALMIR_WINDOWS_ICON_DIR ${TALMIR_ICON_DIR}/windows)
set(TALMIR_WINDOWS_ICON_SIZES 16 24 32 48 256)
set(TALMIR_WINDOWS_ICON_PICTURES)
foreach(size ${TALMIR_WINDOWS_ICON_SIZES})
  list(APPEND TALMIR_WINDOWS_ICON_PICTURES ${TALMIR_WINDOWS_ICON_DIR}/talmir-${size}.png)
endforeach()
find_package(Python3 COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${TALMIR_WINDOWS_ICON_DIR}/talmir.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TALMIR_WINDOWS_ICON_DIR}
  COMMAND talmir-icon ${TALMIR_ICON_DIR}/frame-120.png 300 100 512 ${TALMIR_WINDOWS_ICON_DIR}/talmir
          ${TALMIR_WINDOWS_ICON_SIZES}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/ico_pack.py ${TALMIR_WINDOWS_ICON_DIR}/talmir.ico
          ${TALMIR_WINDOWS_ICON_PICTURES}
  DEPENDS ${TALMIR_ICON_DIR}/frame-120.png talmir-icon ${CMAKE_SOURCE_DIR}/cmake/ico_pack.py
  COMMENT "Making the Windows build's icon"
  VERBATIM)
add_custom_target(talmir-windows-icon DEPENDS ${TALMIR_WINDOWS_ICON_DIR}/talmir.ico)
add_dependencies(talmir-windows-icon talmir-icons)

# ---- what is installed
install(TARGETS talmir RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The generated assets, as the program finds them in ../share/talmir.
install(DIRECTORY ${CMAKE_BINARY_DIR}/run/Tex ${CMAKE_BINARY_DIR}/run/Sound
  DESTINATION ${CMAKE_INSTALL_DATADIR}/talmir
  FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav")
install(FILES ${TALMIR_PACKAGING_OUT}/${TALMIR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TALMIR_PACKAGING_OUT}/${TALMIR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${TALMIR_ICON_SIZES})
  install(FILES ${TALMIR_ICON_DIR}/${TALMIR_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${TALMIR_APP_ID}.png)
endforeach()
install(FILES ${TALMIR_PACKAGING_OUT}/talmir.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# As an XScreenSaver module: the daemon looks for its modules in
# libexec/xscreensaver (a relative link to the program, which still finds
# its data through its own path) and the settings dialog for their
# descriptions in share/xscreensaver/config.
set(TALMIR_SAVER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH TALMIR_SAVER_TARGET /root/${TALMIR_SAVER_DIR} /root/${CMAKE_INSTALL_BINDIR}/talmir)
file(CREATE_LINK ${TALMIR_SAVER_TARGET} ${TALMIR_PACKAGING_OUT}/talmir-saver-link SYMBOLIC)
install(FILES ${TALMIR_PACKAGING_OUT}/talmir-saver-link DESTINATION ${TALMIR_SAVER_DIR} RENAME talmir)
install(FILES ${TALMIR_PACKAGING_DIR}/talmir.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${TALMIR_PACKAGING_DIR}/copyright ${TALMIR_PACKAGING_OUT}/changelog
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
