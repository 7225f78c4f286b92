#!/usr/bin/env bash
# End to end on the private desktop: start Tapedeck, choose Full Screen, record for three
# seconds with a pause in the middle, stop; the file plays with sound, the pause is left out,
# and the catalogue lists it.  Usage: record_full_screen.sh <tapedeck binary>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"
sleep 0.5

click 60 110 1      # Full Screen
click 260 191 2     # record
click 161 191 1.5   # pause
click 161 191 1.5   # resume
click 260 191 2     # stop

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
python3 - "${files[0]}" <<'PY'
import glob, json, plistlib, subprocess, sys
path = sys.argv[1]
probe = json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-show_entries", "stream=codec_name,width,height:format=duration",
     "-of", "json", path]))
video = [s for s in probe["streams"] if s.get("codec_name") == "h264"]
assert video and video[0]["width"] == 1920 and video[0]["height"] == 1080, probe
# System sound (the default source) is recorded alongside.
assert any(s.get("codec_name") == "aac" for s in probe["streams"]), probe
duration = float(probe["format"]["duration"])
# Five seconds pass between record and stop; the 1.5 s pause must not be in the file.
assert 1.0 <= duration <= 4.0, duration
entries = plistlib.load(open(glob.glob(f"{sys.argv[1].split('/Videos/')[0]}/.cache/*/filelist.plist")[0], "rb"))
assert entries[0]["path"] == path and entries[0]["isVideo"] == 1, entries
print("recorded", path, duration)
PY
