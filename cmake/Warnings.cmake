# Warnings are set per target so that third-party code never gets them. They
# become errors only when asked (CI and scripts/test.sh turn it on): a user's
# or a packager's compiler may warn where ours does not, and must still build.
option(QUORVEL_WERROR "Treat compiler warnings as errors" OFF)

function(quorvel_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
        -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
        -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
    if(QUORVEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
