#!/usr/bin/env bash
# With FMA in the instruction set the compiler could fuse a multiply and an
# add; the build forbids it, so every amount must still match to the last bit:
# the engine's and the command line's tests built for x86-64-v3 (preset fma).
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! grep -qw fma /proc/cpuinfo || ! grep -qw avx2 /proc/cpuinfo; then
    echo "WARNING: this machine cannot run x86-64-v3 code; the FMA build is not tested" >&2
    exit 0
fi
scripts/deps.sh
cmake --preset fma >/dev/null
tests=(engine_tests quorvel_cli_reader_tests quorvel_cli_tests)
cmake --build --preset fma -j "$(nproc)" --target "${tests[@]}"
for test in "${tests[@]}"; do
    "build-fma/bin/$test" --gtest_brief=1
done
