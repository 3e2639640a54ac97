#!/bin/sh
# Starts the real program on a virtual X display and waits for its main window.
# usage: start_under_xvfb.sh path/to/ravo
set -u
program=$1
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xwininfo >/dev/null 2>&1; then
    echo "xvfb-run or xwininfo is missing: run ./setup.sh" >&2
    exit 1
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    unset QT_QPA_PLATFORM
    "$1" & pid=$!
    found=1
    for _ in $(seq 1 50); do
        if xwininfo -root -tree | grep -q "\"Elevation Calculation\""; then
            found=0
            break
        fi
        sleep 0.2
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if [ "$found" -eq 0 ]; then echo "main window appeared"; else echo "no main window" >&2; fi
    exit "$found"
' sh "$program"
