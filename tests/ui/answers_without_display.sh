#!/bin/sh
# Asks the real program for its help and version with no display to reach:
# both answer on standard output and end with 0.
# usage: answers_without_display.sh path/to/ravo VERSION
set -u
program=$1 version=$2
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

out=$("$program" --version) || { echo "--version ended with $?" >&2; exit 1; }
[ "$out" = "ravo $version" ] || { echo "--version said: $out" >&2; exit 1; }
out=$("$program" -platform xcb --help) || { echo "--help ended with $?" >&2; exit 1; }
case $out in
"Usage: ravo [options] [FILE]"*) ;;
*) echo "--help said: $out" >&2; exit 1 ;;
esac
echo "help and version answer without a display"
