#!/usr/bin/env bash
# End to end on the private desktop: a frame rate chosen in the settings window shows in the
# main window and in the next file; while the settings window is open no hotkey acts; after
# it closes, Super+1 starts and stops a recording while another window has the focus, and the
# bare key 1 does nothing. Usage: hotkeys.sh <tapedeck>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"

# recording_is yes|no: waits up to 5 s for the record button to say so.
recording_is() {
  local want="Start Recording"
  [ "$1" = yes ] && want="Stop Recording"
  for _ in $(seq 50); do
    TAPEDECK_ATSPI_WINDOW=Tapedeck atspi names | grep "'$want'" >/dev/null && return 0
    sleep 0.1
  done
  echo "recording is not '$1'"; atspi names; cat "$log"; exit 1
}
# window_id TITLE: waits up to 5 s for the window to map.
window_id() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 && return 0
    sleep 0.1
  done
  echo "no window $1" >&2; exit 1
}

press "Full Screen" 1
press Settings
sets=$(window_id Settings)
TAPEDECK_ATSPI_WINDOW=Settings choose "Frame rate" "30 fps"
xdotool key super+1
sleep 1
recording_is no
xdotool windowactivate --sync "$sets" key alt+F4
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Settings$' >/dev/null || break; sleep 0.1; done
TAPEDECK_ATSPI_WINDOW=Tapedeck atspi wait "30 fps"

solid_window Other 336699 300 200 1200 600
xdotool windowactivate --sync "$(window_id Other)"
xdotool key 1
sleep 1
recording_is no
xdotool key super+1
recording_is yes
sleep 2
xdotool key super+1
recording_is no

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
rate=$(ffprobe -v error -select_streams v -show_entries stream=codec_name,r_frame_rate \
  -of csv=p=0 "${files[0]}")
[ "$rate" = "h264,30/1" ] || { echo "the recording is $rate, not H.264 at 30 fps"; exit 1; }
echo "recorded ${files[0]} at 30 fps with Super+1"
