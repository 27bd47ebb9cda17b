#!/usr/bin/env bash
# Cross-builds every test for Windows and runs them under Wine on a virtual X
# display (installing missing packages first). The Wine prefix lives in the
# build folder; Wine is shut down cleanly at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-display ]; then
    scripts/deps-windows.sh
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display
fi

source scripts/windows-env.sh
# Our own test build: warnings are errors.
configure_windows -DQUORVEL_WERROR=ON
# The prefix is made once, before parallel test runs could race to make it.
prepare_wine_prefix
# One Wine session for the whole run: a program that only waits keeps Wine's
# own background processes (the desktop, services) up between the tests,
# instead of each test starting them again.
"$wine" ping -n 86400 127.0.0.1 >/dev/null 2>&1 &
session=$!
trap 'kill $session 2>/dev/null || true' EXIT
# Each program lists its tests under Wine when ctest first runs it.
cmake --build "$build_dir" -j 2
status=0
# Where Wine's controls differ from Windows, the tests that show it are left out.
# One test at a time: the tests share one desktop, where only one window is active.
known=$(grep -v -e '^#' -e '^$' tests/wine_differences.txt | paste -sd '|')
ctest --test-dir "$build_dir" --output-on-failure --timeout 120 -E "$known" || status=$?
# Wine's own processes end and its server exits before the display goes.
kill $session 2>/dev/null || true
timeout 60 "$wineserver" -w || "$wineserver" -k
exit $status
