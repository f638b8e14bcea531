# shellcheck shell=bash disable=SC2154
# Sourced by bench/run.sh: times `quellix_bench move` against mv, both moving the same tree from a
# tmpfs to an ext4 file system, whole processes, alternating, each on a fresh copy of the tree and
# into an empty destination. Uses run_timed, median, files_left, $data, $bench and $REPEAT of
# run.sh; sets move_row (the report's line) and adds to failures.

move_tmpfs="$data/move-source"
move_dest="$data/move-dest"
move_tmpfs_mounted=0
move_dest_loop=

# Unmounts whatever the move measurement mounted; run.sh's exit trap calls it too.
move_cleanup() {
    move_release_destination
    if ((move_tmpfs_mounted)); then
        umount "$move_tmpfs" && move_tmpfs_mounted=0
    fi
}

# The destination of one run: by default a new ext4 file system on a loop device backed by a file
# of $data: on the machine's disk (a flush of the loop device syncs the file, down to the disk), but
# with no earlier run's files in it and nobody else's writes or deletions (for minutes after many
# files are removed, ext4 is slow to create new ones, whoever removed them). Else a new folder of
# $data.
move_new_destination() {
    if [[ $MOVE_DEST == loop ]]; then
        local mib=$((MOVE_N * (MOVE_SIZE + 4096) * 2 / 1048576 + 256))
        rm -f "$data/move.img"
        truncate -s "${mib}M" "$data/move.img"
        mkfs.ext4 -q -F -N $((MOVE_N * 2 + 1024)) -E lazy_itable_init=0,lazy_journal_init=0 \
            "$data/move.img"
        move_dest_loop=$(losetup --find --show "$data/move.img")
        mkdir -p "$move_dest"
        mount "$move_dest_loop" "$move_dest"
    else
        mkdir "$move_dest"
    fi
}

move_release_destination() {
    if [[ -n $move_dest_loop ]]; then
        umount "$move_dest" && losetup -d "$move_dest_loop" && move_dest_loop=
        rm -f "$data/move.img"
    fi
    # A folder destination is kept until the end: removing 20,000 files makes ext4 slow to create
    # the next ones for minutes, in whichever run comes next.
    if [[ $MOVE_DEST != loop && -d $move_dest ]]; then
        mv "$move_dest" "$data/move-done-$RANDOM$RANDOM"
    fi
}

move_check() {  # what, got, expected
    if [[ $2 != "$3" ]]; then
        echo "MISMATCH: move: $1: $2, expected $3" >&2
        failures=$((failures + 1))
    fi
}

move_benchmark() {
    local i t tool bytes q_times=() m_times=()
    if ((EUID != 0)); then
        echo "The move measurement mounts file systems: it needs root" >&2
        failures=$((failures + 1))
        return
    fi
    if [[ $MOVE_DEST == loop ]] && ! losetup --find >/dev/null 2>&1; then
        echo "No loop device: the move goes to a folder of $data instead" >&2
        MOVE_DEST=folder
    fi
    mkdir "$move_tmpfs"
    mount -t tmpfs -o "size=$((MOVE_N * (MOVE_SIZE + 4096) * 2 / 1048576 + 64))m" \
        quellix-bench "$move_tmpfs"
    move_tmpfs_mounted=1
    echo "Building the tree to move: $MOVE_N files of $MOVE_SIZE bytes over $MOVE_FOLDERS folders" >&2
    python3 "$repo/bench/make_tree.py" "$move_tmpfs/tree" -n "$MOVE_N" -f "$MOVE_FOLDERS" \
        --size "$MOVE_SIZE"
    echo "move, tmpfs to ext4 ($MOVE_DEST; $REPEAT repetitions after one warm-up each)" >&2
    for ((i = 0; i <= REPEAT; i++)); do
        for tool in quellix mv; do
            cp -a "$move_tmpfs/tree" "$move_tmpfs/copy"
            move_new_destination
            # Nothing left to write back from earlier work, which a sync of the run would wait for.
            sync
            if [[ $tool == quellix ]]; then
                run_timed t "$bench" move "$move_tmpfs/copy" "$move_dest"
                move_check "files moved by quellix" "$(cat "$data/out")" "$MOVE_N"
                ((i > 0)) && q_times+=("${t% *}")
            else
                run_timed t mv "$move_tmpfs/copy"/* "$move_dest/"
                ((i > 0)) && m_times+=("${t% *}")
            fi
            move_check "$tool: files arrived" "$(files_left "$move_dest")" "$MOVE_N"
            move_check "$tool: files left behind" "$(files_left "$move_tmpfs/copy")" 0
            bytes=$(find "$move_dest" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
            move_check "$tool: bytes arrived" "$bytes" $((MOVE_N * MOVE_SIZE))
            rm -rf "$move_tmpfs/copy"
            move_release_destination
        done
    done
    move_cleanup
    echo "  move: quellix runs: ${q_times[*]}; mv runs: ${m_times[*]}" >&2
    local q m ratio met
    q=$(median "${q_times[@]}")
    m=$(median "${m_times[@]}")
    ratio=$(awk -v q="$q" -v m="$m" 'BEGIN { printf "%.2f", q / m }')
    met=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3) ? "yes" : "NO" }')
    move_row=$(printf '%-22s %10s %10s %7s %8s %5s' "move, tmpfs to ext4" "$q" "$m" "$ratio" \
        "<= 1.3" "$met")
}

move_report() {
    echo "Move across file systems: $MOVE_N files of $MOVE_SIZE bytes over $MOVE_FOLDERS folders," \
        "tmpfs to ext4 ($MOVE_DEST), against mv; median of $REPEAT runs"
    printf '%-22s %10s %10s %7s %8s %5s\n' "measurement" "quellix s" "mv s" "ratio" "target" "met"
    echo "$move_row"
}
