#!/bin/sh
# chmcmd stamps the compiled help file with the time of day it ran: in the
# file header (milliseconds, big-endian, at byte 16) and in the #SYSTEM entry
# 10 (the same, little-endian), which sits just before the entry 9 that names
# the compiler. Both are set to 0, so that the same pages give the same bytes.
# usage: steady_chm_time.sh FILE.chm
set -eu
file=$1

zero_at() {
    printf '\000\000\000\000' | dd of="$file" bs=1 seek="$1" count=4 conv=notrunc status=none
}

[ "$(head -c 4 "$file")" = "ITSF" ] || { echo "$file: not a compiled help file" >&2; exit 1; }
zero_at 16
# Entry 10 is code 10, length 4 and the stamp, 12 bytes before the text of
# entry 9 ("HHA Version ...", after its own code and length).
text=$(LC_ALL=C grep -obUa 'HHA Version' "$file" | head -n 1 | cut -d: -f1)
[ -n "$text" ] && [ "$text" -ge 12 ] || { echo "$file: no #SYSTEM entry 9" >&2; exit 1; }
header=$(od -An -tx1 -j $((text - 12)) -N4 "$file" | tr -d ' ')
[ "$header" = "0a000400" ] || { echo "$file: no time stamp entry in #SYSTEM" >&2; exit 1; }
zero_at $((text - 8))
