#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Needs root (it calls apt-get); prints nothing when everything is already there.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build
    # the format check (scripts/check-format.sh): the clang-format the tree is formatted with
    clang-format-14
    # engine tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # quorvel-settle: reading JSON Lines, and its command line
    nlohmann-json3-dev libcli11-dev
    # the user's guide, docs/guide.md, made into HTML at build time
    cmark-gfm
    # quorvel-settle's fuzzing (scripts/fuzz.sh) and timing (scripts/bench-settle.sh)
    clang libclang-rt-dev
    # the windows on a Linux desktop (Qt 6 Widgets), and a sans-serif face
    # for the dialogs when the desktop brings none (offscreen tests)
    qt6-base-dev fonts-dejavu-core
    # the layout test reads back what each window asks the window manager for
    libxcb1-dev pkg-config
    # peak memory in scripts/bench-settle.sh and scripts/measure-startup.sh
    time
    # the screen-reader test (tests/accessibility): a virtual X display, keys
    # typed into it, a private session bus, the accessibility bus and registry,
    # and the Python client a screen reader uses
    xvfb xdotool dbus at-spi2-core python3-pyatspi
    # what the screen reader Orca says of it (tests/accessibility/orca_speech.py),
    # and a window manager, which gives the dialogs the focus
    orca openbox
)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
