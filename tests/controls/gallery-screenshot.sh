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
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j 2 --target controls_gallery
build=$(cd "$build" && pwd)

shots=$build/screenshots
mkdir -p "$shots" "$out"
raw=$shots/gallery-raw.png
rm -f "$raw"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    scripts=$1 build=$2 raw=$3
    source "$scripts/wine-env.sh" "$build" || exit 1
    # Wine shows the Linux root as drive Z:.
    "$scripts/wine-run" "$build/bin/controls_gallery.exe" "Z:${raw//\//\\}" \
        >"$build/screenshots/controls_gallery.log" 2>&1
    status=$?
    morvantia_wine_teardown "$build"
    exit $status
' gallery "$scripts" "$build" "$raw" || {
    echo "$0: capturing failed (see $shots/controls_gallery.log)" >&2
    exit 1
}
# The rig writes uncompressed PNG; the kept copy is compressed.
convert "$raw" -strip "$out/gallery.png"
echo "$out/gallery.png"
