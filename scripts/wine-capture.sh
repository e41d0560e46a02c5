#!/bin/bash
# Runs one picture-taking program of a 64-bit Windows build under Wine in an
# Xvfb screen, with the build's Wine prefix and services, as the tests do.
# Shared by the screenshot scripts.
#
#   scripts/wine-capture.sh BUILD_FOLDER TARGET ARGUMENT LOG
#
# Configures BUILD_FOLDER with the x86_64 mingw toolchain when it has not
# been configured yet, builds TARGET, and runs bin/TARGET.exe with ARGUMENT,
# a Linux path given to the program as its Wine path (drive Z:). The
# program's output goes to LOG.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=$1 target=$2 argument=$3 log=$4

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j 2 --target "$target"
build=$(cd "$build" && pwd)

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    here=$1 build=$2 program=$3 argument=$4 log=$5
    source "$here/wine-env.sh" "$build" || exit 1
    # Wine shows the Linux root as drive Z:.
    "$here/wine-run" "$program" "Z:${argument//\//\\}" >"$log" 2>&1
    status=$?
    morvantia_wine_teardown "$build"
    exit $status
' capture "$here" "$build" "$build/bin/$target.exe" "$argument" "$log" || {
    echo "$0: capturing failed (see $log)" >&2
    exit 1
}
