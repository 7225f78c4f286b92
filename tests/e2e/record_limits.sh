#!/usr/bin/env bash
# End to end on the private desktop: "tapedeck record --split-time 2" cuts 5 s of the moving
# test picture into three pieces, each starting with a key frame where the last one ended, no
# frame missing at a cut; without the option the split rule the main window stored applies;
# a stored auto stop at 1 MB ends a recording of noise once its file has passed 1 MB, and the
# run ends as a stop does.
# Usage: record_limits.sh <tapedeck binary> <tapedeck-testpattern binary>
set -euo pipefail
app=$1
"$2" 10 &
pattern=$!
# KILL: ffplay's TERM handler calls exit(), which can hang inside the player's own threads.
trap 'kill -KILL $pattern 2>/dev/null || true' EXIT
sleep 1
log=$TAPEDECK_TEST_ROOT/record.log
# 10 frames a second, so every frame the screen shows is captured even on a busy machine.
"$app" record --seconds 5 --split-time 2 --fps 10 --audio none --output "$HOME/cut.mp4" \
  >/dev/null 2>"$log" || { echo "split run failed"; cat "$log"; exit 1; }
mkdir -p "$XDG_CONFIG_HOME/Tapedeck"
printf '[General]\nSplitType=1\nSplitTime=2\n' >>"$XDG_CONFIG_HOME/Tapedeck/Tapedeck.conf"
"$app" record --seconds 3 --fps 10 --audio none --output "$HOME/stored.mp4" \
  >/dev/null 2>"$log" || { echo "stored-rule run failed"; cat "$log"; exit 1; }
kill $pattern
ffplay -loglevel quiet -noborder -left 0 -top 0 -f lavfi -i "nullsrc=s=960x540,geq=random(1)*255:128:128" &
pattern=$!
sleep 1.5
printf '[General]\nIsAutoStop=1\nAutoStop_Type=true\nAutoStop_FileSize=1\n' \
  >"$XDG_CONFIG_HOME/Tapedeck/Tapedeck.conf"
sized=$("$app" record --seconds 30 --fps 30 --quality 0 --audio none --output "$HOME/sized.mp4" \
  2>"$log") || { echo "auto stop run failed"; cat "$log"; exit 1; }
[ "$sized" = "$HOME/sized.mp4" ] || { echo "printed '$sized'"; exit 1; }

python3 - "$HOME" <<'PY'
import json, os, subprocess, sys
home = sys.argv[1]

def frames(path):
    out = json.loads(subprocess.check_output(
        ["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
         "frame=pts_time,key_frame", "-of", "json", path]))["frames"]
    return [(float(f["pts_time"]), f["key_frame"]) for f in out]

pieces = [frames(f"{home}/cut{s}.mp4") for s in ("", "_2", "_3")]
assert not os.path.exists(f"{home}/cut_4.mp4")
for i, piece in enumerate(pieces):
    # Each piece plays on its own from a key frame at its very start.
    assert piece and piece[0] == (0.0, 1), (i, piece[:2])
# At each cut the frame before it still ends the piece, in its last slot, and the next piece
# starts with the frame at the cut. (Capture may miss a frame elsewhere on a busy machine; the
# encoder's own cuts are checked frame by frame in its tests.)
for i in (0, 1):
    assert abs(pieces[i][-1][0] - 1.9) < 0.01, (i, pieces[i][-3:])
stored = frames(f"{home}/stored.mp4")
assert os.path.exists(f"{home}/stored_2.mp4") and abs(stored[-1][0] - 1.9) < 0.01, stored[-3:]
# Stopped soon after 1 MB was written (the encoder may still hold a few seconds), long before
# the 30 s asked for.
size = os.path.getsize(f"{home}/sized.mp4")
duration = float(subprocess.check_output(
    ["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0",
     f"{home}/sized.mp4"]))
assert size >= 1000000 and duration < 15, (size, duration)
print("pieces", [len(p) for p in pieces], "auto stop at", size, "bytes after", duration, "s")
PY
