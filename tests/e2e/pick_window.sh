#!/usr/bin/env bash
# End to end on the private desktop: App Window, record, click a window: the file follows that
# window, its frame included, at even bounds, and shows its inside with the arrow drawn where
# the pointer is.
# Usage: pick_window.sh <tapedeck binary>
set -euo pipefail
here=$(dirname "$0")
source "$here/main_window.sh" "$1"
xdotool windowmove --sync "$win" 100 100
# Odd sides and an odd left edge once the frame is added, so each rounding shows.
solid_window Green 00c000 403 302 1200 300
green=$(xdotool search --onlyvisible --name '^Green$' | head -1)
read -r left right top bottom < <(xprop -id "$green" _NET_FRAME_EXTENTS | tr -dc '0-9 \n' | tr -s ' ')

press "App Window" 1
press "Start Recording" 1.5   # the overlay highlights the window under the pointer
xdotool mousemove 1400 450 sleep 0.3 click 1
sleep 2.5
press "Stop Recording" 2

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
# The frame's left and top edges and sides, each rounded down to even.
x=$(((1200 - left) / 2 * 2)) y=$(((300 - top) / 2 * 2))
w=$(((403 + left + right) / 2 * 2)) h=$(((302 + top + bottom) / 2 * 2))
size=$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=p=0 "${files[0]}")
[ "$size" = "$w,$h" ] || { echo "recorded $size, the window is $w,$h"; exit 1; }
# The inside, 2 pixels in from its edges, is the window's colour.
python3 "$here/frame_colour.py" "${files[0]}" $((1202 - x)),$((302 - y)),399,298 00c000
# The arrow is drawn where the pointer rested (1400,450 on the desktop): below and right of it
# the frame is not green, while the window around it is.
python3 - "${files[0]}" $((1400 - x)) $((450 - y)) <<'PY'
import subprocess, sys
path, px, py = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
w, h = (int(v) for v in subprocess.check_output(
    ["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries", "stream=width,height",
     "-of", "csv=p=0", path]).decode().split(","))
rgb = subprocess.check_output(["ffmpeg", "-v", "error", "-i", path, "-frames:v", "1", "-f",
                               "rawvideo", "-pix_fmt", "rgb24", "-"])
def not_green(x0, y0):
    box = [(x, y) for y in range(y0, y0 + 12) for x in range(x0, x0 + 8)]
    return sum(abs(rgb[(y * w + x) * 3 + 1] - 0xc0) > 60 for x, y in box) / len(box)
arrow, beside = not_green(px + 1, py + 2), not_green(px - 60, py)
print(f"not green: {arrow:.2f} under the pointer, {beside:.2f} beside it")
assert arrow > 0.3 and beside < 0.05
PY
