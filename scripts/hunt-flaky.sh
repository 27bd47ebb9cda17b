#!/usr/bin/env bash
# Hunts for tests that fail by chance: builds each preset's tree (default: the
# plain build, ASan + UBSan, Clang and Release with GCC), then runs its whole
# suite REPEATS times under load (more jobs than the machine has cores) and
# names every test that failed even once, with the log that shows how. Not
# part of every CI run: it takes a while.
#   scripts/hunt-flaky.sh [-n REPEATS] [-j JOBS] [PRESET...]
# REPEATS defaults to 10, JOBS to three per core; a preset is one of
# CMakePresets.json's (dev, asan, clang, ci). Fails when any test failed.
set -euo pipefail
cd "$(dirname "$0")/.."

repeats=10
jobs=$(($(nproc) * 3))
while getopts n:j: option; do
    case $option in
        n) repeats=$OPTARG ;;
        j) jobs=$OPTARG ;;
        *) sed -n '8p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(dev asan clang ci)

scripts/deps.sh
build_jobs=$(nproc)
found=()
for preset in "${presets[@]}"; do
    echo "== $preset: building"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$build_jobs" >/dev/null
    dir=build-$preset
    [ "$preset" = dev ] && dir=build
    log=$dir/flaky-hunt.log
    echo "== $preset: every test up to $repeats times, $jobs at once (log: $log)"
    start=$SECONDS
    # A test that fails stops repeating; the rest go on to their last run.
    if ctest --preset "$preset" -j "$jobs" --repeat until-fail:"$repeats" >"$log" 2>&1; then
        echo "   no test failed ($((SECONDS - start)) s)"
        continue
    fi
    # ctest ends with the tests that failed: "<tab> 12 - name (Failed)".
    failures=$(sed -n '/^The following tests FAILED:/,$p' "$log" |
        sed -n 's/^[[:space:]]*[0-9]* - \(.*\)$/\1/p')
    [ -n "$failures" ] || failures="(ctest failed without naming a test: see $log)"
    echo "   failed ($((SECONDS - start)) s):"
    while IFS= read -r failure; do
        echo "     $failure"
        found+=("$preset: $failure")
    done <<<"$failures"
done

echo "== Summary"
if [ ${#found[@]} -eq 0 ]; then
    echo "No test failed in ${presets[*]} over $repeats runs each."
    exit 0
fi
printf '%s\n' "${found[@]}"
exit 1
