#!/usr/bin/env bash
# End to end on the main window: a second start brings the running window back instead of
# opening another; closing the window while recording asks whether to stop and save ("Keep
# Recording" goes on, "Stop and Save" catalogues the file and quits); SIGTERM to a window that
# records stops and saves without asking.
# Usage: close_while_recording.sh <tapedeck binary>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"

windows() { xdotool search --onlyvisible --name '^Tapedeck' 2>/dev/null || true; }
# Waits until the window's title shows a recording running, or not.
title_shows() {
  for _ in $(seq 100); do
    case "$(xdotool getwindowname "$win" 2>/dev/null)" in "Tapedeck — "*) [ "$1" = on ] && return ;;
      *) [ "$1" = off ] && return ;; esac
    sleep 0.1
  done
  echo "the title is not $1: $(xdotool getwindowname "$win")"; exit 1
}
record() { press "Full Screen" 1; press "Start Recording"; title_shows on; sleep 1.5; }
close_window() { xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4; }

xdotool windowminimize --sync "$win"
"$app" >"$TAPEDECK_TEST_ROOT/second.log" 2>&1
for _ in $(seq 50); do windows | grep -qx "$win" && break; sleep 0.1; done
[ "$(windows)" = "$win" ] || { echo "windows shown: $(windows), not $win"; exit 1; }

record
close_window
atspi press "Keep Recording"
title_shows on
close_window
atspi press "Stop and Save"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || { echo "closed with status $status"; cat "$log"; exit 1; }

"$app" >"$log" 2>&1 &
pid=$!
helpers+=("$pid")
for _ in $(seq 100); do win=$(windows | head -1) && [ -n "$win" ] && break; sleep 0.1; done
record
kill -TERM "$pid"
wait "$pid" || { echo "SIGTERM ended with $?"; cat "$log"; exit 1; }

python3 - <<'PY'
import glob, os, plistlib
files = sorted(glob.glob(os.environ["HOME"] + "/Videos/Tapedeck/*.mp4"))
entries = plistlib.load(open(glob.glob(os.environ["HOME"] + "/.cache/*/filelist.plist")[0], "rb"))
assert len(files) == 2 and sorted(e["path"] for e in entries) == files, (files, entries)
assert all(e["duration"] > 1 for e in entries), entries
PY
