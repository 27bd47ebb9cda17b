#!/usr/bin/env bash
# Times `quorvel-settle --json --jobs N` over files of random valid slips and reports slips per
# second, the speed-up over one job and peak memory.
#   scripts/bench-settle.sh [COUNT...]     (default: 1000000 4000000)
#   JOBS="1 2 4" scripts/bench-settle.sh   (default: 1 and the number of cores)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-release
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON >/dev/null
cmake --build $build --target quorvel-settle quorvel-make-slips

counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(1000000 4000000)
read -r -a jobs <<< "${JOBS:-1 $(nproc)}"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%10s %6s %5s %9s %12s %8s %18s %8s %10s\n' slips MB jobs wall slips/s CPU "slips/CPU second" speed-up "peak mem"
for n in "${counts[@]}"; do
    file="$build/slips-$n.jsonl"
    [ -s "$file" ] || $build/bin/quorvel-make-slips "$n" 2026 > "$file"
    one=
    for j in "${jobs[@]}"; do
        report=$( { /usr/bin/time -v $build/bin/quorvel-settle --json --jobs "$j" "$file" > /dev/null; } 2>&1 )
        seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0;
            for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' <<< "$report")
        rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' <<< "$report")
        cpu=$(awk -F': ' '/(User|System) time \(seconds\)/ {s += $2} END {print s}' <<< "$report")
        [ -n "$one" ] || one=$seconds
        # The machine may be shared: slips per CPU second is the steadier figure for one job.
        awk -v n="$n" -v j="$j" -v s="$seconds" -v c="$cpu" -v kb="$rss" -v one="$one" \
            -v mb="$(du -m "$file" | cut -f1)" 'BEGIN {
            printf "%10d %6d %5d %8.2fs %12.0f %7.2fs %18.0f %7.2fx %8.1f MB\n",
                   n, mb, j, s, (s > 0 ? n / s : 0), c, (c > 0 ? n / c : 0),
                   (s > 0 ? one / s : 0), kb / 1024 }'
    done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
