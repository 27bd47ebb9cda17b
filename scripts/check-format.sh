#!/usr/bin/env bash
# Checks that every C++ file the repository tracks is formatted as
# .clang-format says, with the clang-format the tree is formatted with (14);
# lists the files that are not and fails. Fix one with
#   clang-format-14 -i FILE
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-missing.sh clang-format-14

# One clang-format for every file; each line it writes names a file and a place in it.
unformatted=$(git ls-files -z -- '*.cpp' '*.h' |
    xargs -0 clang-format-14 --style=file --dry-run -Werror 2>&1 >/dev/null |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u) || true

if [ -n "$unformatted" ]; then
    echo "Not formatted as .clang-format says (clang-format-14 -i FILE fixes it):" >&2
    printf '  %s\n' $unformatted >&2
    exit 1
fi
echo "Every C++ file is formatted."
