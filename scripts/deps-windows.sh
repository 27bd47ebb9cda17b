#!/usr/bin/env bash
# Installs the Debian packages the Windows cross build and its Wine test run
# need (with --screenshot, also what screenshot-windows.sh needs), only those
# that are missing. The Linux build never needs them.
# Needs root (it calls apt-get); prints nothing when everything is already there.
set -euo pipefail

packages=(
    # build tools and the cross compiler (posix threads variant), with windres
    cmake ninja-build g++-mingw-w64-x86-64-posix
    # GoogleTest's sources, compiled for Windows by the build
    googletest
    # quorvel-settle's headers-only libraries: JSON reading and its command line
    nlohmann-json3-dev libcli11-dev
    # the user's guide made into HTML on the build machine
    cmark-gfm
    # running the Windows programs and tests: Wine, its fonts, a virtual X display
    wine64 fonts-wine xvfb xauth
)
# scripts/screenshot-windows.sh also types into the window and takes the picture.
if [ "${1:-}" = --screenshot ]; then
    packages+=(xdotool imagemagick)
fi

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
