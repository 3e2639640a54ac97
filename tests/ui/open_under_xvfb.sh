#!/bin/sh
# Starts the real program with a file on its command line, on a virtual X
# display: a file that loads shows no message, a missing one shows the load's
# message box ("Ravo") over the main window.
# usage: open_under_xvfb.sh path/to/ravo path/to/a/profile
set -u
program=$1 profile=$2
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xwininfo >/dev/null 2>&1; then
    echo "xvfb-run or xwininfo is missing: run ./setup.sh" >&2
    exit 1
fi
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
exec xvfb-run -a -s "-screen 0 1024x768x24" env XDG_CONFIG_HOME="$settings" sh -c '
    unset QT_QPA_PLATFORM
    # Starts the program on the file; names its windows (of class "ravo") a
    # little after the main window shows.
    windows() {
        "$1" "$2" & pid=$!
        for _ in $(seq 1 50); do
            xwininfo -root -tree | grep -q "\"Elevation Calculation\"" && break
            sleep 0.2
        done
        sleep 1
        xwininfo -root -tree | sed -n "s/.*\(\"[^\"]*\"\): (\"ravo\".*/\1/p" | sort -u | tr "\n" " "
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    }
    loaded=$(windows "$1" "$2")
    missing=$(windows "$1" "$2.missing")
    echo "with the file: $loaded; with a missing file: $missing"
    [ "$loaded" = "\"Elevation Calculation\" " ] && [ "$missing" = "\"Elevation Calculation\" \"Ravo\" " ]
' sh "$program" "$profile"
