#!/usr/bin/env bash
# The portable Windows package: quellix.exe stripped, its help pages beside it, the README and
# the licence, in dist/quellix-VERSION-windows-x64.zip. Nothing is installed: unzipped anywhere,
# the program keeps Quellix.ini beside itself when that folder is writable.
# Usage: windows-zip.sh BUILD_FOLDER
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
version=$(sed -n 's/^project(Quellix VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=quellix-$version-windows-x64
stage=$root/dist/$name
rm -rf "$stage" "$root/dist/$name.zip"
mkdir -p "$stage"

x86_64-w64-mingw32-strip -o "$stage/quellix.exe" "$build/src/quellix.exe"
# The pages the build wrote for Windows; the sources also hold the Linux passages.
cp "$build/src/QuellixEN.htm" "$build/src/QuellixFR.htm" "$stage/"
# Windows line ends, so that Notepad of every version shows lines.
sed 's/$/\r/' "$root/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"

(cd "$root/dist" && cmake -E tar cf "$name.zip" --format=zip "$name")
rm -rf "$stage"
echo "dist/$name.zip"
