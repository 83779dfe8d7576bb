# install.cmake: Talmir as an installed desktop application. `cmake --install`
# lays out the program, its generated textures and sound, the menu entry, the
# icon, the AppStream metadata, the manual page and the documents under the
# usual GNU folders; cmake/package.cmake turns the same tree into a .deb.

include(GNUInstallDirs)

# The one application id: the desktop file, the icon and the metadata are
# named for it, and the metadata and the desktop file refer to each other by it.
set(TALMIR_APP_ID org.talmir.Talmir)
# The project has no web site yet: a reserved example address (RFC 2606)
# stands in for the homepage and the screenshot's address until it has one.
set(TALMIR_HOMEPAGE https://talmir.example)
set(TALMIR_MAINTAINER "Talmir maintainers <maintainers@users.noreply.c-seed-94b734dc.example>")
# The release of PROJECT_VERSION: the metadata and the manual page take the
# day, the Debian changelog the same moment in its own form.
set(TALMIR_RELEASE_DATE 2026-12-09)
set(TALMIR_RELEASE_TIME "Wed, 09 Dec 2026 12:00:00 +0000")

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
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${TALMIR_PACKAGING_DIR}/copyright ${TALMIR_PACKAGING_OUT}/changelog
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
