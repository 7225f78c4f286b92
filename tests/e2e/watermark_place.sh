#!/usr/bin/env bash
# End to end on the private desktop: a picture watermark chosen in the settings window and
# dragged to the middle of the placement preview shows in the middle of the next recording,
# at the preview's proportion of the frame. Usage: watermark_place.sh <tapedeck>
set -euo pipefail
# A 100x50 red picture, already chosen before (its path is stored).
picture=$TAPEDECK_TEST_ROOT/mark.png
convert -size 100x50 xc:'#ff0000' "$picture"
mkdir -p "$HOME/.config/Tapedeck"
printf '[General]\nWatermark_imagePath=%s\n' "$picture" >"$HOME/.config/Tapedeck/Tapedeck.conf"
source "$(dirname "$0")/main_window.sh" "$1"

press "Full Screen" 1
press Settings
sets=""
for _ in $(seq 50); do
  sets=$(xdotool search --onlyvisible --name '^Settings$' 2>/dev/null | head -1) && [ -n "$sets" ] && break
  sleep 0.1
done
export TAPEDECK_ATSPI_WINDOW=Settings
press Watermark 0.3
press Image
press Preview
export TAPEDECK_ATSPI_WINDOW="Place the Watermark"
read -r x y w h < <(atspi where Preview)
# The box starts in the preview's bottom-left corner; its middle goes to the preview's middle.
xdotool mousemove $((x + 50)) $((y + h - 25)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((x + 50 + (w / 2 - 50) * step / 4)) $((y + h - 25 - (h / 2 - 25) * step / 4))
  sleep 0.1
done
xdotool mouseup 1
press OK
unset TAPEDECK_ATSPI_WINDOW
xdotool windowactivate --sync "$sets" key alt+F4
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Settings$' >/dev/null || break; sleep 0.1; done
press "Start Recording" 2
press "Stop Recording"
atspi wait "Start Recording"

files=("$HOME"/Videos/Tapedeck/*.mp4)
[ -f "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
# In a 1920-wide frame the 100x50 picture is 100 * 1920 / 594 = 323 x 162, centred at 960,540:
# red well inside it, not red just outside it.
python3 "$(dirname "$0")/frame_colour.py" "${files[0]}" 820,480,280,120 ff0000
if python3 "$(dirname "$0")/frame_colour.py" "${files[0]}" 960,640,4,4 ff0000 >/dev/null; then
  echo "the watermark reaches beyond its place"; exit 1
fi
echo "watermark centred in ${files[0]}"
