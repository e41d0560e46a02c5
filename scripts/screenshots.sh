#!/bin/bash
# Pictures of the plug-in's windows for the README: each dialog template is
# opened from the 64-bit DLL under Wine in an Xvfb screen, captured with
# BitBlt from its window DC, and converted to PNG with ImageMagick; the live
# companion windows are captured as a stand-in host drives them.
#
#   scripts/screenshots.sh [BUILD_FOLDER]     (default: build/win64)
#
# The build folder is configured with the x86_64 mingw toolchain; the
# template_shots program and the DLL are built in it first. Writes
# docs/screenshots/<id>-<name>.png, docs/screenshots/live-<window>-<en|ru>.png
# and, through the gallery script,
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

# The live companion windows, fed by a stand-in host, in both languages.
"$here/wine-capture.sh" "$build" companion_shots "$shots" "$shots/companion_shots.log"
for language in en ru; do
    for window in setup previous-qso county-tracker; do
        cp "$shots/$window-$language.png" "$out/live-$window-$language.png"
        echo "$out/live-$window-$language.png"
    done
done

# And the control gallery, so one command renews every picture.
"$root/tests/controls/gallery-screenshot.sh" "$build"
