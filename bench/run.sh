#!/usr/bin/env bash
# Speed benchmark: times quellix_bench against GNU find on the same trees, and its moves across
# file systems against mv.
#
#   bench/run.sh            full run (200,000 files over 400 folders, 5 repetitions, 1M-file memory,
#                           then the move)
#   bench/run.sh --quick    smoke run of the script itself (20,000 files, 1 repetition)
#   bench/run.sh --move     only the move: 20,000 files of 4 KiB over 40 folders from a tmpfs to a
#                           fresh ext4 file system, against mv (needs root, for the mounts)
#
# Environment overrides: N (files), FOLDERS, REPEAT, BIG_N (files of the memory run, 0 skips it),
# MOVE_N, MOVE_FOLDERS, MOVE_SIZE (bytes in each file), MOVE_DEST (loop: a new ext4 file system on
# a loop device for every run, the default; folder: a new folder of BENCH_DATA), BENCH_DATA
# (folder for the trees; default: /work/bench-data or /tmp, whichever has more room), BUILD_DIR
# (default build-bench), NO_BUILD=1 (use the binaries already in BUILD_DIR), JOBS (default 2).
# Exits with 77 (skipped) when not run as root, since the move mounts file systems.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
quick=0
move_only=0
for arg in "$@"; do
    case $arg in
        --quick) quick=1 ;;
        --move) move_only=1 ;;
        *)
            echo "usage: bench/run.sh [--quick] [--move]" >&2
            exit 2
            ;;
    esac
done
if ((quick)); then
    N=${N:-20000}
    FOLDERS=${FOLDERS:-40}
    REPEAT=${REPEAT:-1}
    BIG_N=${BIG_N:-50000}
else
    N=${N:-200000}
    FOLDERS=${FOLDERS:-400}
    REPEAT=${REPEAT:-5}
    BIG_N=${BIG_N:-1000000}
fi
MOVE_N=${MOVE_N:-20000}
MOVE_FOLDERS=${MOVE_FOLDERS:-40}
MOVE_SIZE=${MOVE_SIZE:-4096}
MOVE_DEST=${MOVE_DEST:-loop}
HOURS=48
MINUTES=$((HOURS * 60))
BUILD_DIR=${BUILD_DIR:-$repo/build-bench}
JOBS=${JOBS:-2}

if ((EUID != 0)); then
    echo "bench/run.sh: the move measurement mounts file systems: run it as root" >&2
    exit 77
fi
if [[ ! -x /usr/bin/time ]]; then
    echo "Installing the Debian package 'time' (GNU time, for peak memory)" >&2
    apt-get install -y time >&2
fi

# --- build -----------------------------------------------------------------------------------
# Release at -O2, the optimisation of the shipped RelWithDebInfo build without its debug info
# (GCC 12 at CMake's Release default, -O3, stops on a false -Wrestrict in std::string code).
if [[ ${NO_BUILD:-0} != 1 ]]; then
    cmake -G Ninja -S "$repo" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUELLIX_BENCH=ON -DQUELLIX_TESTS=OFF >/dev/null
    cmake --build "$BUILD_DIR" -j"$JOBS" --target quellix_bench >/dev/null
fi
bench="$BUILD_DIR/bench/quellix_bench"

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
data=$(mktemp -d "$BENCH_DATA/quellix-bench.XXXXXX")
cleanup() {
    if declare -F move_cleanup >/dev/null; then
        move_cleanup || true
    fi
    rm -rf "$data"
    rmdir /work/bench-data 2>/dev/null || true
}
trap cleanup EXIT
echo "Trees under $data ($(df -h --output=avail "$data" | tail -n 1 | tr -d ' ') free," \
    "$(df -i "$data" | awk 'NR == 2 { print $4 }') inodes free)" >&2

