#!/bin/sh
# Runs the benchmarks that the plug-in's size and speed targets are read
# from, three times each (the best run counts), prints the table of figures
# against targets and fails when any figure misses its target or was not
# measured. Not a test: timings depend on the machine and its load.
#
#   bench/check_targets.sh [build folder, default build/native]
set -eu
build=${1:-build/native}
bench="$build/bin/morvantia_bench"
if [ ! -x "$bench" ]; then
    echo "no $bench: build the native preset first" >&2
    exit 2
fi
out=$("$bench" \
    --benchmark_filter='BM_(FullReplay|CheckCall|GetResult|GetResultAfterQso|HeapPerQso|Removal1000)/' \
    --benchmark_repetitions=3 --benchmark_color=false)
table=$(printf '%s\n' "$out" | sed -n '/^figure /,$p')
printf '%s\n' "$table"
if printf '%s\n' "$table" | grep -q 'MISSED\|not run'; then
    echo "check_targets: a figure misses its target" >&2
    exit 1
fi
echo "check_targets: every figure meets its target"
