#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz preset, each for a while:
#
#   scripts/run-fuzzers.sh [SECONDS-PER-TARGET [TARGET...]]
#
# SECONDS defaults to 30; without targets, all of them run one after the
# other. Build first: cmake --preset fuzz && cmake --build --preset fuzz -j2
#
# Each target starts from its seeds (fuzz/corpus/<target>), copied into a
# working corpus, build/fuzz/corpus/<target>, that keeps what earlier runs
# found; the tree is never written. Crashes, leaks, timeouts and inputs that
# run out of memory land in build/fuzz/findings/<target>/, the libFuzzer log
# in build/fuzz/logs/<target>.log. Exits non-zero when any target found
# something; prints the executions of each target at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(fuzz_entry_points fuzz_adif fuzz_adx fuzz_cabrillo fuzz_country_file fuzz_profile)
fi

build=build/fuzz
failed=()
summary=()
for target in "${targets[@]}"; do
  program=$build/bin/$target
  if [ ! -x "$program" ]; then
    echo "run-fuzzers: $program is missing; build the fuzz preset first" >&2
    exit 2
  fi
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  cp -r fuzz/corpus/"$target"/. "$corpus"/
  before=$(find "$findings" -type f | wc -l)

  echo "=== $target: ${seconds} s"
  status=0
  # One input may take a few hundred milliseconds under the sanitizers at
  # worst; 10 s is a hang. 2 GB is far beyond what any reader needs.
  "$program" "$corpus" -dict=fuzz/morvantia.dict -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$PWD/$findings/" >"$log" 2>&1 || status=$?

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  found=$(($(find "$findings" -type f | wc -l) - before))
  ran="in $seconds s"
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed+=("$target")
    ran="until a finding stopped it"
    echo "run-fuzzers: $target FOUND SOMETHING (exit $status); the end of $log:"
    tail -n 40 "$log"
    echo "Findings: $findings/; replay one with: $program <finding>"
  fi
  summary+=("$(printf '%-18s %12s executions %s' "$target" "${executions:-?}" "$ran")")
done

echo "=== executions"
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -ne 0 ]; then
  echo "FUZZ FINDINGS: ${failed[*]}"
  exit 1
fi
echo "No findings."
