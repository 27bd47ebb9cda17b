#!/usr/bin/env bash
# The whole tree built with Clang, every test run (preset clang).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/deps.sh
cmake --preset clang >/dev/null
cmake --build --preset clang -j "$(nproc)"
ctest --preset clang -j "$(nproc)"
