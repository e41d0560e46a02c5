#!/usr/bin/env bash
# Time and peak memory of the whole morvantia-check program on generated
# contests of 100, 1,000 and 2,000 logs of about 500 QSOs each (or the log
# counts given), measured with /usr/bin/time -v. The contests are made once
# by make_contest.py and kept in the work folder for later runs.
#
#   tools/morvantia-check/measure_check.sh [build/native] [work folder] [LOGS...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/native}
work=${2:-build/check-measure}
shift $(( $# > 2 ? 2 : $# ))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 1000 2000)

checker=$build/bin/morvantia-check
[ -x "$checker" ] || { echo "measure_check: no $checker; build first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "measure_check: /usr/bin/time is missing (Debian package time)" >&2; exit 2; }
mkdir -p "$work"

printf '%-6s %-9s %-10s %-10s %-9s %s\n' logs qsos elapsed_s cpu_s peak_MB exit
for logs in "${sizes[@]}"; do
  contest=$work/contest-$logs
  if [ ! -f "$contest/done" ]; then
    # A tenth of the stations send no log.
    stations=$(( (logs * 10 + 8) / 9 ))
    rm -rf "$contest"
    python3 "$here/make_contest.py" --stations "$stations" --qsos 500 --seed "$logs" \
      --out "$contest/logs" --truth "$contest/truth.json" 2> "$contest.made"
    touch "$contest/done"
  fi
  qsos=$(cat "$contest"/logs/* | grep -c -e '^QSO:' -e '<EOR>' || true)
  rm -rf "$contest/out"
  status=0
  /usr/bin/time -v "$checker" --quiet --out "$contest/out" "$contest/logs" \
    > /dev/null 2> "$contest/time.txt" || status=$?
  elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {
      n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' \
      "$contest/time.txt")
  cpu=$(awk -F': ' '/User time/ {u = $2} /System time/ {s = $2} END {print u + s}' "$contest/time.txt")
  peak=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$contest/time.txt")
  printf '%-6s %-9s %-10s %-10s %-9s %s\n' "$(ls "$contest/logs" | wc -l)" "$qsos" "$elapsed" \
    "$cpu" "$peak" "$status"
done
