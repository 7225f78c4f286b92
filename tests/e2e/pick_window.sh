#!/usr/bin/env bash
# End to end on the private desktop: App Window, record, click a window: the file follows that
# window, its frame included, at even bounds, and shows its inside.
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
