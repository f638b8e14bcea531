#!/usr/bin/env bash
# Delete purges of 200,000 files over 400 folders (half older than 48 h), log off and log on, by
# one or more builds of quellix_bench against GNU find, interleaved, each on a fresh copy, all on a
# new ext4 file system on a loop device: the machine's shared disk slows down for minutes after
# mass deletions, which makes whole-disk timings vary by a third. Needs root.
#
#   bench/compare_purge.sh REPEAT BENCH_BINARY...
# e.g. bench/compare_purge.sh 5 old-build/bench/quellix_bench build-bench/bench/quellix_bench
set -euo pipefail
if (($# < 2)); then
    echo "usage: bench/compare_purge.sh REPEAT BENCH_BINARY..." >&2
    exit 2
fi
repeat=$1
shift
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d "${BENCH_DATA:-/work}/quellix-compare.XXXXXX")
mnt=$work/mnt
mkdir "$mnt"
truncate -s 3G "$work/fs.img"
mkfs.ext4 -q -F -N 1200000 "$work/fs.img"
mount -o loop "$work/fs.img" "$mnt"
cleanup() { umount "$mnt" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
python3 "$repo/bench/make_tree.py" "$mnt/tree" -n 200000 -f 400 >/dev/null
sync

timed() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.3f", e - s }'
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fresh() {
    rm -rf "$mnt/copy" "$mnt/logs"
    cp -a "$mnt/tree" "$mnt/copy"
    mkdir "$mnt/logs"
    sync
}

for log in off on; do
    declare -A runs=()
    find_runs=()
    for ((i = 0; i <= repeat; i++)); do  # the first round warms up
        for bench in "$@"; do
            fresh
            args=(purge "$mnt/copy" 48)
            [[ $log == on ]] && args+=(--log "$mnt/logs")
            t=$(timed "$bench" "${args[@]}")
            ((i > 0)) && runs[$bench]+="$t "
        done
        fresh
        t=$(timed find "$mnt/copy" -type f -mmin +2880 -delete)
        ((i > 0)) && find_runs+=("$t")
    done
    f=$(median "${find_runs[@]}")
    echo "log $log: find ${find_runs[*]}, median $f s"
    for bench in "$@"; do
        # shellcheck disable=SC2086
        q=$(median ${runs[$bench]})
        echo "  $bench: ${runs[$bench]}, median $q s, ratio $(awk -v q="$q" -v f="$f" 'BEGIN { printf "%.2f", q / f }')"
    done
    unset runs
done
