#!/usr/bin/env bash
# End to end on the private desktop: a combination another program holds shows as taken in the
# settings window; a frame rate chosen there shows in the main window and in the next file;
# while it is open no hotkey acts; after it closes, Super+1 starts and stops a recording while
# another window has the focus, that window never gets Super+1, and the bare key 1 does
# nothing but reach it. Usage: hotkeys.sh <tapedeck>
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

# The other program, which holds Super+3 (the camera hotkey) and logs the keys it gets.
keys=$TAPEDECK_TEST_ROOT/keys.log
python3 "$(dirname "$0")/key_window.py" Other "$keys" 3 &
helpers+=($!)
other=$(window_id Other)
press "Full Screen" 1
press Settings
sets=$(window_id Settings)
TAPEDECK_ATSPI_WINDOW=Settings atspi wait "Used by another program"
taken=$(TAPEDECK_ATSPI_WINDOW=Settings atspi names | grep -c "Used by another program" || true)
[ "$taken" = 1 ] || { echo "$taken combinations shown as taken, not 1"; exit 1; }
TAPEDECK_ATSPI_WINDOW=Settings choose "Frame rate" "30 fps"
xdotool key super+1
sleep 1
recording_is no
xdotool windowactivate --sync "$sets" key alt+F4
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Settings$' >/dev/null || break; sleep 0.1; done
TAPEDECK_ATSPI_WINDOW=Tapedeck atspi wait "30 fps"

xdotool windowactivate --sync "$other"
xdotool key 1
sleep 1
recording_is no
one=$(tail -1 "$keys")
xdotool key super+1
recording_is yes
sleep 2
xdotool key super+1
recording_is no
presses=$(grep -cx "$one" "$keys")
[ "$presses" = 1 ] || { echo "the window in front got the 1 key $presses times, not once"; exit 1; }

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
rate=$(ffprobe -v error -select_streams v -show_entries stream=codec_name,r_frame_rate \
  -of csv=p=0 "${files[0]}")
[ "$rate" = "h264,30/1" ] || { echo "the recording is $rate, not H.264 at 30 fps"; exit 1; }
echo "recorded ${files[0]} at 30 fps with Super+1"
