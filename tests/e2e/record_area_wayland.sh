#!/usr/bin/env bash
# End to end on the headless Wayland desktop: Custom Area in the main window, the area dragged
# on the full-screen window that shows the screen's frozen picture (through a virtual pointer),
# confirmed with its OK button through AT-SPI, recorded, stopped; the file has the confirmed
# area's size and the test picture's grey ramp from that place of the desktop.
# Usage: record_area_wayland.sh <tapedeck> <tapedeck-testpattern> <tapedeck-virtual-pointer>
set -euo pipefail
app=$1
log=$TAPEDECK_TEST_ROOT/app.log
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null || true' EXIT
"$2" 30 &
helpers+=($!)
pattern=$!
for _ in $(seq 300); do
  swaymsg -t get_tree 2>/dev/null | grep -q "\"pid\": $pattern," && break
  sleep 0.1
done

# The pointer: one device for the whole test, so the desktop's seat keeps it.
coproc pointer { exec "$3" 1920 1080; }
helpers+=($!)
read -r -t 30 ready <&"${pointer[0]}" && [ "$ready" = ready ] || { echo "no virtual pointer"; exit 1; }
point() {
  echo "$*" >&"${pointer[1]}"
  local answer
  read -r -t 30 answer <&"${pointer[0]}" && [ "$answer" = ok ] || { echo "pointer: $answer"; exit 1; }
}

# The accessibility registry starts on demand on the desktop's session bus.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANGUAGE=en LANG=C.UTF-8
atspi() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@"; }
"$app" >"$log" 2>&1 &
helpers+=($!)
atspi ready || { echo "no Tapedeck window"; cat "$log"; exit 1; }
atspi press "Custom Area"
atspi press "Start Recording"
# The portal has cast the screen once its picture is up under the area's buttons.
atspi wait "OK" || { echo "no area window"; cat "$log"; exit 1; }

# The drag draws a new area from 200,200 to 601,501 (desktop pixels from the top left).
point move 200 200
point press
for x in 300 400 500 601; do point move "$x" $((x * 3 / 4 + 50)); done
point move 601 501
point release
atspi press "OK"
atspi wait "Stop Recording"

files=()
for _ in $(seq 300); do
  files=("$HOME"/Videos/Tapedeck/*.mp4)
  [ -s "${files[0]}" ] && break
  sleep 0.1
done
[ -s "${files[0]}" ] || { echo "no recording written"; cat "$log"; exit 1; }
sleep 2.5
atspi press "Stop Recording"
atspi wait "Start Recording"

IFS=x read -r w h < <(ffprobe -v error -select_streams v -show_entries stream=width,height \
  -of csv=p=0:s=x "${files[0]}")
length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "${files[0]}")
# A 401 x 301 drag is confirmed as 398 x 298 and captured 2 pixels smaller.
[ "$w x $h" = "396 x 296" ] || { echo "recorded $w x $h"; exit 1; }
awk -v d="$length" 'BEGIN { exit !(d >= 1.5 && d <= 6) }' || { echo "recorded ${length} s"; exit 1; }
# The rounding counts from the bottom left, so the rows lost are at the top: the file starts at
# 200,204 on the desktop, where the test picture's ramp is (x + y) * 255 / 3000.
ffmpeg -v error -ss 1.0 -i "${files[0]}" -frames:v 1 -f rawvideo -pix_fmt gray - |
  python3 -c '
import sys
w, h, grey = 396, 296, sys.stdin.buffer.read()
assert len(grey) == w * h, len(grey)
near = total = 0
for y in range(0, h, 7):
    for x in range(0, w, 7):
        near += abs(grey[y * w + x] - (200 + x + 204 + y) * 255 // 3000) <= 8
        total += 1
print("ramp share", near / total)
assert near / total > 0.6
'
