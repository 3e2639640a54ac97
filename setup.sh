#!/bin/sh
# Installs the Debian packages that Ravo needs to build, test and run, and only
# those that are missing. Safe to run again; needs root or sudo when it installs.
set -eu

PACKAGES="
cmake
ninja-build
g++
qt6-base-dev
libgtest-dev
libbenchmark-dev
libchm-dev
fp-utils
appstream
desktop-file-utils
dpkg-dev
libcli11-dev
libpugixml-dev
libexpat1-dev
qt6-svg-dev
xvfb
xauth
x11-utils
clang
libclang-rt-14-dev
clang-format
python3-numpy
"

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
$run apt-get update -qq
# shellcheck disable=SC2086
$run apt-get install -y -qq --no-install-recommends $missing </dev/null
