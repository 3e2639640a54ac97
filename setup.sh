#!/bin/sh
# Installs the Debian packages that Ravo needs, and only those that are
# missing: what building and running the programs need, and with --dev also
# what the tests, the fuzzing, the benchmarks, the package checks and the
# formatting need. Safe to run again; needs root or sudo when it installs.
# usage: setup.sh [--dev]
set -eu

# Building and running: the compiler and CMake, Qt, the help compiler, the
# XML parser and the linear programming solver, and the tools that make the
# manual pages and the icons.
PACKAGES="
cmake
ninja-build
g++
qt6-base-dev
qt6-svg-dev
libchm-dev
fp-utils
libcli11-dev
libpugixml-dev
coinor-libclp-dev
help2man
librsvg2-bin
dpkg-dev
"

# Tests (GoogleTest, the desktop file validators, a display server for
# looking at windows), fuzzing (clang with libFuzzer), benchmarks (Google
# Benchmark, numpy for the reference), the package check and clang-format.
DEV_PACKAGES="
libexpat1-dev
libgtest-dev
libbenchmark-dev
appstream
desktop-file-utils
xvfb
xauth
x11-utils
clang
libclang-rt-14-dev
clang-format
python3-numpy
lintian
man-db
locales
"

case "${1:-}" in
    "") ;;
    --dev) PACKAGES="$PACKAGES $DEV_PACKAGES" ;;
    *) echo "usage: $0 [--dev]" >&2; exit 2 ;;
esac

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    echo "setup: every package is installed"
    exit 0
fi

echo "setup: installing$missing"
if [ "$(id -u)" -eq 0 ]; then
    run=""
else
    run="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# Another apt or an automatic update may hold a lock of apt: wait for it, up to
# ten minutes, instead of failing at once. apt-get install waits by itself with
# DPkg::Lock::Timeout; apt-get update does not wait for the lock of the package
# lists, so it is tried again while that lock is what stops it.
wait_lock="-o DPkg::Lock::Timeout=600"
update_lists() {
    waited=0
    # shellcheck disable=SC2086
    while ! output=$($run apt-get $wait_lock update -qq 2>&1); do
        case $output in
            *"Could not get lock"*) ;;
            *) printf '%s\n' "$output" >&2; return 1 ;;
        esac
        if [ "$waited" -ge 600 ]; then
            printf '%s\n' "$output" >&2
            return 1
        fi
        [ "$waited" -gt 0 ] || echo "setup: waiting for another program to release the apt lock"
        sleep 5
        waited=$((waited + 5))
    done
    [ -z "$output" ] || printf '%s\n' "$output"
}

update_lists
# shellcheck disable=SC2086
$run apt-get $wait_lock install -y -qq --no-install-recommends $missing </dev/null
