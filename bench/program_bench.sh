#!/usr/bin/env bash
# Times the real program's one-shot run ("quellix -C --ini=FILE", the cron line) against the
# standard tools doing the same job, each run on a fresh copy, interleaved, all on a new ext4 file
# system on a loop device (the machine's shared disk slows down for minutes after mass deletions).
# The delete purges also time the floor (bench/floor_purge.cpp: a walk that only lists, stats,
# asks each obsolete file whether it is in use, and deletes) in the same run. Needs root.
#
#   bench/program_bench.sh            full run (about 25 minutes)
#   bench/program_bench.sh --quick    smoke run of the script itself (a few seconds)
#
# Measures: a delete purge of half of N files over FOLDERS folders, log off and on, against
# `find -type f -mmin +2880 -delete`; the start-up of a list of ENTRIES entries over 50 folders
# that purges nothing (time and peak memory); a "[D]" purge of a chain of CHAIN folders, each
# holding one old file, against `find -mindepth 1 -delete`; a move of MOVE_N files of 4 KiB over
# MOVE_FOLDERS folders from a tmpfs to a new ext4 file system, against mv.
#
# Environment overrides: N, FOLDERS, REPEAT, ENTRIES, CHAIN, MOVE_N, MOVE_FOLDERS, BENCH_DATA
# (where the loop device's file goes), BUILD_DIR (default build-bench), NO_BUILD=1 (use the
# binaries already in BUILD_DIR), JOBS, SKIP_PURGES=1 (leave out the delete purges, whose fresh
# copies of the tree take most of the time).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
quick=0
case ${1:-} in
    --quick) quick=1 ;;
    "") ;;
    *)
        echo "usage: bench/program_bench.sh [--quick]" >&2
        exit 2
        ;;
esac
if ((quick)); then
    N=${N:-4000} FOLDERS=${FOLDERS:-40} REPEAT=${REPEAT:-1} ENTRIES=${ENTRIES:-500}
    CHAIN=${CHAIN:-300} MOVE_N=${MOVE_N:-500} MOVE_FOLDERS=${MOVE_FOLDERS:-10}
else
    N=${N:-200000} FOLDERS=${FOLDERS:-400} REPEAT=${REPEAT:-5} ENTRIES=${ENTRIES:-32767}
    CHAIN=${CHAIN:-4000} MOVE_N=${MOVE_N:-10000} MOVE_FOLDERS=${MOVE_FOLDERS:-20}
fi
HOURS=48
BUILD_DIR=${BUILD_DIR:-$repo/build-bench}
JOBS=${JOBS:-2}

if ((EUID != 0)); then
    echo "program_bench: mounts file systems, so it needs root" >&2
    exit 77
fi
if ! losetup --find >/dev/null 2>&1 || [[ ! -x /usr/bin/time ]]; then
    echo "program_bench: needs a free loop device and GNU time" >&2
    exit 77
fi

if [[ ${NO_BUILD:-0} != 1 ]]; then
    # -O2 without debug info, as bench/run.sh builds; the desktop program, as the package ships it.
    cmake -G Ninja -S "$repo" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUELLIX_BENCH=ON -DQUELLIX_TESTS=OFF >/dev/null
    cmake --build "$BUILD_DIR" -j"$JOBS" --target quellix floor_purge >/dev/null
fi
quellix=$BUILD_DIR/src/quellix
floor=$BUILD_DIR/bench/floor_purge

