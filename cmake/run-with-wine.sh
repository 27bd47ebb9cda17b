#!/bin/sh
# Runs a Windows program under Wine for the build and for ctest: run-with-wine.sh WINE PROGRAM ARGS...
# The first program of a Wine session starts Wine's own background processes,
# which inherit its output and outlive it; the output therefore goes through a
# file, so that whoever reads this script's output sees it end with the program.
# A test program always prints something, so a failure with no output at all
# is Wine failing to start it; that is tried again, up to three times in all.
wine=$1
shift
output=$(mktemp)
for attempt in 1 2 3; do
    "$wine" "$@" </dev/null >"$output" 2>&1
    status=$?
    if [ $status -eq 0 ] || [ -s "$output" ]; then
        break
    fi
    echo "run-with-wine.sh: $wine $* ended with status $status and printed nothing (attempt $attempt)" >&2
    sleep 1
done
cat "$output"
rm -f "$output"
exit $status
