#!/bin/bash
# Runs the tests of a Windows build folder under Wine, all inside one X
# server (Xvfb), with the build's Wine prefix prepared and its services
# started before ctest.
#
#   scripts/run-wine-tests.sh [--subset FILE] build/win64 [CTEST_ARGS...]
#
# --subset FILE runs only the tests that FILE's lines (regular expressions
# of test names; # starts a comment) select, and fails when a line selects
# none, so that a renamed test cannot leave the subset unnoticed.
#
# When this machine's kernel cannot execute the build's programs (32-bit ones
# on a kernel without 32-bit support), or MORVANTIA_EMULATE_32BIT=1 asks for
# it, the whole run goes into the emulated machine of vm-run.sh, which can;
# its Wine prefix is made there once and kept in vm-run.sh's cache. There
# MORVANTIA_TIMING_FACTOR tells the tests that time runs several times
# slower.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
subset=""
if [ "${1:-}" = "--subset" ]; then
    subset=$(cd "$(dirname "${2:-.}")" 2>/dev/null && pwd)/$(basename "${2:-}")
    [ -f "$subset" ] || { echo "$0: no subset file ${2:-}" >&2; exit 2; }
    shift 2
fi
if [ $# -lt 1 ]; then
    echo "usage: $0 [--subset FILE] BUILD_FOLDER [CTEST_ARGS...]" >&2
    exit 2
fi
build=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no build folder $1" >&2; exit 2; }
shift
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" --functions-only

if [ "$(morvantia_wine_arch_of_build "$build")" = "win32" ] && [ -z "${MORVANTIA_IN_VM:-}" ] &&
    { [ "${MORVANTIA_EMULATE_32BIT:-0}" = 1 ] || ! morvantia_wine_can_run_32bit; }; then
    if ! morvantia_wine_can_emulate_32bit; then
        echo "$0: cannot execute 32-bit programs here, nor emulate a machine that can" \
            "(packages wine32:i386, qemu-system-x86)" >&2
        exit 2
    fi
    echo "Running the 32-bit tests of $build in an emulated machine (scripts/vm-run.sh)"
    exec "$here/vm-run.sh" -- "$here/run-wine-tests.sh" ${subset:+--subset "$subset"} "$build" "$@"
fi
if [ -n "${MORVANTIA_IN_VM:-}" ]; then
    export MORVANTIA_WINE_PREFIX_CACHE=$MORVANTIA_VM_CACHE
    export MORVANTIA_TIMING_FACTOR=${MORVANTIA_TIMING_FACTOR:-5}
fi

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "$0: xvfb-run is missing (package xvfb)" >&2
    exit 2
fi

# -a picks a free display number, so parallel runs of different build
# folders do not meet.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    here=$1 build=$2 subset=$3
    shift 3
    # The services die with the X server they drew on: end them however
    # this shell ends.
    trap "morvantia_wine_teardown \"$build\"" EXIT
    source "$here/wine-env.sh" "$build" || exit 1
    if [ -n "$subset" ]; then
        # Listing the tests finds the cases of every program once; the
        # run after it reuses what was found.
        names=$(ctest --test-dir "$build" -N | sed -n "s/^ *Test *#[0-9]*: //p")
        pattern=""
        while IFS= read -r line; do
            line=${line%%#*}
            line=$(echo "$line" | sed "s/[[:space:]]*$//")
            [ -n "$line" ] || continue
            if ! grep -qE -- "$line" <<<"$names"; then
                echo "run-wine-tests: the subset line \"$line\" selects no test" >&2
                exit 1
            fi
            pattern=${pattern:+$pattern|}$line
        done <"$subset"
        total=$(grep -c . <<<"$names")
        chosen=$(grep -cE -- "$pattern" <<<"$names")
        echo "run-wine-tests: the subset of $(basename "$subset") runs $chosen of the $total tests"
        set -- -R "$pattern" "$@"
    fi
    ctest --test-dir "$build" --output-on-failure "$@"
' run-wine-tests "$here" "$build" "$subset" "$@"
