# Shared by the Windows scripts (sourced): the cross build's folder and
# configuration, and the Wine that runs what it builds.
build_dir=build-windows
# configure_windows [CMAKE-OPTION...]
configure_windows() {
    local toolchain=()
    [ -f "$build_dir/CMakeCache.txt" ] ||
        toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake)
    cmake -S . -B "$build_dir" -G Ninja "${toolchain[@]}" \
        -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=OFF "$@" >/dev/null
}

# Debian's wine64 package puts its programs in /usr/lib/wine; the wine wrapper
# package is not needed for 64-bit programs.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$PWD/$build_dir/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

# Makes the Wine prefix (once) and sets it up for the programs' windows: the
# fonts the dialog templates were drawn for, and one virtual desktop, so that
# no window manager is waited for. Leaves Wine's server stopped.
prepare_wine_prefix() {
    # (A 64-bit-only Wine cannot start the 32-bit half of its set-up; that is expected.)
    "$wine" wineboot --init 2>&1 | { grep -v 'syswow64' || true; }
    # Debian's fonts-wine: MS Sans Serif (the templates' font), Tahoma, and
    # Marlett, whose symbols draw the caption buttons. Wine reads what is in
    # the prefix's Fonts folder.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp -u /usr/share/wine/fonts/* "$fonts/"
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null
    "$wineserver" -w
}
