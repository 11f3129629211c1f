# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# Writes the package's machine-readable copyright file (Debian's DEP-5 format) from the REUSE
# data, so that the licensing is stated once: a paragraph from the SPDX header of each file in
# HEADERS (the first one's stands for every file, "Files: *"), one per annotation of REUSE.toml,
# then the text of each licence they name, from LICENSES/.
# Usage: cmake -DSOURCE_DIR=... -DHEADERS=a;b -DNAME=... -DCONTACT=... -DHOME=... -DOUTPUT=...
#        -P copyright.cmake

set(text "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${NAME}
Upstream-Contact: ${CONTACT}
Source: ${HOME}\n")
set(licenses)

# Appends one Files paragraph; a field of several lines continues on lines indented by a space.
function(add_paragraph files holders license)
    list(JOIN holders "\n " holders)
    string(APPEND text "\nFiles: ${files}\nCopyright: ${holders}\nLicense: ${license}\n")
    set(text "${text}" PARENT_SCOPE)
    list(APPEND licenses ${license})
    set(licenses "${licenses}" PARENT_SCOPE)
endfunction()

# The tag names below are code, not this file's own header.
# REUSE-IgnoreStart
foreach(file IN LISTS HEADERS)
    # Only a header counts: tags at the top, after nothing but comment marks.
    file(STRINGS ${SOURCE_DIR}/${file} tags REGEX "^[^A-Za-z]*SPDX-[A-Za-z-]+: " LIMIT_INPUT 1000
         ENCODING UTF-8)
    set(holders)
    set(license)
    foreach(tag IN LISTS tags)
        if(tag MATCHES "SPDX-FileCopyrightText: (.+)$")
            list(APPEND holders "${CMAKE_MATCH_1}")
        elseif(tag MATCHES "SPDX-License-Identifier: ([^ ]+)")
            set(license ${CMAKE_MATCH_1})
        endif()
    endforeach()
    if(NOT holders OR NOT license)
        message(FATAL_ERROR "${file} has no SPDX copyright or licence header")
    endif()
    list(GET HEADERS 0 first)
    if(file STREQUAL first)
        add_paragraph("*" "${holders}" ${license})
    else()
        add_paragraph(${file} "${holders}" ${license})
    endif()
endforeach()

# REUSE.toml's ** crosses folders; in DEP-5 every * does.
function(add_annotation)
    if(DEFINED paths)
        list(TRANSFORM paths REPLACE "\\*\\*" "*")
        list(JOIN paths " " paths)
        add_paragraph("${paths}" "${holders}" "${license}")
        set(text "${text}" PARENT_SCOPE)
        set(licenses "${licenses}" PARENT_SCOPE)
    endif()
endfunction()
file(STRINGS ${SOURCE_DIR}/REUSE.toml lines ENCODING UTF-8)
foreach(line IN LISTS lines)
    if(line STREQUAL "[[annotations]]")
        add_annotation()
        unset(paths)
    elseif(line MATCHES "^([A-Za-z-]+) *= *(.*)$")
        set(key ${CMAKE_MATCH_1})
        string(REGEX MATCHALL "\"[^\"]*\"" values "${CMAKE_MATCH_2}")
        list(TRANSFORM values REPLACE "^\"(.*)\"$" "\\1")
        if(key STREQUAL "path")
            set(paths ${values})
        elseif(key STREQUAL "SPDX-FileCopyrightText")
            set(holders ${values})
        elseif(key STREQUAL "SPDX-License-Identifier")
            set(license ${values})
        endif()
    endif()
endforeach()
add_annotation()
# REUSE-IgnoreEnd

list(REMOVE_DUPLICATES licenses)
foreach(license IN LISTS licenses)
    file(READ ${SOURCE_DIR}/LICENSES/${license}.txt body)
    string(STRIP "${body}" body)
    # Blank lines become "."; twice, since a match uses up the line break the next one starts with.
    string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" body "${body}")
    string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" body "${body}")
    string(REPLACE "\n" "\n " body "${body}")
    string(APPEND text "\nLicense: ${license}\n ${body}\n")
endforeach()
file(WRITE ${OUTPUT} "${text}")
