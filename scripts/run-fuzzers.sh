#!/usr/bin/env bash
# Runs every fuzzer of a build folder for the given number of seconds each.
set -euo pipefail
folder=$1
seconds=$2
status=0
for fuzzer in "$folder"/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus=$(mktemp -d)
    # Start from the checked-in seeds; what the run finds stays in the temporary corpus.
    seeds="$(dirname "$0")/../fuzz/corpus/$name"
    [ -d "$seeds" ] && cp "$seeds"/* "$corpus"/
    echo "== $name for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$corpus" 2>"$corpus.log"; then
        tail -n 60 "$corpus.log"
        status=1
    else
        grep -E '^(stat::number_of_executed_units|Done)' "$corpus.log" || tail -n 3 "$corpus.log"
    fi
    rm -rf "$corpus" "$corpus.log"
done
exit $status
