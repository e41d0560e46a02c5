#!/bin/sh
# morvantia-check stopped by SIGINT or SIGTERM while it works removes the
# plug-in's working folder and ends by that signal.
# Usage: signal_cleanup.sh CHECKER GENERATOR PYTHON WORK
set -u
checker=$1 generator=$2 python=$3 work=$4
rm -rf "$work" && mkdir -p "$work" || exit 1
"$python" "$generator" --stations 300 --qsos 300 --seed 11 --out "$work/contest" \
    --truth "$work/truth.json" > /dev/null || exit 1
status=0
for signal in INT TERM; do
    TMPDIR="$work" "$checker" --quiet --out "$work/out-$signal" "$work/contest" > /dev/null 2>&1 &
    pid=$!
    # The folder is on /dev/shm where there is one, else in TMPDIR.
    folder=
    while kill -0 "$pid" 2> /dev/null && [ -z "$folder" ]; do
        folder=$(ls -d /dev/shm/morvantia-check-"$pid"-* "$work"/morvantia-check-"$pid"-* 2> /dev/null | head -n 1)
    done
    if [ -z "$folder" ]; then
        echo "SIG$signal: the run ended before its working folder was seen"; status=1; continue
    fi
    kill -"$signal" "$pid"
    wait "$pid"
    code=$?
    [ "$code" -gt 128 ] || { echo "SIG$signal: exit status $code, not by the signal"; status=1; }
    [ ! -e "$folder" ] || { echo "SIG$signal: $folder is left behind"; status=1; }
done
exit $status
