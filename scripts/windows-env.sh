# Shared by the Windows scripts (sourced): the cross build's folder and
# configuration, and the Wine that runs what it builds.
build_dir=build-windows
configure_windows() {
    local toolchain=()
    [ -f "$build_dir/CMakeCache.txt" ] ||
        toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake)
    cmake -S . -B "$build_dir" -G Ninja "${toolchain[@]}" \
        -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=OFF >/dev/null
}

# Debian's wine64 package puts its programs in /usr/lib/wine; the wine wrapper
# package is not needed for 64-bit programs.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$PWD/$build_dir/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
