# quorvel_embed_resources(<executable> <script.rc>)
#
# Compiles a resource script into <executable>: its dialog templates, menus,
# icons and string tables become constant records (platform/core/resources.h)
# that the platform finds through programResources(). The script is read at
# build time; one that cannot be read fails the build with its file and line.
# Built for Windows, the resource compiler takes the script.
#
# Each program names its one script; a program that looks resources up
# without one fails to link.
function(quorvel_embed_resources target script)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "EXECUTABLE")
        message(FATAL_ERROR "quorvel_embed_resources(${target}): resources belong to an executable")
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
        COMMENT "Compiling resource script ${script}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
    target_link_libraries(${target} PRIVATE quorvel_platform)
endfunction()
