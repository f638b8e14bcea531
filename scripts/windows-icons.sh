#!/usr/bin/env bash
# Renders the program's SVG pictures into the .ico files the Windows build links in
# (resources/windows/), with the Linux build's SVG renderer: the program's icon at 16 to 256
# pixels, the small pictures at 16 to 48. Run again after changing an SVG; commit the result.
# Usage: windows-icons.sh [BUILD_FOLDER]   (a Linux build with Qt; default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target quellix_render_icon >/dev/null
render=$build/packaging/quellix_render_icon
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name: sizes
declare -A sizes=(
    [quellix]="16 20 24 32 40 48 64 96 128 256"
    [tray]="16 20 24 32 40 48"
    [refresh]="16 20 24 32 40 48"
    [rise]="16 20 24 32 40 48"
    [fall]="16 20 24 32 40 48"
)
for frame in 0 1 2 3 4 5 6 7 8 9; do
    sizes[hourglass$frame]="16 20 24 32 40 48"
done

for name in "${!sizes[@]}"; do
    pngs=()
    for size in ${sizes[$name]}; do
        "$render" "$root/resources/icons/$name.svg" "$work/$name-$size.png" "$size" 2>/dev/null
        pngs+=("$work/$name-$size.png")
    done
    python3 - "$root/resources/windows/$name.ico" "${pngs[@]}" <<'PYTHON'
# An .ico holding PNG images (Windows Vista and later read them at every size).
import struct, sys
output, images = sys.argv[1], sys.argv[2:]
blobs = [open(path, "rb").read() for path in images]
header = struct.pack("<HHH", 0, 1, len(blobs))
offset = 6 + 16 * len(blobs)
entries = b""
for blob in blobs:
    width, height = struct.unpack(">II", blob[16:24])
    entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset)
    offset += len(blob)
with open(output, "wb") as ico:
    ico.write(header + entries + b"".join(blobs))
PYTHON
done
echo "icons written to resources/windows/"
