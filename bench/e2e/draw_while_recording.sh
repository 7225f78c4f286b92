#!/usr/bin/env bash
# A 1080p30 recording while a script draws one freehand line with 100 drag events a second on
# the drawing overlay, over the moving test picture on the private desktop.
#   bench/e2e/draw_while_recording.sh [build-dir] [seconds] [compositor]
# Reports the frames in the file against seconds x 30, and how many of them repeat the frame
# before (a frame that did not reach the encoder in time shows as a repeat).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TAPEDECK_TEST_ROOT:-}" ]; then
  exec bash "$here/../../tests/support/sandbox" --x11 --pulse -- bash "$0" "$@"
fi
build=$(cd "${1:-$here/../../build/release}" && pwd)
seconds=${2:-10}
app=$build/src/app/main/tapedeck
"$build/src/tools/tapedeck-testpattern" 30 &
extra=($!)
if [ "${3:-}" = compositor ]; then
  xcompmgr &
  extra+=($!)
fi
source "$here/../../tests/e2e/main_window.sh" "$app"
helpers+=("${extra[@]}")
for name in "Full Screen" "Drawing Tools" Pen; do press "$name"; done

"$app" record --seconds "$seconds" --fps 30 --quality 0 --audio none \
  --output "$HOME/draw.mp4" >/dev/null 2>"$TAPEDECK_TEST_ROOT/record.log" &
recorder=$!
sleep 1
# A spiral of short segments, one drag event every 10 ms, as one xdotool command chain.
moves=$(python3 -c "
import math
for i in range($seconds * 100):
    t = i / 40; r = 40 + t * 4
    print('mousemove', int(960 + r * math.cos(t)), int(540 + r * math.sin(t)), 'sleep 0.01')")
xdotool mousemove 960 540 mousedown 1
start=$(date +%s.%N)
# shellcheck disable=SC2086
xdotool $moves
end=$(date +%s.%N)
xdotool mouseup 1
wait $recorder
frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames \
  -of csv=p=0 "$HOME/draw.mp4")
repeats=$(ffmpeg -v error -i "$HOME/draw.mp4" -f framemd5 - | grep -v '^#' |
  awk -F, '{print $6}' | uniq -c | awk '{n += $1 - 1} END {print n + 0}')
echo "drag events: $((seconds * 100)) in $(awk "BEGIN {print $end - $start}") s; frames: $frames of $((seconds * 30)); repeated frames: $repeats"
