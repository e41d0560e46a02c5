#!/bin/bash
# Runs the tests of a Windows build folder under Wine, all inside one X
# server (Xvfb), with the build's Wine prefix prepared and its services
# started before ctest.
#
#   scripts/run-wine-tests.sh build/win64 [CTEST_ARGS...]
#
# When this machine cannot execute the build's programs (32-bit ones on a
# kernel without 32-bit support) the Wine tests are not run, one line says
# so, and only the tests that inspect the build from Linux run.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_FOLDER [CTEST_ARGS...]" >&2
    exit 2
fi
build=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no build folder $1" >&2; exit 2; }
shift
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" --functions-only

processor=$(grep -ho 'set(CMAKE_SYSTEM_PROCESSOR "[^"]*"' "$build"/CMakeFiles/*/CMakeSystem.cmake 2>/dev/null |
    head -n1 | cut -d'"' -f2)
if [ "$processor" = "i686" ] && ! morvantia_wine_can_run_32bit; then
    echo "NOT RUN: Wine tests of $build: this machine cannot execute 32-bit x86 programs; only the static checks of the DLL run."
    exec ctest --test-dir "$build" --output-on-failure "$@"
fi

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "$0: xvfb-run is missing (package xvfb)" >&2
    exit 2
fi

# -a picks a free display number, so parallel runs of different build
# folders do not meet.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    here=$1 build=$2
    shift 2
    # The services die with the X server they drew on: end them however
    # this shell ends.
    trap "morvantia_wine_teardown \"$build\"" EXIT
    source "$here/wine-env.sh" "$build" || exit 1
    ctest --test-dir "$build" --output-on-failure "$@"
' run-wine-tests "$here" "$build" "$@"
