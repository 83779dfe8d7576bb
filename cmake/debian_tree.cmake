# debian_tree.cmake: run by CPack on the staged tree before it packs it, to
# give the tree what Debian asks of a package in the games section that the
# plain install does not: the program in /usr/games (found on every user's
# PATH; it still finds its data in ../share/talmir) without the compiler's
# .comment and .note sections (as dh_strip leaves programs), XScreenSaver's
# link to it following it there, and the manual page and the changelog
# compressed with gzip -9n (no name or time inside).
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})

function(require path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "debian_tree: ${path} was not staged")
  endif()
endfunction()

require(${staged}/${CPACK_TALMIR_BINDIR}/talmir)
file(MAKE_DIRECTORY ${staged}/games)
file(RENAME ${staged}/${CPACK_TALMIR_BINDIR}/talmir ${staged}/games/talmir)
execute_process(COMMAND ${CPACK_TALMIR_STRIP} --remove-section=.comment --remove-section=.note
                ${staged}/games/talmir RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "debian_tree: ${CPACK_TALMIR_STRIP} ${staged}/games/talmir failed")
endif()
# XScreenSaver's link to the program follows it there.
set(saverLink ${staged}/${CPACK_TALMIR_SAVER_DIR}/talmir)
if(NOT IS_SYMLINK ${saverLink})
  message(FATAL_ERROR "debian_tree: ${saverLink} was not staged as a link")
endif()
file(RELATIVE_PATH saverTarget ${staged}/${CPACK_TALMIR_SAVER_DIR} ${staged}/games/talmir)
file(REMOVE ${saverLink})
file(CREATE_LINK ${saverTarget} ${saverLink} SYMBOLIC)
file(GLOB left ${staged}/${CPACK_TALMIR_BINDIR}/*)
if(NOT left)
  file(REMOVE_RECURSE ${staged}/${CPACK_TALMIR_BINDIR})
endif()

foreach(file ${CPACK_TALMIR_MANDIR}/man6/talmir.6 ${CPACK_TALMIR_DOCDIR}/changelog)
  require(${staged}/${file})
  execute_process(COMMAND gzip -9nf ${staged}/${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "debian_tree: gzip ${staged}/${file} failed")
  endif()
endforeach()
