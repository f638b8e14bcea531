#!/usr/bin/env bash
# Photographs the Windows program in a Wine virtual desktop on a virtual X display (the tray's
# notification area shows there): the desktop, the main window and three dialogs, in English and
# French, into docs/screenshots/windows-*.png (or SCREENSHOT_DIR). Ends with an error when a
# window did not appear: `make test-windows` runs it as the program's smoke test.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-windows-test}

if [ "${1:-}" = "--on-display" ]; then
    # Inside xvfb-run: a Wine of its own (never the tests' null-driver one) with a 1024x768
    # virtual desktop, then the tour.
    # Sample folders named from a seed: the same pictures on every run.
    export QUELLIX_WINE_DISPLAY=$DISPLAY BUILD SHOTS_OUT QUELLIX_TEST_SEED=1
    exec scripts/wine-run.sh "$SHOTS_WINE" bash -c '
        wine reg add "HKCU\\Software\\Wine\\Explorer" /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops" /v Default /d 1024x768 /f \
            >/dev/null 2>&1
        wine "$BUILD/tests/windows_screenshot_tour.exe" "$BUILD/src/quellix.exe" "Z:$SHOTS_OUT"'
fi

scripts/install-deps.sh build windows wine display
cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELLIX_WERROR=ON -DQUELLIX_TESTS=ON \
    -S . -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j2 --target quellix windows_screenshot_tour

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/shots"
status=0
SHOTS_WINE=$work SHOTS_OUT=$work/shots BUILD=$BUILD \
    xvfb-run -a -s '-screen 0 1024x768x24' "$0" --on-display || status=$?

out=${SCREENSHOT_DIR:-docs/screenshots}
mkdir -p "$out"
for bmp in "$work"/shots/*.bmp; do
    [ -f "$bmp" ] || continue
    python3 scripts/bmp-to-png.py "$bmp" "$out/$(basename "${bmp%.bmp}").png"
done
ls -l "$out"/windows-*.png
exit "$status"
