#!/bin/sh
# Makes the Debian package of a build twice and fails unless both have the same
# bytes and lintian, where installed, finds no error and no warning in it. In
# between, the files that the build generates (help file, manual pages, icons,
# changelog) are made again: no time of the build may leak into the package.
# usage: check_deb.sh BUILD_DIR
set -eu
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)

# The moment the package is dated: the one given, else the last commit's.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$(dirname "$0")" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for run in 1 2; do
    cpack --config "$build/CPackConfig.cmake" -B "$scratch/$run" >"$scratch/cpack-$run.log" ||
        { cat "$scratch/cpack-$run.log" >&2; exit 1; }
    [ "$run" -eq 2 ] && break
    rm -f "$build"/app/Ravo.chm "$build"/man/*.gz "$build"/packaging/icons/*/ravo.png \
        "$build"/packaging/changelog.gz
    sleep 1
    cmake --build "$build" -j 2 >/dev/null
done
first=$(ls "$scratch"/1/*.deb)
second=$(ls "$scratch"/2/*.deb)
if ! cmp -s "$first" "$second"; then
    echo "the package differs between two runs:" >&2
    cmp "$first" "$second" >&2 || true
    exit 1
fi
echo "$(basename "$first"): the same bytes twice, sha256 $(sha256sum <"$first" | cut -c1-64)"

if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error,warning "$first"
    echo "lintian: no errors or warnings"
else
    echo "lintian is missing (./setup.sh --dev installs it): package not checked"
fi
