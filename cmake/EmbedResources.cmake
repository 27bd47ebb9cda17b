# quorvel_embed_resources(<target> <script.rc>)
#
# Builds a resource script into <target>: the script, the headers it
# includes and the icon files it names, so that the platform calls find its
# dialogs, menus and icons at run time without reading any file. The script is
# read at build time; a script that cannot be read fails the build with its
# file and line. Built for Windows, the resource compiler takes the script.
#
# <target> is an executable or an OBJECT library linked into one: the built-in
# script registers itself from a static object that nothing names, which the
# linker would leave out of a static library's archive.
function(quorvel_embed_resources target script)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
        message(FATAL_ERROR "quorvel_embed_resources(${target}): use an executable or an OBJECT library; "
                            "the linker would drop the resources from a static library")
    endif()
    get_filename_component(script_path "${script}" ABSOLUTE)
    if(WIN32)
        target_sources(${target} PRIVATE "${script_path}")
        return()
    endif()
    get_filename_component(script_name "${script}" NAME_WE)
    set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}_${script_name}_resources.cpp")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND quorvel_rc_embed "${script_path}" "${output}" "${output}.d"
        DEPENDS quorvel_rc_embed "${script_path}"
        DEPFILE "${output}.d"
        COMMENT "Reading resource script ${script}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
    target_link_libraries(${target} PRIVATE quorvel_platform)
endfunction()
