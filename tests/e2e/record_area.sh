#!/usr/bin/env bash
# End to end on the private desktop: choose Custom Area, drag an area out on the overlay,
# confirm with Return, record, stop; the file has the confirmed region's size and pixels.
# Usage: record_area.sh <tapedeck binary>
set -euo pipefail
here=$(dirname "$0")
source "$here/main_window.sh" "$1"
# Keep the window clear of the area that will be recorded; a red one lies inside it.
xdotool windowmove "$win" 1200 600
solid_window Red e00000 200 150 150 150

press "Custom Area" 1
press "Start Recording" 1.5   # the overlay covers the screen
xdotool mousemove 100 100 mousedown 1
for x in 200 300 400 501; do xdotool mousemove "$x" $((x * 3 / 4 + 25)); sleep 0.05; done
xdotool mousemove 501 401 mouseup 1
sleep 0.5
xdotool key Return
sleep 2.5
press "Stop Recording" 2

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
python3 - "${files[0]}" <<'PY'
import json, subprocess, sys
path = sys.argv[1]
probe = json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
     "stream=width,height:format=duration", "-of", "json", path]))
video = probe["streams"][0]
# A 401 x 301 drag is confirmed as 398 x 298 and captured 2 points smaller.
assert (video["width"], video["height"]) == (396, 296), video
duration = float(probe["format"]["duration"])
assert 1.0 <= duration <= 4.0, duration
print("recorded", path, video, duration)
PY
# The rounding counts from the bottom left, so the rows lost are at the top: the file starts
# at 100,104 on the desktop. It shows the red window's inside and the dark desktop beside it.
python3 "$here/frame_colour.py" "${files[0]}" 52,48,196,146 e00000 260,160,120,120 000000
