#!/usr/bin/env bash
# Runs a command with a throw-away Wine of its own: prefix, HOME, XDG folders and temporary
# folder all under FOLDER/wine, never the real ones (Wine sends "recycled" files to
# $XDG_DATA_HOME/Trash and maps Desktop and Documents to $HOME). One Wine server is kept for the
# whole command, which makes each program start in milliseconds instead of seconds.
# Usage: wine-run.sh FOLDER COMMAND [ARGUMENT...]
set -euo pipefail

base=$(realpath -m "$1/wine")
shift
export HOME=$base/home
export WINEPREFIX=$base/prefix
export XDG_DATA_HOME=$base/data
export XDG_CONFIG_HOME=$base/config
export XDG_CACHE_HOME=$base/cache
export TMPDIR=$base/tmp
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
# Every folder first: a missing parent of WINEPREFIX makes wineboot fail without a word, a
# missing trash makes the Recycle Bin delete for good.
mkdir -p "$HOME" "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" \
    "$XDG_CACHE_HOME" "$TMPDIR"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
wineserver -p
# Windows without a display: Wine's null graphics driver, unless a caller brings its own X
# display for screenshots.
if [ -z "${QUELLIX_WINE_DISPLAY:-}" ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
else
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
    export DISPLAY=$QUELLIX_WINE_DISPLAY
fi
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c exit >/dev/null 2>&1
"$@"
