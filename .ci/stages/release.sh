#!/usr/bin/env bash
# Every test in a Release build with GCC, as the programs ship (preset ci).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$(nproc)"
ctest --preset ci -j "$(nproc)"
