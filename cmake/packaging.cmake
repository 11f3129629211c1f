# What cpack makes of the installed files: a .deb (and a tarball) on Linux, a ZIP on Windows, a
# disk image on macOS. The .deb's dependencies are read from the binary by dpkg-shlibdeps, so
# they follow whatever Qt the package was built against.
set(CPACK_PACKAGE_NAME tavlin)
set(CPACK_PACKAGE_VENDOR Kelmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelmar <games@kelmargames.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TAVLIN_HOME_PAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Drag a marble over a neighbouring marble into the empty hole just beyond it; the marble \
jumped over leaves the board. The aim is to leave a single marble, in the middle hole. \
Every move can be undone and redone.")
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

include(CPack)
