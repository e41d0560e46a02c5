#!/bin/bash
# A picture of the control gallery for the README: every button look, the
# off-screen table and the colour dialog's texts and fields, opened from a
# 64-bit build under Wine in an Xvfb screen and captured with BitBlt from
# the window DC.
#
#   tests/controls/gallery-screenshot.sh [BUILD_FOLDER]   (default: build/win64)
#
# The build folder is configured with the x86_64 mingw toolchain when it
# does not exist yet. Writes docs/screenshots/gallery.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scripts=$root/scripts
build=${1:-$root/build/win64}
out=$root/docs/screenshots

for tool in xvfb-run convert; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (packages xvfb, imagemagick)" >&2; exit 2; }
done
mkdir -p "$build"
build=$(cd "$build" && pwd)
shots=$build/screenshots
mkdir -p "$shots" "$out"
raw=$shots/gallery-raw.png
rm -f "$raw"
"$scripts/wine-capture.sh" "$build" controls_gallery "$raw" "$shots/controls_gallery.log"
# The kept copy carries no metadata.
convert "$raw" -strip "$out/gallery.png"
echo "$out/gallery.png"
