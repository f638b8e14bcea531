#!/usr/bin/env bash
# Runs a command inside scripts/wine-run.sh's Wine with the event log of its services readable:
# Wine stores no event-log entries, it only traces ReportEventW's texts on the debug channel
# "eventlog". Services are started by services.exe and write to its standard error, which the
# session's first program hands down, so the session is started again here with that first
# program tracing the channel into a file, named to the command by QUELLIX_SERVICE_TRACE.
# Usage: wine-run.sh FOLDER wine-service-trace.sh COMMAND [ARGUMENT...]
set -euo pipefail

: "${WINEPREFIX:?run under scripts/wine-run.sh}"
export QUELLIX_SERVICE_TRACE=$(dirname "$WINEPREFIX")/services-trace.log
: >"$QUELLIX_SERVICE_TRACE"
wineserver -k >/dev/null 2>&1 || true
wineserver -w
wineserver -p
WINEDEBUG=-all,+eventlog wine cmd /c exit >/dev/null 2>>"$QUELLIX_SERVICE_TRACE"
"$@"
