#!/usr/bin/env bash
# End to end on the headless Wayland desktop: "tapedeck record" over the moving test picture
# through the ScreenCast portal, full screen and an area; both files are read back against the
# picture's grey ramp. Usage: record_wayland.sh <tapedeck binary> <tapedeck-testpattern binary>
set -euo pipefail
app=$1
"$2" 30 &
pattern=$!
trap 'kill $pattern 2>/dev/null || true' EXIT
log=$TAPEDECK_TEST_ROOT/record.log
# The picture is up once sway shows its window.
for _ in $(seq 300); do
  swaymsg -t get_tree 2>/dev/null | grep -q "\"pid\": $pattern," && break
  sleep 0.1
done
swaymsg -t get_tree | grep -q "\"pid\": $pattern," || { echo "no test picture"; exit 1; }

# The desktop is found without being named; a named one that is not there is refused.
status=0
"$app" record --backend x11 --seconds 1 2>"$log" || status=$?
[ "$status" = 1 ] && grep -q "no X11 display" "$log" || { echo "--backend x11: $status"; cat "$log"; exit 1; }
status=0
"$app" record --backend mir --seconds 1 2>"$log" || status=$?
[ "$status" = 2 ] || { echo "--backend mir: $status"; cat "$log"; exit 1; }
# Wayland lists no windows: window mode says why instead of finding none.
status=0
"$app" record --mode window --window 0x10 --seconds 1 2>"$log" || status=$?
[ "$status" = 2 ] && grep -q "window cannot be recorded on Wayland" "$log" ||
  { echo "window mode: $status"; cat "$log"; exit 1; }

started=$SECONDS
full=$("$app" record --seconds 3 --fps 30 --audio none --output "$HOME/full.mp4" 2>"$log") ||
  { echo "full-screen run failed"; cat "$log"; exit 1; }
area=$("$app" record --mode area --rect 960,540,401,301 --seconds 2 --fps 30 --audio none \
  --output "$HOME/area.mp4" 2>"$log") || { echo "area run failed"; cat "$log"; exit 1; }

echo "recorded in $((SECONDS - started)) s"
python3 - "$full" "$area" <<'PY'
import json, subprocess, sys
full, area = sys.argv[1], sys.argv[2]

def probe(path):
    out = subprocess.check_output(
        ["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v", "-show_entries",
         "stream=width,height,r_frame_rate,nb_read_frames", "-of", "json", path])
    return json.loads(out)["streams"][0]

def frame(path, at, w, h):
    grey = subprocess.check_output(["ffmpeg", "-v", "error", "-ss", str(at), "-i", path,
                                    "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray", "-"])
    assert len(grey) == w * h, (len(grey), w, h)
    return grey

# The share of sampled pixels that show the test picture's grey ramp at their desktop place.
def ramp_share(grey, w, h, left, top):
    near = total = 0
    for y in range(0, h, 7):
        for x in range(0, w, 7):
            want = (left + x + top + y) * 255 // (1920 + 1080)
            near += abs(grey[y * w + x] - want) <= 8
            total += 1
    return near / total

video = probe(full)
assert (video["width"], video["height"]) == (1920, 1080), video
assert video["r_frame_rate"] == "30/1", video
# A still part of the screen sends no pictures; the rate still holds.
assert 30 <= int(video["nb_read_frames"]) <= 140, video
early, late = frame(full, 0.5, 1920, 1080), frame(full, 2.0, 1920, 1080)
# Outside the coloured block and the sweeping bar, the ramp is where it belongs.
assert ramp_share(early, 1920, 1080, 0, 0) > 0.6, ramp_share(early, 1920, 1080, 0, 0)
moved = sum(abs(a - b) > 40 for a, b in zip(early[::97], late[::97])) / len(early[::97])
assert moved > 0.02, moved

video = probe(area)
# 401 x 301 is rounded as a dragged area (398 x 298) and captured 2 pixels smaller.
w, h = video["width"], video["height"]
assert (w, h) == (396, 296), video
share = ramp_share(frame(area, 1.0, w, h), w, h, 961, 541)
assert share > 0.6, share
print("recorded", full, area)
PY
