#!/bin/bash
# Pictures of the plug-in's dialog templates for the README: each template
# is opened from the 64-bit DLL under Wine in an Xvfb screen, captured with
# BitBlt from its window DC, and converted to PNG with ImageMagick.
#
#   scripts/screenshots.sh [BUILD_FOLDER]     (default: build/win64)
#
# The build folder is configured with the x86_64 mingw toolchain; the
# template_shots program and the DLL are built in it first. Writes
# docs/screenshots/<id>-<name>.png and, through the gallery script,
# docs/screenshots/gallery.png.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build/win64}
out=$root/docs/screenshots

for tool in xvfb-run convert compare; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (packages xvfb, imagemagick)" >&2; exit 2; }
done
mkdir -p "$build"
build=$(cd "$build" && pwd)
shots=$build/screenshots
rm -rf "$shots"
mkdir -p "$shots"
"$here/wine-capture.sh" "$build" template_shots "$shots" "$shots/template_shots.log"

mkdir -p "$out"
names=([101]=station-details [102]=setup [103]=previous-qso [104]=county-tracker)
for id in 101 102 103 104; do
    bmp=$shots/template-$id.bmp
    png=$out/$id-${names[$id]}.png
    convert "$bmp" -strip "$png"
    # The rig's own PNG writer must give the same picture.
    differing=$(compare -metric AE "$png" "$shots/template-$id.check.png" null: 2>&1 || true)
    if [ "$differing" != "0" ]; then
        echo "$0: the rig's PNG of template $id differs from ImageMagick's in $differing pixels" >&2
        exit 1
    fi
    echo "$png"
done

# And the control gallery, so one command renews every picture.
"$root/tests/controls/gallery-screenshot.sh" "$build"