work=$(mktemp -d "${BENCH_DATA:-/tmp}/quellix-program.XXXXXX")
mnt=$work/mnt
tmpfs=$work/tmpfs
dest=$work/dest
mkdir "$mnt" "$tmpfs" "$dest"
cleanup() {
    umount "$dest" 2>/dev/null || true
    umount "$tmpfs" 2>/dev/null || true
    umount "$mnt" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
new_ext4() {  # IMAGE MIB INODES MOUNTPOINT
    truncate -s "$2M" "$1"
    mkfs.ext4 -q -F -N "$3" -E lazy_itable_init=0,lazy_journal_init=0 "$1"
    mount -o loop "$1" "$4"
}
new_ext4 "$work/fs.img" $((N / 100 + ENTRIES / 50 + 512)) $((N * 3 + ENTRIES + CHAIN * 6 + 4096)) "$mnt"

failures=0
check() {  # what, got, expected
    if [[ $2 != "$3" ]]; then
        echo "MISMATCH: $1: $2, expected $3" >&2
        failures=$((failures + 1))
    fi
}
# timed VAR CMD...: VAR gets "seconds peak_rss_kib"; CMD's output goes to $work/out.
timed() {
    local -n into=$1
    shift
    local start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/rss" "$@" >"$work/out"
    into="$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.3f", e - s }') $(tail -n 1 "$work/rss")"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
files_in() { find "$1" ! -type d | wc -l; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# ini FILE PURGE_OPTIONS ENTRY_LINES [LOG_FOLDER]
ini() {
    {
        printf '[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30\n%s' "$2"
        printf '[Paths]\n%s' "$3"
        if [[ -n ${4:-} ]]; then
            printf '[Logs]\nLogs=1\nPathLogs=%s\n' "$4"
        else
            printf '[Logs]\nLogs=0\n'
        fi
    } >"$1"
}
entry() {  # N PATH SUBFOLDERS ACTION_LINE
    printf 'Path%d=%s\nRetentionPath%d=%d\nSousDossiers%d=%s\nDate%d=M\n%s\n' \
        "$1" "$2" "$1" "$HOURS" "$1" "$3" "$1" "$4"
}
immediate=$'DemarrageAutomatiqueLancement=1\nPurgeImmediate=1\n'
rows=()
row() { rows+=("$(printf '%-34s %9s %9s %9s %7s %7s' "$@")"); }

# --- delete purges -----------------------------------------------------------------------------
python3 "$repo/bench/make_tree.py" "$mnt/tree" -n "$N" -f "$FOLDERS" 2>/dev/null
old=$(find "$mnt/tree" -type f -mmin +$((HOURS * 60)) | wc -l)
fresh() {
    rm -rf "$mnt/copy" "$mnt/logs" "$work/config"
    cp -a "$mnt/tree" "$mnt/copy"
    mkdir "$mnt/logs" "$work/config"
    sync
}
purge_logs=(off on)
[[ ${SKIP_PURGES:-0} == 1 ]] && purge_logs=()
for log in "${purge_logs[@]}"; do
    q=() f=() l=()
    echo "delete purge, log $log ($REPEAT runs after a warm-up)" >&2
    for ((i = 0; i <= REPEAT; i++)); do
        fresh
        ini "$work/config/Quellix.ini" "$immediate" \
            "NbPaths=1"$'\n'"$(entry 1 "$mnt/copy/" oui Effacer1=oui)"$'\n' \
            "$([[ $log == on ]] && echo "$mnt/logs")"
        timed t "$quellix" -C --ini="$work/config/Quellix.ini"
        ((i > 0)) && q+=("${t% *}")
        check "quellix: files left" "$(files_in "$mnt/copy")" $((N - old))
        check "quellix: NbDernierePurge" "$(grep -c "^NbDernierePurge=$old\$" "$work/config/Quellix.ini")" 1
        if [[ $log == on ]]; then
            check "quellix: log lines" "$(cat "$mnt/logs"/*.htm | grep -c '<i>')" "$old"
        fi
        fresh
        timed t "$floor" "$mnt/copy" "$HOURS"
        ((i > 0)) && l+=("${t% *}")
        check "floor: files deleted" "$(cat "$work/out")" "$old"
        fresh
        timed t find "$mnt/copy" -type f -mmin +$((HOURS * 60)) -delete
        ((i > 0)) && f+=("${t% *}")
        check "find: files left" "$(files_in "$mnt/copy")" $((N - old))
    done
    echo "  quellix ${q[*]}; floor ${l[*]}; find ${f[*]}" >&2
    mq=$(median "${q[@]}") mf=$(median "${f[@]}") ml=$(median "${l[@]}")
    row "delete $old of $N files, log $log" "$mq" "$mf" "$ml" "$(ratio "$mq" "$mf")" \
        "$(ratio "$ml" "$mf")"
done
rm -rf "$mnt/copy" "$mnt/tree" "$mnt/logs"

# --- start-up of a long list -------------------------------------------------------------------
echo "start-up with $ENTRIES entries ($REPEAT runs after a warm-up)" >&2
for ((k = 0; k < 50; k++)); do
    mkdir -p "$mnt/entries/f$k"
    touch "$mnt/entries/f$k/a" "$mnt/entries/f$k/b"
done
{
    echo "NbPaths=$ENTRIES"
    for ((k = 1; k <= ENTRIES; k++)); do
        entry "$k" "$mnt/entries/f$((k % 50))/" oui Effacer$k=oui
    done
} >"$work/entries.txt"
q=() m=()
for ((i = 0; i <= REPEAT; i++)); do
    rm -rf "$work/config" && mkdir "$work/config"
    ini "$work/config/Quellix.ini" $'DemarrageAutomatiqueLancement=1\nPurgeImmediate=0\n' \
        "$(cat "$work/entries.txt")"$'\n'
    timed t "$quellix" -C --ini="$work/config/Quellix.ini"
    ((i > 0)) && q+=("${t% *}") && m+=("${t#* }")
    check "start-up: files left" "$(files_in "$mnt/entries")" 100
done
echo "  quellix ${q[*]}; peak KiB ${m[*]}" >&2
row "start-up, $ENTRIES entries" "$(median "${q[@]}")" "-" "-" "-" "-"
startup_rss=$(median "${m[@]}")
rm -rf "$mnt/entries"

# --- [D] over a deep chain ---------------------------------------------------------------------
echo "[D] over a chain of $CHAIN folders ($REPEAT runs after a warm-up)" >&2
q=() f=()
for ((i = 0; i <= REPEAT; i++)); do
    for tool in quellix find; do
        rm -rf "$mnt/chain" "$work/config" && mkdir "$work/config"
        python3 "$repo/bench/make_tree.py" "$mnt/chain" --chain "$CHAIN" 2>/dev/null
        sync
        if [[ $tool == quellix ]]; then
            ini "$work/config/Quellix.ini" "$immediate" \
                "NbPaths=1"$'\n'"$(entry 1 "$mnt/chain/" "oui [D]" Effacer1=oui)"$'\n'
            timed t bash -c 'ulimit -n 1024 && exec "$@"' - "$quellix" -C \
                --ini="$work/config/Quellix.ini"
            ((i > 0)) && q+=("${t% *}")
        else
            timed t bash -c 'ulimit -n 1024 && exec find "$1" -mindepth 1 -delete' - "$mnt/chain"
            ((i > 0)) && f+=("${t% *}")
        fi
        check "chain, $tool: entries left" "$(find "$mnt/chain" -mindepth 1 | wc -l)" 0
    done
done
echo "  quellix ${q[*]}; find ${f[*]}" >&2
mq=$(median "${q[@]}") mf=$(median "${f[@]}")
row "[D], chain of $CHAIN folders" "$mq" "$mf" "-" "$(ratio "$mq" "$mf")" "-"
rm -rf "$mnt/chain"

# --- move from a tmpfs to a new ext4 file system -------------------------------------------------
echo "move of $MOVE_N files, tmpfs to ext4 ($REPEAT runs after a warm-up)" >&2
mount -t tmpfs -o size=$((MOVE_N * 16 / 1024 + 64))m quellix-bench "$tmpfs"
python3 "$repo/bench/make_tree.py" "$tmpfs/tree" -n "$MOVE_N" -f "$MOVE_FOLDERS" --size 4096 \
    --all-old 2>/dev/null
q=() f=()
for ((i = 0; i <= REPEAT; i++)); do
    for tool in quellix mv; do
        cp -a "$tmpfs/tree" "$tmpfs/copy"
        rm -rf "$work/config" && mkdir "$work/config"
        new_ext4 "$work/dest.img" $((MOVE_N * 16 / 1024 + 128)) $((MOVE_N * 2 + 1024)) "$dest"
        sync
        if [[ $tool == quellix ]]; then
            ini "$work/config/Quellix.ini" "$immediate" \
                "NbPaths=1"$'\n'"$(entry 1 "$tmpfs/copy/" oui "AutreDossier1=$dest/")"$'\n'
            timed t "$quellix" -C --ini="$work/config/Quellix.ini"
            ((i > 0)) && q+=("${t% *}")
        else
            timed t bash -c 'mv "$1"/* "$2"/' - "$tmpfs/copy" "$dest"
            ((i > 0)) && f+=("${t% *}")
        fi
        check "move, $tool: files arrived" "$(files_in "$dest")" "$MOVE_N"
        check "move, $tool: files left behind" "$(files_in "$tmpfs/copy")" 0
        rm -rf "$tmpfs/copy"
        umount "$dest" && rm -f "$work/dest.img"
    done
done
echo "  quellix ${q[*]}; mv ${f[*]}" >&2
mq=$(median "${q[@]}") mf=$(median "${f[@]}")
row "move of $MOVE_N 4-KiB files" "$mq" "$mf" "-" "$(ratio "$mq" "$mf")" "-"

# --- report --------------------------------------------------------------------------------------
echo
echo "quellix -C against the standard tools on a new ext4 file system (loop device); median of" \
    "$REPEAT runs; $(nproc) cores"
printf '%-34s %9s %9s %9s %7s %7s\n' "measurement" "quellix s" "anchor s" "floor s" "ratio" \
    "floor"
printf '%s\n' "${rows[@]}"
echo "Peak memory of the start-up with $ENTRIES entries: $startup_rss KiB"
if ((failures > 0)); then
    echo "Correctness: $failures MISMATCH(ES), see above"
    exit 1
fi
echo "Correctness: every run left the files it should"
