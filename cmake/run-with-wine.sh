#!/bin/sh
# Runs a Windows program under Wine for the build and for ctest: run-with-wine.sh WINE PROGRAM ARGS...
# The first program of a Wine session starts Wine's own background processes,
# which inherit its output and outlive it; the output therefore goes through a
# file, so that whoever reads this script's output sees it end with the program.
wine=$1
shift
output=$(mktemp)
"$wine" "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
if [ $status -ne 0 ] && [ ! -s "$output" ]; then
    echo "run-with-wine.sh: $wine $* ended with status $status and printed nothing" >&2
fi
rm -f "$output"
exit $status
