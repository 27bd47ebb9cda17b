#!/usr/bin/env bash
# Builds and runs every test twice: a plain build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer, both with warnings as
# errors. Installs missing build packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc)
run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs"
}

echo "== plain build"
run_suite build -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=ON -DQUORVEL_WERROR=ON
echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=OFF \
        -DQUORVEL_WERROR=ON
