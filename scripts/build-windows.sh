#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 (installing missing packages
# first): build-windows/bin/quorvel.exe and quorvel-settle.exe, each a single
# file that needs no DLLs beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps-windows.sh
source scripts/windows-env.sh
configure_windows
cmake --build "$build_dir" -j 2 --target quorvel quorvel-settle
ls -l "$build_dir"/bin/quorvel.exe "$build_dir"/bin/quorvel-settle.exe
