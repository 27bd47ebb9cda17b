# What a Windows build adds: programs that need no DLLs beside them, the
# Windows resource compiler, GoogleTest built from source for the target, and
# test programs run through Wine when the build machine is not Windows.
enable_language(RC)

# libgcc, libstdc++ and winpthread linked in, so that each .exe runs alone.
add_link_options(-static)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(QUORVEL_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
    # Every test run gets this build's own Wine prefix, quiet unless asked.
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
            WINEDLLOVERRIDES=mscoree,mshtml= ${PROJECT_SOURCE_DIR}/cmake/run-with-wine.sh
            ${QUORVEL_WINE})
endif()

# Test programs list their tests when ctest runs, inside the Wine session of
# scripts/test-windows.sh, not while the build starts Wine beside the
# compilers (where a busy machine ran past the listing's time limit).
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# GoogleTest from Debian's source package, compiled by the cross compiler.
if(QUORVEL_TESTS)
    set(QUORVEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${QUORVEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(library gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
endif()

# Header-only libraries from the build machine's Debian packages. Only their own
# folders are put on the include path (through a folder of links), never all of
# /usr/include, whose C library headers would shadow the target's.
set(QUORVEL_HEADER_ONLY ${CMAKE_BINARY_DIR}/header-only)
function(quorvel_header_only_package package target folder)
    if(NOT EXISTS /usr/include/${folder})
        return()
    endif()
    file(MAKE_DIRECTORY ${QUORVEL_HEADER_ONLY}/include ${QUORVEL_HEADER_ONLY}/${package})
    file(CREATE_LINK /usr/include/${folder} ${QUORVEL_HEADER_ONLY}/include/${folder} SYMBOLIC)
    file(WRITE ${QUORVEL_HEADER_ONLY}/${package}/${package}Config.cmake
         "if(NOT TARGET ${target})\n"
         "    add_library(${target} INTERFACE IMPORTED)\n"
         "    set_target_properties(${target} PROPERTIES\n"
         "        INTERFACE_INCLUDE_DIRECTORIES ${QUORVEL_HEADER_ONLY}/include)\n"
         "endif()\n")
    set(${package}_DIR ${QUORVEL_HEADER_ONLY}/${package} CACHE PATH "" FORCE)
endfunction()
quorvel_header_only_package(CLI11 CLI11::CLI11 CLI)
quorvel_header_only_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)

# Version information and a manifest for each program (resources/windows/),
# kept out of resources/quorvel.rc, which the Linux build reads too.
set(QUORVEL_WINDOWS_RESOURCES ${PROJECT_SOURCE_DIR}/resources/windows)
configure_file(${QUORVEL_WINDOWS_RESOURCES}/version.h.in
               ${CMAKE_BINARY_DIR}/windows-resources/version.h @ONLY)
function(quorvel_windows_resources target script)
    target_sources(${target} PRIVATE ${QUORVEL_WINDOWS_RESOURCES}/${script})
    target_include_directories(${target} PRIVATE ${QUORVEL_WINDOWS_RESOURCES}
                                                 ${CMAKE_BINARY_DIR}/windows-resources)
endfunction()

# Called once every target exists: the two programs, and every test program
# (which then opens its windows with quorvel.exe's manifest).
function(quorvel_windows_program_resources)
    quorvel_windows_resources(quorvel quorvel.rc)
    if(TARGET quorvel-settle)
        quorvel_windows_resources(quorvel-settle quorvel-settle.rc)
    endif()
    if(NOT QUORVEL_TESTS)
        return()
    endif()
    set(folders ${PROJECT_SOURCE_DIR}/tests)
    while(folders)
        list(POP_FRONT folders folder)
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "EXECUTABLE")
                quorvel_windows_resources(${target} test-manifest.rc)
            endif()
        endforeach()
        get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND folders ${subfolders})
    endwhile()
endfunction()
