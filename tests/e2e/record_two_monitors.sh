#!/usr/bin/env bash
# End to end on a desktop split into two monitors (left and right, 960 x 1080 each): Escape
# takes the selection overlays off both monitors and records nothing; back at the mode choice
# no sound is captured; then Full Screen with the right monitor chosen in the screen pop-up
# records that monitor alone; the command line records a window and an area on the right
# monitor.
# Usage: record_two_monitors.sh <tapedeck binary>
set -euo pipefail
xrandr --setmonitor left 960/254x1080/286+0+0 screen >/dev/null
xrandr --setmonitor right 960/254x1080/286+960+0 none >/dev/null
here=$(dirname "$0")
source "$here/main_window.sh" "$1"
xdotool windowmove --sync "$win" 100 100
solid_window Green 00c000 400 300 1200 300

press "Custom Area" 1
press "Start Recording"
overlays_become 2   # one on each monitor
xdotool key Escape
overlays_become 0
[ "$(xdotool getwindowname "$win")" = Tapedeck ] || { echo "still recording"; exit 1; }
[ ! -e "$HOME/Videos/Tapedeck" ] || { echo "Escape wrote:"; ls "$HOME/Videos/Tapedeck"; exit 1; }

press "Back to the modes"
# Nothing records sound at the mode choice; choosing a mode starts it again.
streams() { pactl list source-outputs | grep -c 'media.name = "Tapedeck recording"' || true; }
expect_streams() {
  for _ in $(seq 30); do [ "$(streams)" = "$1" ] && return; sleep 0.1; done
  echo "sound capture streams: $(streams), not $1"; exit 1
}
expect_streams 0
press "Full Screen" 1
expect_streams 1
choose Screen right
press "Start Recording" 2.5   # starts at once on the chosen monitor
press "Stop Recording" 2

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
size=$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=p=0 "${files[0]}")
[ "$size" = 960,1080 ] || { echo "recorded $size, not the right monitor"; exit 1; }
# The green window sits at 240,300 on the right monitor; the rest of it is the dark desktop.
python3 "$here/frame_colour.py" "${files[0]}" 244,304,392,292 00c000 300,700,600,300 000000

# The command line on the right monitor: the green window, and an area over its top-left corner
# (desktop 1100,200 401x301: rounded and made 2 smaller, it covers 1100..1495 x 204..499).
green=$(xdotool search --onlyvisible --name '^Green$' | head -1)
"$1" record --mode window --window "$green" --seconds 2 --audio none --output "$HOME/window.mp4" \
  >/dev/null 2>"$log.cli" || { echo "window run failed"; cat "$log.cli"; exit 1; }
python3 "$here/frame_colour.py" "$HOME/window.mp4" 20,20,360,260 00c000
"$1" record --mode area --rect 1100,200,401,301 --seconds 2 --audio none \
  --output "$HOME/area.mp4" >/dev/null 2>"$log.cli" || { echo "area run failed"; cat "$log.cli"; exit 1; }
size=$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=p=0 "$HOME/area.mp4")
[ "$size" = 396,296 ] || { echo "area recorded $size"; exit 1; }
python3 "$here/frame_colour.py" "$HOME/area.mp4" 110,106,276,180 00c000 4,4,86,280 000000
