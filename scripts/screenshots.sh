#!/usr/bin/env bash
# Pictures of every window of the program as the Qt view shows it on a
# desktop (Xvfb with a window manager), at 100%, 150% and 200% and in a dark
# palette, saved in build/pictures/ for a person to look at, beside the
# Windows build's picture of the main window when there is one
# (scripts/screenshot-windows.sh). The layout test makes them: it lays out
# every window at each scale and fails when a control lacks room, or when a
# window asks the window manager for another frame than its styles give it.
# Openbox draws minimise and maximise boxes on every window whatever the
# window asks for (on a window of fixed size maximise does nothing), so the
# title bars in these pictures show more boxes than the windows ask for.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

if [ "${1:-}" != --on-display ]; then
    cmake --build "$build_dir" -j2 --target quorvel_layout_tests
    exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" --on-display
fi

pictures="$build_dir/pictures"
mkdir -p "$pictures"
openbox >/dev/null 2>&1 &
window_manager=$!
trap 'kill "$window_manager" 2>/dev/null || true' EXIT
sleep 1

status=0
for palette in "" dark; do
    for scale in 1 1.5 2; do
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale QUORVEL_TEST_PALETTE=$palette \
            QUORVEL_PICTURES="$pictures" "$build_dir/bin/quorvel_layout_tests" --gtest_brief=1 ||
            status=1
    done
done
for windows_build in build-windows/main-window-windows.png docs/main-window-windows.png; do
    if [ -f "$windows_build" ]; then
        cp "$windows_build" "$pictures/main-window-windows.png"
        break
    fi
done
ls "$pictures"
exit $status
