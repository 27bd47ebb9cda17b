#!/usr/bin/env bash
# Builds Quorvel (installing missing build packages first) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build --target quorvel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No desktop to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    exit 1
fi
exec build/bin/quorvel "$@"
