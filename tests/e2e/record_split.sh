#!/usr/bin/env bash
# End to end on the private desktop: "tapedeck record --split-time 2" cuts 5 s of the moving
# test picture into three pieces, each starting with a key frame where the last one ended, no
# frame missing at a cut; without the option the split rule the main window stored applies.
# Usage: record_split.sh <tapedeck binary> <tapedeck-testpattern binary>
set -euo pipefail
app=$1
"$2" 10 &
pattern=$!
trap 'kill $pattern 2>/dev/null || true' EXIT
sleep 1
log=$TAPEDECK_TEST_ROOT/record.log
# 10 frames a second, so every frame the screen shows is captured even on a busy machine.
"$app" record --seconds 5 --split-time 2 --fps 10 --audio none --output "$HOME/cut.mp4" \
  >/dev/null 2>"$log" || { echo "split run failed"; cat "$log"; exit 1; }
mkdir -p "$XDG_CONFIG_HOME/Tapedeck"
printf '[General]\nSplitType=1\nSplitTime=2\n' >>"$XDG_CONFIG_HOME/Tapedeck/Tapedeck.conf"
"$app" record --seconds 3 --fps 10 --audio none --output "$HOME/stored.mp4" \
  >/dev/null 2>"$log" || { echo "stored-rule run failed"; cat "$log"; exit 1; }

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
    gaps = [b[0] - a[0] for a, b in zip(piece, piece[1:])]
    assert all(abs(g - 0.1) < 0.01 for g in gaps), (i, gaps)
# Two full pieces of 2 s: the frames at the cuts are in them, none lost.
assert [len(p) for p in pieces[:2]] == [20, 20], [len(p) for p in pieces]
assert 9 <= len(pieces[2]) <= 13, len(pieces[2])
assert os.path.exists(f"{home}/stored_2.mp4") and len(frames(f"{home}/stored.mp4")) == 20
print("pieces", [len(p) for p in pieces])
PY