# --- helpers ---------------------------------------------------------------------------------
# run_timed OUT_VAR CMD...: runs CMD (stdout to $data/out), sets OUT_VAR to "seconds max_rss_kib".
# Wall time is read from the shell clock around the whole process (millisecond resolution); the
# peak memory comes from GNU time.
run_timed() {
    local -n result=$1
    shift
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$data/rss" "$@" >"$data/out"
    end=$EPOCHREALTIME
    result="$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }') $(tail -n 1 "$data/rss")"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
files_left() { find "$1" ! -type d | wc -l; }
fresh_copy() {
    rm -rf "$data/copy"
    cp -a "$1" "$data/copy"
    sync
}
failures=0
check() {
    if [[ $2 != "$3" ]]; then
        echo "MISMATCH: $1: quellix $2, find $3" >&2
        failures=$((failures + 1))
    fi
}

# --- move only ---------------------------------------------------------------------------------
# shellcheck source=bench/move_bench.sh
source "$repo/bench/move_bench.sh"
if ((move_only)); then
    move_benchmark
    echo
    move_report
    if ((failures > 0)); then
        echo "Correctness: $failures MISMATCH(ES), see above"
        exit 1
    fi
    echo "Correctness: quellix and mv left the same files in every run"
    exit 0
fi

echo "Building the tree: $N files over $FOLDERS folders" >&2
python3 "$repo/bench/make_tree.py" "$data/tree" -n "$N" -f "$FOLDERS"
sync
old=$(find "$data/tree" -type f -mmin +"$MINUTES" | wc -l)
recent=$((N - old))

rows=()
add_row() {  # name, quellix times..., --, find times..., target
    local name=$1 target=$2 q f ratio met
    q=$(median $3)
    f=$(median $4)
    echo "  $name: quellix runs: $3; find runs: $4" >&2
    ratio=$(awk -v q="$q" -v f="$f" 'BEGIN { printf "%.2f", q / f }')
    met=$(awk -v r="$ratio" -v t="$target" 'BEGIN { print (r <= t) ? "yes" : "NO" }')
    rows+=("$(printf '%-22s %10s %10s %7s %8s %5s' "$name" "$q" "$f" "$ratio" "<= $target" "$met")")
}

# --- count -----------------------------------------------------------------------------------
echo "count ($REPEAT repetitions after one warm-up each)" >&2
q_times=() f_times=() t=
for ((i = 0; i <= REPEAT; i++)); do
    run_timed t "$bench" count "$data/tree"
    q_count=$(cat "$data/out")
    ((i > 0)) && q_times+=("${t% *}")
    run_timed t bash -c "find '$data/tree' ! -type d | wc -l"
    f_count=$(tr -d ' ' <"$data/out")
    ((i > 0)) && f_times+=("${t% *}")
    check "count" "$q_count" "$f_count"
done
add_row "count" 1.2 "${q_times[*]}" "${f_times[*]}"

# --- purge -----------------------------------------------------------------------------------
# purge_pair NAME TARGET [--log]: quellix and find alternate, each on a fresh copy of the tree.
q_rss=()
purge_pair() {
    local name=$1 target=$2 log=${3:-} i t handled q_left f_left
    local q_times=() f_times=()
    echo "$name ($REPEAT repetitions after one warm-up each)" >&2
    for ((i = 0; i <= REPEAT; i++)); do
        fresh_copy "$data/tree"
        if [[ -n $log ]]; then
            rm -rf "$data/logs"
            mkdir "$data/logs"
            run_timed t "$bench" purge "$data/copy" "$HOURS" --log "$data/logs"
        else
            run_timed t "$bench" purge "$data/copy" "$HOURS"
        fi
        handled=$(cat "$data/out")
        q_left=$(files_left "$data/copy")
        ((i > 0)) && q_times+=("${t% *}") && q_rss+=("${t#* }")
        check "$name: files handled" "$handled" "$old"
        check "$name: files left" "$q_left" "$recent"
        if [[ -n $log ]] && ! grep -q . "$data/logs"/*.htm 2>/dev/null; then
            echo "MISSING: $name: no log written" >&2
            failures=$((failures + 1))
        fi

        fresh_copy "$data/tree"
        run_timed t find "$data/copy" -type f -mmin +"$MINUTES" -delete
        f_left=$(files_left "$data/copy")
        ((i > 0)) && f_times+=("${t% *}")
        check "$name: files left (find)" "$q_left" "$f_left"
    done
    add_row "$name" "$target" "${q_times[*]}" "${f_times[*]}"
}
purge_pair "purge, log off" 1.5
rss_small=$(median "${q_rss[@]}")
purge_pair "purge, log on" 1.8 --log
log_lines=$(cat "$data/logs"/*.htm | wc -l)
rm -rf "$data/copy" "$data/logs"

# --- peak memory with many files ---------------------------------------------------------------
big_row=
if ((BIG_N > 0)); then
    rm -rf "$data/tree"
    echo "Building the tree: $BIG_N files over $FOLDERS folders (memory run)" >&2
    python3 "$repo/bench/make_tree.py" "$data/big" -n "$BIG_N" -f "$FOLDERS"
    sync
    big_old=$(find "$data/big" -type f -mmin +"$MINUTES" | wc -l)
    fresh_copy "$data/big"
    run_timed t "$bench" purge "$data/copy" "$HOURS"
    check "purge $BIG_N: files handled" "$(cat "$data/out")" "$big_old"
    q_big=$t
    q_left=$(files_left "$data/copy")
    fresh_copy "$data/big"
    run_timed t find "$data/copy" -type f -mmin +"$MINUTES" -delete
    f_big=$t
    check "purge $BIG_N: files left" "$q_left" "$(files_left "$data/copy")"
    rm -rf "$data/copy" "$data/big"
    big_row=$(printf '%-22s %10s %10s %7s   (one run)' \
        "purge $BIG_N, log off" "${q_big% *}" "${f_big% *}" \
        "$(awk -v q="${q_big% *}" -v f="${f_big% *}" 'BEGIN { printf "%.2f", q / f }')")
fi

# --- move across file systems -----------------------------------------------------------------
rm -rf "$data/tree"
move_benchmark

# --- report ----------------------------------------------------------------------------------
echo
echo "Quellix speed benchmark: $N files over $FOLDERS folders, half older than $HOURS h;" \
    "median of $REPEAT runs; $(nproc) cores"
printf '%-22s %10s %10s %7s %8s %5s\n' "measurement" "quellix s" "find s" "ratio" "target" "met"
printf '%s\n' "${rows[@]}"
[[ -n $big_row ]] && echo "$big_row"
echo
memory="$rss_small KiB at $N files"
[[ -n ${q_big:-} ]] && memory+=", ${q_big#* } KiB at $BIG_N files"
echo "Peak memory (max RSS) of quellix_bench purge: $memory"
echo "Log written by the logged purge: $log_lines lines"
echo
move_report
if ((failures > 0)); then
    echo "Correctness: $failures MISMATCH(ES), see above"
    exit 1
fi
echo "Correctness: quellix and find left the same files in every run, and so did quellix and mv"
