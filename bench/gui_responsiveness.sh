#!/usr/bin/env bash
# Responsiveness of the window: the desktop program (quellix_gui_bench, offscreen) counts and
# purges a tree of 200,000 empty files, one folder of which holds 100,000 and the other 100,000
# are spread over 399 folders, half of them older than the 48-hour retention; a timer that fires
# at every turn of the event loop gives the longest time without events. The count pass is timed
# against the headless count of the same folder (quellix_bench count). Each run purges a fresh
# copy of the tree, and checks that exactly the young files are left.
#
#   bench/gui_responsiveness.sh           full run (3 repetitions, median)
#   bench/gui_responsiveness.sh --quick   smoke run of the script itself (20,000 files, 1 run)
#
# Environment overrides: N (files), BIG (files of the one big folder), FOLDERS (leaf folders,
# the big one included), REPEAT, BENCH_DATA (folder for the trees; default: /work/bench-data or
# /tmp, whichever has more room), BUILD_DIR (default build-gui-bench), JOBS (default 2).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
case ${1:-} in
    "") quick=0 ;;
    --quick) quick=1 ;;
    *)
        echo "usage: bench/gui_responsiveness.sh [--quick]" >&2
        exit 2
        ;;
esac
if ((quick)); then
    N=${N:-20000}
    BIG=${BIG:-10000}
    FOLDERS=${FOLDERS:-40}
    REPEAT=${REPEAT:-1}
else
    N=${N:-200000}
    BIG=${BIG:-100000}
    FOLDERS=${FOLDERS:-400}
    REPEAT=${REPEAT:-3}
fi
HOURS=48
MINUTES=$((HOURS * 60))
GAP_TARGET_MS=100
RATIO_TARGET=1.2
BUILD_DIR=${BUILD_DIR:-$repo/build-gui-bench}
JOBS=${JOBS:-2}
export QT_QPA_PLATFORM=offscreen

# --- build: Release at -O2, as bench/run.sh -------------------------------------------------
cmake -G Ninja -S "$repo" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUELLIX_BENCH=ON -DQUELLIX_TESTS=OFF \
    -DQUELLIX_FRONT_END=qt >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target quellix_bench quellix_gui_bench >/dev/null
bench="$BUILD_DIR/bench/quellix_bench"
gui_bench="$BUILD_DIR/bench/quellix_gui_bench"

# --- where the trees go ----------------------------------------------------------------------
avail_kib() { df --output=avail -k "$1" | tail -n 1 | tr -d ' '; }
if [[ -z ${BENCH_DATA:-} ]]; then
    mkdir -p /work/bench-data 2>/dev/null || true
    if [[ -d /work/bench-data ]] && (($(avail_kib /work/bench-data) >= $(avail_kib /tmp))); then
        BENCH_DATA=/work/bench-data
    else
        BENCH_DATA=/tmp
    fi
fi
data=$(mktemp -d "$BENCH_DATA/quellix-gui-bench.XXXXXX")
cleanup() {
    rm -rf "$data"
    rmdir /work/bench-data 2>/dev/null || true
}
trap cleanup EXIT

echo "Building the tree under $data: $BIG files in one folder, $((N - BIG)) over" \
    "$((FOLDERS - 1)) folders" >&2
mkdir "$data/tree"
python3 "$repo/bench/make_tree.py" "$data/tree/big" -n "$BIG" -f 1
python3 "$repo/bench/make_tree.py" "$data/tree/spread" -n "$((N - BIG))" -f "$((FOLDERS - 1))"
mkdir "$data/empty"
sync
files=$(find "$data/tree" ! -type d | wc -l)
old=$(find "$data/tree" -type f -mmin +"$MINUTES" | wc -l)
young=$((files - old))

