# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# What cpack makes of the installed files: a .deb (and a tarball) on Linux, a ZIP on Windows, a
# disk image on macOS; and the documents installed beside the program: the copyright file made
# from the REUSE data, and on Linux the manual page and the changelog. The .deb's dependencies are
# read from the binary by dpkg-shlibdeps, so they follow whatever Qt the package was built against.

set(CPACK_PACKAGE_NAME tavlin)
set(CPACK_PACKAGE_VENDOR "Kelmar Games")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelmar Games <games@kelmargames.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TAVLIN_HOME_PAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Wrapped as Debian wants it, under 80 columns; an empty line starts a paragraph.
set(CPACK_PACKAGE_DESCRIPTION
"Peg solitaire played with marbles on the cross-shaped board of 33 holes.
Drag a marble over a neighbouring marble into the empty hole just beyond
it, horizontally or vertically; the marble jumped over leaves the board.
The aim is to leave a single marble, in the middle hole.

Every move can be undone and redone, and a new game can be started at any
moment. The game is played with the mouse and keeps no files.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tavlin Solitaire")
set(CPACK_PACKAGE_EXECUTABLES Tavlin "Tavlin Solitaire")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\\\.git/")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
elseif(APPLE)
    set(CPACK_GENERATOR DragNDrop)
else()
    set(CPACK_GENERATOR DEB TGZ)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layouts' font is mapped to Liberation Sans, whose metrics fit their fixed boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# Moves the program to /usr/games in the .deb only; cmake/debian.cmake reads these.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
set(CPACK_TAVLIN_BINDIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_TAVLIN_STRIP ${CMAKE_STRIP})

# The copyright file, made again whenever the REUSE data or a licence changes. The first header
# named stands for every file that has one; the AppStream data's differs.
set(doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
file(GLOB licenses CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSES/*.txt)
set(headers CMakeLists.txt resources/tavlin.metainfo.xml.in)
add_custom_command(OUTPUT ${doc_dir}/copyright
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} "-DHEADERS=${headers}"
        "-DNAME=Tavlin Solitaire" "-DCONTACT=${CPACK_PACKAGE_CONTACT}"
        -DHOME=${TAVLIN_HOME_PAGE} -DOUTPUT=${doc_dir}/copyright
        -P ${CMAKE_CURRENT_LIST_DIR}/copyright.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/copyright.cmake ${PROJECT_SOURCE_DIR}/REUSE.toml
        ${licenses} ${headers}
    COMMENT "Writing the copyright file from the REUSE data" VERBATIM)
set(docs ${doc_dir}/copyright)

if(UNIX AND NOT APPLE)
    # Compressed the Debian way: the most, and without a time stamp.
    find_program(TAVLIN_GZIP gzip REQUIRED)
    configure_file(${PROJECT_SOURCE_DIR}/docs/tavlin.6.in ${doc_dir}/tavlin.6 @ONLY)
    foreach(file ${doc_dir}/tavlin.6 ${PROJECT_SOURCE_DIR}/changelog)
        get_filename_component(name ${file} NAME)
        add_custom_command(OUTPUT ${doc_dir}/${name}.gz
            COMMAND ${TAVLIN_GZIP} -9n -c ${file} > ${doc_dir}/${name}.gz
            DEPENDS ${file})
        list(APPEND docs ${doc_dir}/${name}.gz)
    endforeach()
    install(FILES ${doc_dir}/tavlin.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    # Named after the package, not the project, as Debian wants.
    install(FILES ${doc_dir}/changelog.gz ${doc_dir}/copyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
else()
    # The licence travels with the program in the ZIP and the disk image.
    install(FILES ${doc_dir}/copyright DESTINATION . RENAME COPYRIGHT.txt)
endif()
add_custom_target(tavlin_docs ALL DEPENDS ${docs})

include(CPack)
