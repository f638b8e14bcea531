#!/usr/bin/env bash
# Runs every fuzzer of a build folder for the given number of seconds each, starting from the
# checked-in seeds. A failing input is printed in hex so that it can be replayed.
set -euo pipefail
folder=$1
seconds=$2
seeds_root="$(cd "$(dirname "$0")/.." && pwd)/fuzz/corpus"
status=0
for fuzzer in "$folder"/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    mkdir "$work/corpus" "$work/artifacts"
    if [ -d "$seeds_root/$name" ]; then
        cp "$seeds_root/$name"/* "$work/corpus/"
    fi
    echo "== $name for ${seconds}s"
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$work/log" || tail -n 3 "$work/log"
    else
        grep -v -E '^#[0-9]+' "$work/log" | tail -n 60
        for input in "$work/artifacts"/*; do
            [ -f "$input" ] && { echo "-- failing input $(basename "$input"):"; od -A x -t x1z -v "$input" | head -n 64; }
        done
        status=1
    fi
    rm -rf "$work"
done
exit $status
