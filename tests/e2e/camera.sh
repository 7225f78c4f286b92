#!/usr/bin/env bash
# End to end on the private desktop with FFmpeg's generated pictures as cameras: a camera
# recording is the camera's size and mirrored; a camera that ends stops and saves the recording
# and says so; the floating camera picture sits at the bottom right of a full-screen recording,
# and its close button turns the camera switch off. Usage: camera.sh <tapedeck>
set -euo pipefail
app=$1
here=$(dirname "$0")
log=$TAPEDECK_TEST_ROOT/camera.log
pattern="testsrc2=size=640x480:rate=30"

mirrored=$("$app" record --mode camera --camera "lavfi:$pattern" --seconds 3 --audio none 2>"$log") ||
  { echo "camera recording failed"; cat "$log"; exit 1; }
status=0
ended=$("$app" record --mode camera --camera "lavfi:$pattern:duration=1.5" --seconds 20 \
  --audio none 2>"$log") || status=$?
[ "$status" = 1 ] && grep -q "stopped sending pictures" "$log" ||
  { echo "a camera that ends: $status"; cat "$log"; exit 1; }
ended=$(ls "$HOME"/Videos/Tapedeck/*.mp4 | grep -v "$mirrored")

python3 - "$mirrored" "$ended" "$pattern" <<'PY'
import glob, json, os, plistlib, subprocess, sys
mirrored, ended, pattern = sys.argv[1:]

def probe(path):
    info = json.loads(subprocess.check_output(
        ["ffprobe", "-v", "error", "-show_entries", "stream=width,height:format=duration",
         "-of", "json", path]))
    return info["streams"][0]["width"], info["streams"][0]["height"], float(info["format"]["duration"])

def grey(args):
    # One picture at 1 s, small and grey, to compare.
    return subprocess.check_output(["ffmpeg", "-v", "error"] + args + [
        "-ss", "1", "-frames:v", "1", "-vf", "scale=64:48,format=gray", "-f", "rawvideo", "-"])

w, h, duration = probe(mirrored)
assert (w, h) == (640, 480) and 2.5 <= duration <= 4, (w, h, duration)
ours = grey(["-i", mirrored])
flipped = grey(["-f", "lavfi", "-i", pattern + ",hflip"])
plain = grey(["-f", "lavfi", "-i", pattern])
diff = lambda a, b: sum(abs(x - y) for x, y in zip(a, b)) / len(a)
# The moving parts of the pattern differ a little; the bars only match when flipped.
assert diff(ours, flipped) < 40 and diff(ours, plain) > 3 * diff(ours, flipped), \
    (diff(ours, flipped), diff(ours, plain))

w, h, duration = probe(ended)
assert (w, h) == (640, 480) and 0.8 <= duration <= 2, (w, h, duration)
entries = plistlib.load(open(glob.glob(os.environ["HOME"] + "/.cache/*/filelist.plist")[0], "rb"))
assert sorted(e["path"] for e in entries) == sorted([mirrored, ended]), entries
PY

# The floating picture: a green camera over a full-screen recording.
export TAPEDECK_CAMERAS="Green=lavfi:color=c=0x00C000:size=320x240:rate=15"
source "$here/main_window.sh" "$app"
press "Full Screen" 1
choose "Camera on/off" On
picture=""
for _ in $(seq 50); do
  picture=$(xdotool search --onlyvisible --name '^Green$' 2>/dev/null | head -1) && [ -n "$picture" ] && break
  sleep 0.1
done
[ -n "$picture" ] || { echo "no floating camera picture"; cat "$log"; exit 1; }
# Its lower-left corner 50 pixels from the right and bottom edges of the 1920 x 1080 screen.
geometry=$(xwininfo -id "$picture" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width/ {w=$2} /Height/ {h=$2} END {print x+w, y+h}')
[ "$geometry" = "1870 1030" ] || { echo "floating picture ends at $geometry"; exit 1; }
sleep 1 # a few camera pictures on screen
press "Start Recording" 2
press "Stop Recording" 1
recording=$(ls -t "$HOME"/Videos/Tapedeck/*.mp4 | head -1)
python3 "$here/frame_colour.py" "$recording" 1560,800,300,200 00C000

# Over the picture its title bar shows; its close button turns the switch off.
xdotool mousemove 1700 900
press Close
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Green$' >/dev/null 2>&1 || break
  sleep 0.1
done
! xdotool search --onlyvisible --name '^Green$' >/dev/null 2>&1 || { echo "still floating"; exit 1; }
atspi names | grep "'Off', 'Camera on/off'" >/dev/null || { echo "the switch is not off"; atspi names; exit 1; }
