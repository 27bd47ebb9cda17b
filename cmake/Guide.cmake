# The user's guide, docs/guide.md, as HTML in the build folder's doc/ (beside bin/, where the
# programs look for it when run from the build), with its pictures and one small page per
# window that opens the guide at that window's section (a file name cannot carry a #section
# to every browser through xdg-open or the Windows shell). Made with cmark-gfm, which runs on
# the build machine, so a Windows cross-build makes the same files.
find_program(QUORVEL_CMARK_GFM cmark-gfm)
if(NOT QUORVEL_CMARK_GFM)
    message(WARNING "cmark-gfm not found: the user's guide is not made into HTML "
                    "(scripts/deps.sh installs it)")
    return()
endif()

set(QUORVEL_GUIDE_DIR ${CMAKE_BINARY_DIR}/doc)
# The sections F1 opens, named as in the guide's anchors and in ui/help.cpp.
set(QUORVEL_GUIDE_SECTIONS main-window preferences place-odds working)
# The pictures are the window tests' own (build/tests/program_qt/), copied into docs/.
set(QUORVEL_GUIDE_PICTURES ${PROJECT_SOURCE_DIR}/docs/main-window.png
    ${PROJECT_SOURCE_DIR}/docs/preferences.png ${PROJECT_SOURCE_DIR}/docs/place-odds.png)

set(guide_outputs ${QUORVEL_GUIDE_DIR}/guide.html)
foreach(section ${QUORVEL_GUIDE_SECTIONS})
    list(APPEND guide_outputs ${QUORVEL_GUIDE_DIR}/guide-${section}.html)
endforeach()
foreach(picture ${QUORVEL_GUIDE_PICTURES})
    get_filename_component(name ${picture} NAME)
    list(APPEND guide_outputs ${QUORVEL_GUIDE_DIR}/${name})
endforeach()
add_custom_command(
    OUTPUT ${guide_outputs}
    COMMAND ${CMAKE_COMMAND} -DCMARK=${QUORVEL_CMARK_GFM}
            -DSOURCE=${PROJECT_SOURCE_DIR}/docs/guide.md -DOUTPUT=${QUORVEL_GUIDE_DIR}
            "-DSECTIONS=${QUORVEL_GUIDE_SECTIONS}" "-DPICTURES=${QUORVEL_GUIDE_PICTURES}"
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/guide-html.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide.md ${QUORVEL_GUIDE_PICTURES}
            ${PROJECT_SOURCE_DIR}/cmake/guide-html.cmake
    COMMENT "Making the user's guide into HTML"
    VERBATIM)
add_custom_target(quorvel_guide ALL DEPENDS ${guide_outputs})
# The program opens it with F1, also when run from the build folder.
add_dependencies(quorvel quorvel_guide)
