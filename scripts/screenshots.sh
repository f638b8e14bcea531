#!/usr/bin/env bash
# Renders the main window with a sample list, and its purge preview, in English and in French,
# into docs/screenshots/ (the pictures of the README). Needs no display: the offscreen platform
# draws them. The sample folders get the same names on every run, so that a change that should
# leave the window as it was can be checked with `git diff --stat docs/screenshots`.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}

scripts/install-deps.sh test gui
cmake -G Ninja -S . -B "$BUILD" -DQUELLIX_TESTS=ON -DQUELLIX_WERROR=ON >/dev/null
cmake --build "$BUILD" -j2 --target gui_screenshot_test
QT_QPA_PLATFORM=offscreen QUELLIX_TEST_SEED=1 QUELLIX_SCREENSHOT_DIR="$PWD/docs/screenshots" \
    "$BUILD/tests/gui_screenshot_test" >/dev/null
ls -l docs/screenshots/main-window-*.png docs/screenshots/purge-preview-*.png
