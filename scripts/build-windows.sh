#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 (installing missing packages
# first): build-windows/bin/quorvel.exe and quorvel-settle.exe, each a single
# file that needs no DLLs beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps-windows.sh
source scripts/windows-env.sh
configure_windows
programs=()
for target in quorvel quorvel-settle; do
    cmake --build "$build_dir" --target help | grep -q "^$target:" && programs+=("$target")
done
cmake --build "$build_dir" -j 2 --target "${programs[@]}"
for target in "${programs[@]}"; do ls -l "$build_dir/bin/$target.exe"; done
