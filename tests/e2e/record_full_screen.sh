#!/usr/bin/env bash
# End to end on the private desktop: start Tapedeck, choose Full Screen, record with a pause
# in the middle, stop; the file plays with sound, the pause is left out, the catalogue lists
# it and the window's time and size are back at zero. Usage: record_full_screen.sh <tapedeck>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"
sleep 0.5

press "Full Screen" 1
started=$(date +%s.%N)
press "Start Recording" 2
press Pause 1.5     # at least these 1.5 s are paused
press Resume 1.5
press "Stop Recording" 2
stopped=$(date +%s.%N)
# Back at idle the time and the size start again from zero.
atspi wait 00:00:00
atspi names | grep "'0.00 MB / " >/dev/null || { echo "the size was not reset:"; atspi names; exit 1; }

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
python3 - "${files[0]}" "$started" "$stopped" <<'PY'
import glob, json, plistlib, subprocess, sys
path, elapsed = sys.argv[1], float(sys.argv[3]) - float(sys.argv[2])
probe = json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-show_entries", "stream=codec_name,width,height:format=duration",
     "-of", "json", path]))
video = [s for s in probe["streams"] if s.get("codec_name") == "h264"]
assert video and video[0]["width"] == 1920 and video[0]["height"] == 1080, probe
# System sound (the default source) is recorded alongside.
assert any(s.get("codec_name") == "aac" for s in probe["streams"]), probe
duration = float(probe["format"]["duration"])
# The 1.5 s paused must not be in the file (a frame's worth of slack).
assert 1.0 <= duration <= elapsed - 1.5 + 0.1, (duration, elapsed)
entries = plistlib.load(open(glob.glob(f"{sys.argv[1].split('/Videos/')[0]}/.cache/*/filelist.plist")[0], "rb"))
assert entries[0]["path"] == path and entries[0]["isVideo"] == 1, entries
print("recorded", path, duration)
PY
