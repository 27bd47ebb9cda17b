#!/usr/bin/env bash
# Every C++ file formatted as .clang-format says, by clang-format 14.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/check-format.sh
