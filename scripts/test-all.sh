#!/usr/bin/env bash
# Installs what is missing, builds every preset that tests need and runs all
# tests: natively, with sanitizers, and the Windows builds under Wine; then
# runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=2
failed=()

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

# The Windows builds under Wine. The 32-bit DLL's export table is always
# checked; its programs run only where this kernel can run 32-bit code.
run win32 windows_preset win32
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

if [ "${#failed[@]}" -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test steps passed."
