#!/usr/bin/env bash
# Builds Quorvel (installing missing build packages first) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON >/dev/null
cmake --build build
echo "The window is not built yet; running the settlement benchmark instead."
exec build/bin/quorvel-bench "$@"
