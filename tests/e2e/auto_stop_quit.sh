#!/usr/bin/env bash
# End to end on the private desktop: the auto-stop window, reached from the start-options
# menu, stops a full-screen recording after 3 recorded seconds; its completion choice
# "Quit Tapedeck" then ends the program with status 0, the file catalogued.
# Usage: auto_stop_quit.sh <tapedeck binary>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"

press "Full Screen" 1
press "Start Options"
atspi click "Auto Stop"
atspi click "Auto Stop Settings…"
press "Stop recording automatically" 0.2
press "After recording for" 0.2
atspi set seconds 3
choose "When the recording ends" "Quit Tapedeck"
press OK
atspi gone "Stop recording automatically"
press "Start Recording" 0

# Stopped by the limit, then quit: no one presses anything more.
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || { echo "Tapedeck ended with status $status"; cat "$log"; exit 1; }

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
python3 - "${files[0]}" <<'PY'
import glob, json, os, plistlib, subprocess, sys
path = sys.argv[1]
duration = float(json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "json", path]))
    ["format"]["duration"])
# Stopped at the first report of the third recorded second: about 3 s, never much more.
assert 2.5 <= duration <= 4.0, duration
entries = plistlib.load(open(glob.glob(os.environ["HOME"] + "/.cache/*/filelist.plist")[0], "rb"))
assert entries[0]["path"] == path, entries
print("stopped and quit", path, duration)
PY
