#!/usr/bin/env bash
# End to end on the private desktop: after choosing Full Screen, Super+1 starts and stops a
# recording while another window has the focus, and the bare key 1 does nothing.
# Usage: hotkeys.sh <tapedeck>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"

press "Full Screen" 1
solid_window Other 336699 300 200 1200 600
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Other$' | head -1)"

# recording_is yes|no: waits up to 5 s for the record button to say so.
recording_is() {
  local want="Start Recording"
  [ "$1" = yes ] && want="Stop Recording"
  for _ in $(seq 50); do
    atspi names | grep "'$want'" >/dev/null && return 0
    sleep 0.1
  done
  echo "recording is not '$1'"; atspi names; cat "$log"; exit 1
}

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
ffprobe -v error -select_streams v -show_entries stream=codec_name -of csv=p=0 "${files[0]}" |
  grep -q h264 || { echo "the recording has no video"; exit 1; }
echo "recorded ${files[0]} with Super+1"
