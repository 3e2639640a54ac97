#!/bin/sh
# Installs a build into a scratch prefix and checks that the installed tree
# holds the programs, their help, manual pages and shell completions, the
# desktop files and the icons, and that these are valid where the validators
# are installed.
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
    "$bindir/ravo-calc" \
    "$datadir/doc/ravo/copyright" \
    "$datadir/doc/ravo/changelog.gz" \
    "$datadir/man/man1/ravo.1.gz" \
    "$datadir/man/man1/ravo-calc.1.gz" \
    "$datadir/man/man1/ravo-calc-table.1.gz" \
    "$datadir/man/man1/ravo-calc-curves.1.gz" \
    "$datadir/man/man1/ravo-calc-check.1.gz" \
    "$datadir/man/man1/ravo-calc-convert.1.gz" \
    "$datadir/man/man1/ravo-calc-report.1.gz" \
    "$datadir/man/man1/ravo-calc-earthwork.1.gz" \
    "$datadir/man/man1/ravo-calc-fit.1.gz" \
    "$datadir/bash-completion/completions/ravo-calc" \
    "$datadir/zsh/vendor-completions/_ravo-calc" \
    "$datadir/fish/vendor_completions.d/ravo-calc.fish" \
    "$datadir/icons/hicolor/48x48/apps/ravo.png" \
    "$datadir/icons/hicolor/64x64/apps/ravo.png" \
    "$datadir/icons/hicolor/128x128/apps/ravo.png" \
    "$datadir/icons/hicolor/256x256/apps/ravo.png"; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing from the installed tree: $file" >&2
        status=1
    fi
done
[ -x "$prefix/$bindir/ravo" ] || { echo "ravo is not executable" >&2; status=1; }
[ "$status" -eq 0 ] || exit "$status"

# Each PNG icon is as wide and as high as the folder it lies in says.
for size in 48 64 128 256; do
    png="$prefix/$datadir/icons/hicolor/${size}x${size}/apps/ravo.png"
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$dims" = "${size}x${size}" ] || { echo "ravo.png in ${size}x${size} is $dims" >&2; exit 1; }
done

# The metainfo names the command-line program, the home page and screenshots.
metainfo="$prefix/$datadir/metainfo/org.ravo.Ravo.metainfo.xml"
for element in '<binary>ravo-calc</binary>' '<url type="homepage">' '<screenshot type="default">'; do
    grep -qF "$element" "$metainfo" || { echo "the metainfo lacks $element" >&2; exit 1; }
done

# Every manual page formats without a warning.
if command -v man >/dev/null 2>&1; then
    for page in "$prefix/$datadir"/man/man1/*.1.gz; do
        warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
    done
fi

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
