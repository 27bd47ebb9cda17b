#!/usr/bin/env bash
# Runs a screen-reader check (screen_reader.py, orca_speech.py) against the
# program inside a private session bus:
#   run.sh PROGRAM SCRIPT [TOOL...]
# TOOLs are further commands the check needs. Without the tools it needs it
# skips (exit 77), except in CI (CI=true), where a check that cannot run fails.
set -euo pipefail
program=$1
script=$2
shift 2
# Debian's own Python, which has the distribution's pyatspi and GObject bindings.
python=/usr/bin/python3

missing=()
for tool in Xvfb dbus-run-session xdotool "$python" "$@"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi2-core)
"$python" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if ((${#missing[@]} > 0)); then
    echo "no accessibility bus to test on: missing ${missing[*]}" >&2
    [[ ${CI:-} == true ]] && exit 1
    exit 77
fi
# -B: the shared module is imported from the sources, which stay as they are.
exec dbus-run-session -- "$python" -B "$script" "$program"
