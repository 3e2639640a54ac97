#!/bin/sh
# Installs a build into a scratch prefix and checks that the installed tree
# holds the program, its help file and the desktop files, and that these are
# valid where the validators are installed.
# usage: check_install.sh CMAKE BUILD_DIR SCRATCH_PREFIX BINDIR DATADIR
set -eu
cmake=$1 build=$2 prefix=$3 bindir=$4 datadir=$5

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in \
    "$bindir/ravo" \
    "$datadir/ravo/Ravo.chm" \
    "$datadir/applications/ravo.desktop" \
    "$datadir/mime/packages/ravo.xml" \
    "$datadir/icons/hicolor/scalable/apps/ravo.svg" \
    "$datadir/metainfo/org.ravo.Ravo.metainfo.xml" \
    "$datadir/doc/ravo/copyright"; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing from the installed tree: $file" >&2
        status=1
    fi
done
[ -x "$prefix/$bindir/ravo" ] || { echo "ravo is not executable" >&2; status=1; }
[ "$status" -eq 0 ] || exit "$status"

if command -v chmls >/dev/null 2>&1; then
    chmls -p -n list "$prefix/$datadir/ravo/Ravo.chm" | grep -qx "/Overview.htm" ||
        { echo "Ravo.chm has no Overview.htm" >&2; exit 1; }
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$prefix/$datadir/metainfo/org.ravo.Ravo.metainfo.xml"
else
    echo "appstreamcli is missing (./setup.sh installs it): metainfo not validated"
fi
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/$datadir/applications/ravo.desktop"
else
    echo "desktop-file-validate is missing (./setup.sh installs it): desktop entry not validated"
fi
# The install registered the file types, and the desktop entry opens them.
if command -v update-mime-database >/dev/null 2>&1; then
    for type in x-ravo-input x-landxml; do
        [ -s "$prefix/$datadir/mime/application/$type.xml" ] ||
            { echo "application/$type was not registered" >&2; exit 1; }
    done
    grep -q "LandXML-1.2 LandXML application/x-landxml" "$prefix/$datadir/mime/XMLnamespaces" ||
        { echo "LandXML is not told by its root element" >&2; exit 1; }
fi
grep -qx "MimeType=application/x-ravo-input;application/x-landxml;" \
    "$prefix/$datadir/applications/ravo.desktop" ||
    { echo "ravo.desktop does not name the file types" >&2; exit 1; }
echo "installed tree is complete"
