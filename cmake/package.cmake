# package.cmake: the Debian package, built by CPack from the tree that
# cmake/install.cmake lays out (`make package`: build/talmir_VERSION_amd64.deb).
# Installed under /usr, the program in /usr/games as Debian wants a game
# (cmake/debian_tree.cmake); the library dependencies are worked out by
# dpkg-shlibdeps from the program itself.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talmir)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)  # the symbols stay in the build folder

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # talmir_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TALMIR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)  # which runs it as a screensaver
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The first line is the synopsis, the rest the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "real-time 3-D landscape viewer
Talmir draws a textured sky, a hilly terrain, a patch of ground and a
hundred clumps of ferns, bushes and grass swaying in the wind, under fog
and one light, with a calm outdoor sound looping behind it. The view turns
slowly by itself; the mouse and the keyboard tilt, roll, lift and move it.
.
It is drawn with fixed-function OpenGL on SDL2; its textures, font and
sound are made by its own generator.")

# Debian's layout of the staged tree; the plain install keeps the GNU one.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_tree.cmake)
set(CPACK_TALMIR_BINDIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_TALMIR_STRIP ${CMAKE_STRIP})
set(CPACK_TALMIR_MANDIR ${CMAKE_INSTALL_MANDIR})
set(CPACK_TALMIR_SAVER_DIR ${TALMIR_SAVER_DIR})
set(CPACK_TALMIR_DOCDIR ${CMAKE_INSTALL_DOCDIR})

include(CPack)
