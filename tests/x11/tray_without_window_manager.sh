#!/usr/bin/env bash
# The desktop program on a real X display with a notification area and no window manager:
# started automatically (in the tray), each left click on the tray icon shows, then hides, then
# shows the main window again, from the first click on; Logs > Check Logs then shows the log
# viewer in the top right corner, clear of the tray icon; a click on a date there sends the main
# window to the tray, and one click on the icon brings it back.
# Usage: tray_without_window_manager.sh QUELLIX_BINARY
set -euo pipefail
binary=$1
for tool in xvfb-run trayer xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
if [ -z "${QUELLIX_INSIDE_XVFB:-}" ]; then
    QUELLIX_INSIDE_XVFB=1 exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
mkdir "$work/a" "$work/logs" "$work/bin"
export XDG_RUNTIME_DIR=$work/run HOME=$work XDG_CONFIG_HOME=$work/config PATH=$work/bin:$PATH
# The browser that opens the newest log.
printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
echo "<html></html>" >"$work/logs/Log Quellix 2026-12-01.htm"
cat >"$work/Quellix.ini" <<INI
[Purge]
Heure=12:00
DemarrageAutomatiqueLancement=1
Langue=0
[Logs]
Logs=1
PathLogs=$work/logs
[Paths]
NbPaths=1
Path1=$work/a/
RetentionPath1=48
Effacer1=oui
INI

# Polls for up to ten seconds.
until_true() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
panel() { xwininfo -root -tree | grep -m1 '"panel"'; }
main_window() { xdotool search --name '^Quellix .* - ' 2>/dev/null | head -n1; }
mapped() { xwininfo -id "$(main_window)" 2>/dev/null | grep -q 'IsViewable'; }
unmapped() { ! mapped; }

trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
    --transparent false >/dev/null 2>&1 &
until_true panel >/dev/null || { echo "no notification area"; exit 1; }
QT_QPA_PLATFORM=xcb "$binary" --ini="$work/Quellix.ini" >"$work/log" 2>&1 &
until_true main_window >/dev/null || { echo "no main window"; cat "$work/log"; exit 1; }
# Its icon: the panel grows to hold it.
until_true sh -c "xwininfo -root -tree | grep -m1 '\"panel\"' | grep -qv ' 1x'" || true
read -r width height left top < <(panel | sed -E 's/.* ([0-9]+)x([0-9]+)\+([0-9-]+)\+([0-9-]+) .*/\1 \2 \3 \4/')
x=$((left + width - 12))
y=$((top + height / 2))
unmapped || { echo "an automatic start showed the window"; exit 1; }

status=0
for expected in mapped unmapped mapped; do
    xdotool mousemove "$x" "$y" click 1
    if until_true "$expected"; then
        echo "click: $expected"
    else
        echo "click: expected $expected"
        status=1
        break
    fi
    # Clicks further apart than a double click.
    sleep 0.6
done
[ $status -eq 0 ] || exit $status

viewer() { xwininfo -root -tree | grep -m1 '"Check Logs'; }
window=$(main_window)
xdotool windowfocus "$window"
xdotool key --window "$window" alt+l
sleep 0.3
xdotool key --window "$window" c
until_true viewer >/dev/null || { echo "no log viewer"; exit 1; }
read -r vw vh vx vy < <(viewer | sed -E 's/.* ([0-9]+)x([0-9]+)\+([0-9-]+)\+([0-9-]+) .*/\1 \2 \3 \4/')
echo "log viewer ${vw}x${vh}+${vx}+${vy}, tray icon at $x,$y"
if [ "$x" -ge "$vx" ] && [ "$x" -lt $((vx + vw)) ] && [ "$y" -ge "$vy" ] && [ "$y" -lt $((vy + vh)) ]; then
    echo "the log viewer covers the tray icon"
    exit 1
fi
[ $((vx + vw)) -ge 1000 ] || { echo "the log viewer is not at the right edge"; exit 1; }
until_true test -s "$work/opened" || { echo "the newest log was not opened"; exit 1; }

# The first date, at the top left of the viewer.
xdotool mousemove $((vx + 20)) $((vy + 14)) click 1
until_true unmapped || { echo "a click on a date left the main window"; exit 1; }
sleep 0.6
xdotool mousemove "$x" "$y" click 1
until_true mapped || { echo "the first click after a date click was lost"; exit 1; }
echo "date click, then one tray click: mapped"
