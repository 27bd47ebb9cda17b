#!/usr/bin/env bash
# Times `quorvel-settle --json` over files of random valid slips and reports slips per second
# and peak memory. Usage: scripts/bench-settle.sh [COUNT...]   (default: 1000000 4000000)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-release
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF >/dev/null
cmake --build $build --target quorvel-settle quorvel-make-slips

counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(1000000 4000000)
for n in "${counts[@]}"; do
    file="$build/slips-$n.jsonl"
    [ -s "$file" ] || $build/bin/quorvel-make-slips "$n" 2026 > "$file"
    report=$( { /usr/bin/time -v $build/bin/quorvel-settle --json "$file" > /dev/null; } 2>&1 )
    seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0;
        for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' <<< "$report")
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' <<< "$report")
    cpu=$(awk -F': ' '/(User|System) time \(seconds\)/ {s += $2} END {print s}' <<< "$report")
    # The machine is shared: slips per CPU second is the steadier figure of the two.
    awk -v n="$n" -v s="$seconds" -v c="$cpu" -v kb="$rss" -v mb="$(du -m "$file" | cut -f1)" 'BEGIN {
        printf "%9d slips (%d MB): %.2f s wall, %.0f slips/s; %.2f s CPU, %.0f slips per CPU second; peak memory %.1f MB\n",
               n, mb, s, (s > 0 ? n / s : 0), c, (c > 0 ? n / c : 0), kb / 1024 }'
done
