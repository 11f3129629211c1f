# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# Reads the changelog at the root, one entry per release, newest first, in the Debian format that
# the .deb ships as it is. It gives the AppStream releases (TAVLIN_RELEASES_XML) and the date of
# the newest one (TAVLIN_RELEASE_DATE, for the manual page); that entry must be this version.

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/changelog)
file(STRINGS ${PROJECT_SOURCE_DIR}/changelog lines ENCODING UTF-8)
set(TAVLIN_RELEASES_XML "")
unset(TAVLIN_RELEASE_DATE)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(items "")
set(item "")
foreach(line IN LISTS lines)
    string(REPLACE "&" "&amp;" line "${line}")
    string(REPLACE "<" "&lt;" line "${line}")
    string(REPLACE ">" "&gt;" line "${line}")
    if(line MATCHES "^tavlin \\(([^)]+)\\)")
        set(version ${CMAKE_MATCH_1})
    elseif(line MATCHES "^    (.+)$")
        string(APPEND item " ${CMAKE_MATCH_1}")
    else()
        # Anything else ends the item before it.
        if(NOT item STREQUAL "")
            string(APPEND items "          <li>${item}</li>\n")
            set(item "")
        endif()
        if(line MATCHES "^  \\* (.+)$")
            set(item "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
            # The sign-off ends the entry: "-- name <address>  Sun, 06 Dec 2026 12:00:00 +0000".
            set(year ${CMAKE_MATCH_3})
            math(EXPR day "${CMAKE_MATCH_1}")
            list(FIND months ${CMAKE_MATCH_2} month)
            math(EXPR month "${month} + 1")
            if(day LESS 10)
                set(day 0${day})
            endif()
            if(month LESS 10)
                set(month 0${month})
            endif()
            if(NOT DEFINED TAVLIN_RELEASE_DATE)
                set(TAVLIN_RELEASE_DATE ${year}-${month}-${day})
                set(newest ${version})
            endif()
            string(APPEND TAVLIN_RELEASES_XML
                "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
                "      <description>\n        <ul>\n${items}        </ul>\n"
                "      </description>\n    </release>\n")
            set(items "")
        endif()
    endif()
endforeach()
if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The changelog's newest entry is ${newest}, not ${PROJECT_VERSION}")
endif()
string(STRIP "${TAVLIN_RELEASES_XML}" TAVLIN_RELEASES_XML)
string(PREPEND TAVLIN_RELEASES_XML "    ")
