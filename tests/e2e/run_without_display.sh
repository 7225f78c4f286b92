#!/usr/bin/env bash
# scripts/run on a machine without a display, as a newcomer's first run: it records the test
# picture, its last line is the recording's path, and nothing alarming is printed.
# Usage: run_without_display.sh <source folder> <preset>
set -euo pipefail
out=$TAPEDECK_TEST_ROOT/run.out
err=$TAPEDECK_TEST_ROOT/run.err
TAPEDECK_PRESET=$2 bash "$1/scripts/run" >"$out" 2>"$err" || { cat "$out" "$err"; exit 1; }
path=$(tail -1 "$out")
[ -s "$path" ] || { echo "the last line is no recording: '$path'"; cat "$out" "$err"; exit 1; }
if grep -iE "broke|error|warning|fail" "$out" "$err"; then exit 1; fi
echo "recorded $path"