# --- helpers ---------------------------------------------------------------------------------
# seconds CMD...: runs CMD (stdout to $data/out) and prints its wall time, from the shell clock.
seconds() {
    local start=$EPOCHREALTIME
    "$@" >"$data/out"
    awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.4f", e - s }'
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# field NAME: the value the driver printed after NAME.
field() { awk -v k="$1" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' "$data/gui"; }
failures=0
fail() {
    echo "WRONG: $*" >&2
    failures=$((failures + 1))
}

# The process's own start and end, taken off the headless figure so that both sides time only
# the count.
overheads=()
for ((i = 0; i < 5; i++)); do
    overheads+=("$(seconds "$bench" count "$data/empty")")
done
overhead=$(median "${overheads[@]}")

headless=() gui_count=() count_gap=() purge_gap=() start_gap=() purge_time=()
for ((i = 1; i <= REPEAT; i++)); do
    echo "run $i of $REPEAT" >&2
    rm -rf "$data/copy"
    cp -a "$data/tree" "$data/copy"
    sync
    seconds "$bench" count "$data/copy" >/dev/null  # warms the caches as the start-up count does
    t=$(seconds "$bench" count "$data/copy")
    headless_files=$(cat "$data/out")
    [[ $headless_files == "$files" ]] || fail "headless count $headless_files, find $files"
    headless+=("$(awk -v t="$t" -v o="$overhead" 'BEGIN { printf "%.4f", t - o }')")

    if ! "$gui_bench" "$data/copy" "$HOURS" "$headless_files" "$young" >"$data/gui" \
        2>"$data/gui-err"; then
        cat "$data/gui-err" >&2
        fail "quellix_gui_bench failed in run $i"
        continue
    fi
    left=$(find "$data/copy" ! -type d | wc -l)
    [[ $left == "$young" ]] || fail "run $i left $left files, $young are young"
    gui_count+=("$(awk -v ms="$(field count_ms)" 'BEGIN { printf "%.4f", ms / 1000 }')")
    count_gap+=("$(field count_gap_ms)")
    purge_gap+=("$(field purge_gap_ms)")
    start_gap+=("$(field start_gap_ms)")
    purge_time+=("$(awk -v ms="$(field purge_ms)" 'BEGIN { printf "%.3f", ms / 1000 }')")
done
rm -rf "$data/copy"
if ((${#gui_count[@]} == 0)); then
    echo "No run of quellix_gui_bench succeeded" >&2
    exit 1
fi

# --- report ----------------------------------------------------------------------------------
rows=()
row() {  # name, median, runs, target
    rows+=("$(printf '%-34s %9s  %-26s %s' "$1" "$2" "$3" "$4")")
}
met() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "yes" : "NO" }'; }
gap_row() {
    local name=$1
    shift
    local m
    m=$(median "$@")
    row "$name" "$m" "$*" "<= $GAP_TARGET_MS  $(met "$m" "$GAP_TARGET_MS")"
}
gap_row "longest gap, count pass (ms)" "${count_gap[@]}"
gap_row "longest gap, immediate purge (ms)" "${purge_gap[@]}"
g=$(median "${gui_count[@]}")
h=$(median "${headless[@]}")
ratio=$(awk -v g="$g" -v h="$h" 'BEGIN { printf "%.2f", g / h }')
row "count pass, window (s)" "$g" "${gui_count[*]}" ""
row "count, headless (s)" "$h" "${headless[*]}" ""
row "count ratio window / headless" "$ratio" "" "<= $RATIO_TARGET  $(met "$ratio" "$RATIO_TARGET")"
row "longest gap, start-up (ms)" "$(median "${start_gap[@]}")" "${start_gap[*]}" "none"
row "immediate purge and its counts (s)" "$(median "${purge_time[@]}")" "${purge_time[*]}" "none"

echo
echo "Quellix window responsiveness: $files files ($BIG in one folder), $old older than" \
    "$HOURS h; offscreen; median of ${#gui_count[@]} runs; $(nproc) cores"
printf '%-34s %9s  %-26s %s\n' "measurement" "median" "runs" "target met"
printf '%s\n' "${rows[@]}"
echo "(headless: quellix_bench count, less its process's start and end, $overhead s)"
if ((failures > 0)); then
    echo "Correctness: $failures WRONG result(s), see above"
    exit 1
fi
echo "Correctness: every count matched find, every purge left exactly the $young young files"
