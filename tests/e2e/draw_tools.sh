#!/usr/bin/env bash
# End to end on the private desktop, with or without a compositing manager: the drawing tools
# over the moving test picture. Open them from the main window, choose the rectangle and the
# thick line by their accessible names, drag with xdotool, record with "tapedeck record": the
# outline is in the current colour and the picture around and inside it stays live. Erase
# across its left side, undo, then the whiteboard hides the desktop and shows its own drawing.
# Usage: draw_tools.sh <tapedeck> <tapedeck-testpattern> [compositor]
set -euo pipefail
here=$(dirname "$0")
app=$1
"$2" 30 &
extra=($!)
if [ "${3:-}" = compositor ]; then
  xcompmgr &
  extra+=($!)
fi
source "$here/main_window.sh" "$app"
helpers+=("${extra[@]}")
xdotool windowmove "$win" 1300 100

# drag X1 Y1 X2 Y2 in four steps, then the pointer goes out of the way.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  for s in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * s / 4)) $(($2 + ($4 - $2) * s / 4))
    sleep 0.05
  done
  xdotool mouseup 1 sleep 0.3 mousemove 1900 1000
}
# record NAME CHECK...: two seconds of the whole screen, read back by draw_frames.py.
record() {
  "$app" record --seconds 2 --audio none --output "$HOME/$1.mp4" \
    >/dev/null 2>"$TAPEDECK_TEST_ROOT/record.log" ||
    { echo "recording $1 failed"; cat "$TAPEDECK_TEST_ROOT/record.log"; exit 1; }
  echo "$1:"
  python3 "$here/draw_frames.py" "$HOME/$1.mp4" "${@:2}"
}

for name in "Full Screen" "Drawing Tools" Rectangle "Line width" "Thick line"; do press "$name"; done
# With a compositor the overlay has an alpha channel; without one it is shaped to the ink.
depth=$(xwininfo -name panelWindow | awk '/Depth:/ {print $2}')
[ "$depth" = "$([ "${3:-}" = compositor ] && echo 32 || echo 24)" ] ||
  { echo "overlay depth $depth"; exit 1; }
drag 400 300 800 600
# Width 8 on x = 400 and y = 300: columns 396 to 403 and rows 296 to 303 are red.
record rect ink=ff0000@397,330,6,240 ink=ff0000@430,297,340,6 \
  desktop@500,350,200,200 desktop@900,400,100,100 live
press Eraser
drag 350 450 450 450
record erased desktop@396,445,8,10 ink=ff0000@397,330,6,100 live
press Undo
record undone ink=ff0000@397,330,6,240 live
# The whiteboard covers the middle of the screen, 1440 x 810, below a 28-point title strip.
press Rectangle
press Whiteboard
# Under load the board can map after the press returns; a drag before that lands on the desktop.
xdotool search --sync --onlyvisible --name '^Whiteboard$' >/dev/null
sleep 0.3
drag 700 400 1000 700
record board board@300,200,300,190 board@420,440,260,100 ink=ff0000@697,430,6,240 \
  desktop@100,980,100,40 live
