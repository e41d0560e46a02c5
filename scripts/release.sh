#!/usr/bin/env bash
# Builds the release: the native, 32-bit and 64-bit Windows presets in
# Release, then the archives with CPack and their checksums.
#
#   scripts/release.sh [OUTPUT_FOLDER]     (default: build/release)
#
# Writes morvantia-<version>-windows.zip, morvantia-<version>-linux-x86_64.tar.gz
# and SHA256SUMS into the output folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:-build/release}" && cd "${1:-build/release}" && pwd)
jobs=${MORVANTIA_JOBS:-2}

for preset in release-native release-win32 release-win64; do
    echo "=== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

echo "=== package"
rm -f "$out"/morvantia-*.zip "$out"/morvantia-*.tar.gz "$out"/SHA256SUMS
(cd build/release-native && cpack -B "$out/cpack-linux" >/dev/null)
cmake -S packaging/windows -B build/release-windows \
    -DMORVANTIA_WIN32_BUILD="$PWD/build/release-win32" \
    -DMORVANTIA_WIN64_BUILD="$PWD/build/release-win64" >/dev/null
(cd build/release-windows && cpack -B "$out/cpack-windows" >/dev/null)
mv "$out"/cpack-linux/morvantia-*.tar.gz "$out"/cpack-windows/morvantia-*.zip "$out"/
rm -rf "$out/cpack-linux" "$out/cpack-windows"

(cd "$out" && sha256sum morvantia-*.zip morvantia-*.tar.gz >SHA256SUMS)
echo "=== release in $out"
(cd "$out" && ls -l morvantia-* SHA256SUMS)
