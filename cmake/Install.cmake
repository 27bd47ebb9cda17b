# What `cmake --install` puts where, and the Debian package CPack makes of it.
# On Windows: both programs with README.md and LICENSE in one folder (the zip
# and the installer of scripts/package.sh), the user's guide in doc\ beside them.
# Elsewhere: the usual places under the prefix, with the desktop entry, icons,
# AppStream metadata, man pages and the guide in share/doc/quorvel.
include(GNUInstallDirs)
set(QUORVEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

set(QUORVEL_PROGRAMS quorvel)
if(TARGET quorvel-settle)
    list(APPEND QUORVEL_PROGRAMS quorvel-settle)
endif()

if(WIN32)
    install(TARGETS ${QUORVEL_PROGRAMS} RUNTIME DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
    if(TARGET quorvel_guide)
        install(DIRECTORY ${QUORVEL_GUIDE_DIR}/ DESTINATION doc)
    endif()
    return()
endif()

# Folders made by the install are rwxr-xr-x whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS ${QUORVEL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry, named by the program's AppStream id, and the metadata
# software centres show.
install(FILES ${QUORVEL_RESOURCES}/org.quorvel.Quorvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVEL_RESOURCES}/org.quorvel.Quorvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: 16 and 32 px drawn pixel by pixel, the rest rendered from the
# scalable picture (resources/make_icon.sh).
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${QUORVEL_RESOURCES}/quorvel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quorvel.png)
endforeach()
install(FILES ${QUORVEL_RESOURCES}/quorvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Man pages and the change log, compressed without a name or time stamp in the
# gzip header, so that the same sources give the same package.
set(compressed)
set(manual_pages man/quorvel.1)
if(TARGET quorvel-settle)
    list(APPEND manual_pages man/quorvel-settle.1)
endif()
foreach(source ${manual_pages} changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${QUORVEL_RESOURCES}/${source} ${output}
        DEPENDS ${QUORVEL_RESOURCES}/${source}
        VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(quorvel_compressed_docs ALL DEPENDS ${compressed})
list(TRANSFORM manual_pages REPLACE "^man/(.*)$" "${CMAKE_BINARY_DIR}/compressed/\\1.gz")
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/compressed/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvel)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvel
        RENAME copyright)
# The user's guide, where the program looks for it (../share/doc/quorvel from its own folder).
if(TARGET quorvel_guide)
    install(DIRECTORY ${QUORVEL_GUIDE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvel)
endif()

# The Debian package: `cpack -G DEB` in a Release build (scripts/package.sh).
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <developers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bet settlement calculator for UK horse racing")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel settles UK off-course horse-racing bet slips to the penny: one to six
selections, bet types from Single to Heinz, win or each way, with tax, Rule 4
deductions and place terms. quorvel is the window; quorvel-settle settles the
same slips from the command line or from JSON Lines files.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvel.org/")
# Dependencies come from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
