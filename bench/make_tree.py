#!/usr/bin/env python3
"""Builds the file tree the speed benchmark purges.

N files spread evenly over F leaf folders, nested two levels deep (about sqrt(F) top folders,
each holding its share of the leaf folders). Half of the files (chosen by a seeded generator,
so the same arguments always give the same tree) get a modification time AGE_DAYS days in the
past, the others keep the time of their creation; with --all-old, all of them do.

With --chain DEPTH instead: DEPTH folders each inside the one before, each holding one old file.
"""

import argparse
import math
import os
import random
import sys
import time


def make_chain(root: str, depth: int, old_time: float) -> int:
    """Works through folder handles: the chain is far deeper than a path may be long."""
    os.mkdir(root)
    fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
    for _ in range(depth):
        file_fd = os.open("old.dat", os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644, dir_fd=fd)
        os.utime(file_fd, (old_time, old_time))
        os.close(file_fd)
        os.mkdir("d", dir_fd=fd)
        child = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
        os.close(fd)
        fd = child
    os.close(fd)
    print(f"a chain of {depth} folders under {root}", file=sys.stderr)
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("root", help="folder to create (must not exist)")
    parser.add_argument("-n", "--files", type=int, default=200_000)
    parser.add_argument("-f", "--folders", type=int, default=400)
    parser.add_argument("--age-days", type=float, default=30.0)
    parser.add_argument("--size", type=int, default=0, help="bytes in each file")
    parser.add_argument("--seed", type=int, default=20261207)
    parser.add_argument("--all-old", action="store_true", help="every file gets the old time")
    parser.add_argument("--chain", type=int, default=0, metavar="DEPTH")
    args = parser.parse_args()
    if args.chain > 0:
        return make_chain(args.root, args.chain, time.time() - args.age_days * 86400)
    if args.files < 0 or args.folders < 1 or args.size < 0:
        parser.error("files >= 0, folders >= 1, size >= 0")

    os.mkdir(args.root)
    tops = max(1, round(math.sqrt(args.folders)))
    leaves = []
    for leaf in range(args.folders):
        top = os.path.join(args.root, f"top{leaf % tops:03d}")
        os.makedirs(top, exist_ok=True)
        path = os.path.join(top, f"sub{leaf // tops:03d}")
        os.mkdir(path)
        leaves.append(path)

    rng = random.Random(args.seed)
    old_files = args.files if args.all_old else args.files // 2
    is_old = [True] * old_files + [False] * (args.files - old_files)
    rng.shuffle(is_old)
    old_time = time.time() - args.age_days * 86400
    content = b"x" * args.size
    flags = os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_CLOEXEC
    for i in range(args.files):
        path = os.path.join(leaves[i % args.folders], f"file{i:07d}.dat")
        fd = os.open(path, flags, 0o644)
        try:
            if content:
                os.write(fd, content)
            if is_old[i]:
                os.utime(fd, (old_time, old_time))
        finally:
            os.close(fd)
    print(f"{args.files} files ({old_files} old) in {args.folders} folders under {args.root}",
          file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
