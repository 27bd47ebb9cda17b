#!/usr/bin/env bash
# Builds and runs every test twice, from the presets in CMakePresets.json: a
# plain build (preset dev, folder build/), then one under AddressSanitizer and
# UndefinedBehaviorSanitizer (preset asan, folder build-asan/), both with
# warnings as errors. Installs missing build packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc)
run_suite() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
}

echo "== plain build"
run_suite dev
echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
run_suite asan
