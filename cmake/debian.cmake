# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# Run by cpack between staging the installed files and packing them: what a Debian package asks
# of them beyond a plain install. Debian keeps games in /usr/games, where the desktop entry's Exec
# still finds the program through the users' PATH, and dh_strip also drops the compiler's notes.

if(CPACK_GENERATOR STREQUAL "DEB")
    set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
    set(program ${staged}/games/tavlin)
    file(MAKE_DIRECTORY ${staged}/games)
    file(RENAME ${staged}/${CPACK_TAVLIN_BINDIR}/tavlin ${program})
    file(GLOB left ${staged}/${CPACK_TAVLIN_BINDIR}/*)
    if(NOT left)
        file(REMOVE_RECURSE ${staged}/${CPACK_TAVLIN_BINDIR})
    endif()
    execute_process(COMMAND ${CPACK_TAVLIN_STRIP} --remove-section=.comment
        --remove-section=.note --strip-unneeded ${program} COMMAND_ERROR_IS_FATAL ANY)
endif()
