#!/usr/bin/env bash
# Installs what is missing, builds every preset that tests need and runs all
# tests: natively, with sanitizers, and the Windows builds under Wine; then
# runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=2
failed=()
mkdir -p build && touch build/.test-all-started

run() {  # run NAME COMMAND...: runs a step, remembers a failure, goes on
  local name=$1
  shift
  echo "=== $name"
  if ! "$@"; then
    failed+=("$name")
  fi
}

native_preset() {
  cmake --preset "$1" >/dev/null &&
    cmake --build --preset "$1" -j "$jobs" &&
    ctest --preset "$1" -j "$jobs"
}

run native native_preset native
run asan native_preset asan
run tsan native_preset tsan

windows_preset() {
  cmake --preset "$1" >/dev/null &&
    cmake --build --preset "$1" -j "$jobs" &&
    scripts/run-wine-tests.sh "build/$1" -j "$jobs"
}

# The Windows builds under Wine. Where this kernel runs 32-bit programs the
# whole 32-bit suite runs here too; the emulated machine (which any kernel
# can use) always runs its subset, so that the path machines without 32-bit
# support rely on stays proven. Its first run on a new machine makes its
# cache (kernel, Wine prefix: about 7 minutes).
win32_tests() {
  cmake --preset win32 >/dev/null &&
    cmake --build --preset win32 -j "$jobs" || return 1
  local status=0
  # shellcheck source=wine-env.sh
  if (source scripts/wine-env.sh --functions-only && morvantia_wine_can_run_32bit); then
    scripts/run-wine-tests.sh build/win32 -j "$jobs" || status=1
  else
    echo "NOT RUN here: the 32-bit tests outside tests/win/emulated-subset.txt (this kernel" \
      "cannot execute 32-bit programs; scripts/run-wine-tests.sh build/win32 runs them all" \
      "in the emulated machine, which takes hours)"
  fi
  echo "--- the 32-bit subset in the emulated machine"
  MORVANTIA_EMULATE_32BIT=1 scripts/run-wine-tests.sh --subset tests/win/emulated-subset.txt \
    build/win32 -j "$jobs" || status=1
  return "$status"
}
run win32 win32_tests
run win64 windows_preset win64

# Each fuzz target for half a minute: about three minutes in all.
fuzz_preset() {
  cmake --preset fuzz >/dev/null &&
    cmake --build --preset fuzz -j "$jobs" &&
    scripts/run-fuzzers.sh 30
}
run fuzz fuzz_preset

# The release archives, built in Release and checked unpacked.
run release bash -c 'scripts/release.sh && tests/release/check-archives.sh'

# The failed tests again at the end, where a long run's reader looks first;
# their output stands above, under each step's "===" line.
failed_tests() {
  local log
  for log in build/*/Testing/Temporary/LastTestsFailed*.log; do
    [ -s "$log" ] || continue
    [ "$log" -nt build/.test-all-started ] || continue
    echo "  in ${log%%/Testing/*}:"
    sed 's/^/    /' "$log"
  done
}

if [ "${#failed[@]}" -ne 0 ]; then
  failed_tests
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test steps passed."
