#!/usr/bin/env bash
# End to end on the headless Wayland desktop: Custom Area in the main window, the area dragged
# on the full-screen window that shows the screen's frozen picture (through a virtual pointer),
# confirmed with its OK button through AT-SPI, recorded, stopped; then Full Screen. Each file
# has its size and the test picture's grey ramp from its place on the desktop.
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

# record: waits for the recording's file to grow, records on, stops; prints the file.
record() {
  local file=""
  for _ in $(seq 300); do
    file=$(ls -t "$HOME"/Videos/Tapedeck/*.mp4 2>/dev/null | head -1)
    [ -n "$file" ] && [ "$file" != "${1:-}" ] && [ -s "$file" ] && break
    file=""
    sleep 0.1
  done
  [ -n "$file" ] || { echo "no recording written" >&2; cat "$log" >&2; exit 1; }
  sleep 2.5
  atspi press "Stop Recording"
  atspi wait "Start Recording"
  echo "$file"
}
# check FILE W H LEFT TOP: the file's size, length, and the ramp from LEFT,TOP of the desktop.
check() {
  local w h length
  IFS=x read -r w h < <(ffprobe -v error -select_streams v -show_entries stream=width,height \
    -of csv=p=0:s=x "$1")
  length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$1")
  [ "$w x $h" = "$2 x $3" ] || { echo "recorded $w x $h, not $2 x $3"; exit 1; }
  awk -v d="$length" 'BEGIN { exit !(d >= 1.5 && d <= 6) }' || { echo "recorded $length s"; exit 1; }
  ffmpeg -v error -ss 1.0 -i "$1" -frames:v 1 -f rawvideo -pix_fmt gray - |
    python3 -c '
import sys
w, h, left, top = (int(a) for a in sys.argv[1:])
grey = sys.stdin.buffer.read()
assert len(grey) == w * h, len(grey)
near = total = 0
for y in range(0, h, 7):
    for x in range(0, w, 7):
        near += abs(grey[y * w + x] - (left + x + top + y) * 255 // 3000) <= 8
        total += 1
print("ramp share", near / total)
assert near / total > 0.6
' "$2" "$3" "$4" "$5"
}

# The drag draws a new area from 200,200 to 601,501 (desktop pixels from the top left).
point move 200 200
point press
for x in 300 400 500 601; do point move "$x" $((x * 3 / 4 + 50)); done
point move 601 501
point release
atspi press "OK"
atspi wait "Stop Recording"
area=$(record)
# A 401 x 301 drag is confirmed as 398 x 298 and captured 2 pixels smaller. The rounding counts
# from the bottom left, so the rows lost are at the top: the file starts at 200,204.
check "$area" 396 296 200 204

# The recordings list opened at the stop; closed, the test picture fills the output again.
swaymsg -q '[title="^Recordings$"] kill'
for _ in $(seq 100); do
  swaymsg -t get_tree | grep -q '"name": "Recordings"' || break
  sleep 0.1
done
# Full screen takes the whole output at once, the area window only passing through.
atspi press "Back to the modes"
atspi press "Full Screen"
atspi press "Start Recording"
atspi wait "Stop Recording"
check "$(record "$area")" 1920 1080 0 0
