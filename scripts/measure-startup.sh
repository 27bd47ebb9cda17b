#!/usr/bin/env bash
# Times Quorvel from process start to its first painted window, and reports
# its peak memory, over several runs (the program closes itself after the
# first paint: QUORVEL_EXIT_AFTER_FIRST_PAINT).
#
#   scripts/measure-startup.sh [runs] [offscreen|xvfb]
#
# offscreen (the default) paints into memory; xvfb starts a virtual X server
# for the runs, so the time includes talking to a display server.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
where=${2:-offscreen}
program=build/bin/quorvel
[ -x "$program" ] || { echo "Build first: cmake --build build --target quorvel" >&2; exit 1; }

xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
case "$where" in
    offscreen) export QT_QPA_PLATFORM=offscreen ;;
    xvfb)
        display=:$((90 + RANDOM % 9))
        Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=$display QT_QPA_PLATFORM=xcb
        sleep 1 ;;
    *) echo "where: offscreen or xvfb" >&2; exit 2 ;;
esac

log=$(mktemp)
times=() memories=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    QUORVEL_EXIT_AFTER_FIRST_PAINT=1 /usr/bin/time -v "$program" 2>"$log" >/dev/null
    painted=$(awk '/first window painted at/ {print $5}' "$log")
    times+=("$(awk -v painted="$painted" -v start="$start" 'BEGIN {printf "%.0f", (painted - start) * 1000}')")
    memories+=("$(awk '/Maximum resident set size/ {printf "%.1f", $6 / 1024}' "$log")")
done
rm -f "$log"
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
echo "first window painted: median $(median "${times[@]}") ms over $runs runs (${times[*]})"
echo "peak memory (max RSS): median $(median "${memories[@]}") MB (${memories[*]})"
