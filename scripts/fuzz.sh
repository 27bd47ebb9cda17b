#!/usr/bin/env bash
# Fuzzes quorvel-settle's reading of JSON Lines under ASan + UBSan for SECONDS (default 60),
# starting from the seed corpus in tests/fuzz/corpus. Finds are kept in build-fuzz/corpus;
# a crash leaves its input as build-fuzz/crash-* and fails the script.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF -DQUORVEL_WERROR=ON >/dev/null
cmake --build build-fuzz --target quorvel-settle-fuzz
mkdir -p build-fuzz/corpus
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-fuzz/bin/quorvel-settle-fuzz build-fuzz/corpus tests/fuzz/corpus \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
    -dict=tests/fuzz/slip.dict -artifact_prefix=build-fuzz/ -print_final_stats=1
