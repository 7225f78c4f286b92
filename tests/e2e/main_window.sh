# Sourced by the window tests: starts Tapedeck ($1), waits for its main window ($win) and
# offers click X Y [seconds] in window coordinates and solid_window. Tapedeck and the helper
# windows are killed when the test ends.
app=$1
log=$TAPEDECK_TEST_ROOT/app.log
"$app" >"$log" 2>&1 &
pid=$!
helpers=()
trap 'kill $pid "${helpers[@]}" 2>/dev/null || true' EXIT

win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name '^Tapedeck$' 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no Tapedeck window"; cat "$log"; exit 1; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep "${3:-0.5}"; }

# solid_window NAME RRGGBB W H X Y: a window of one colour whose inside is at X,Y on the desktop.
solid_window() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/solid_window.py" "$1" "$2" "$3" "$4" &
  helpers+=($!)
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no window $1"; exit 1; }
  # Moving places the frame; shift it by the decoration so the inside lands at X,Y.
  xdotool windowmove --sync "$id" "$5" "$6"
  local at
  at=($(xwininfo -id "$id" | awk '/Absolute upper-left/ {print $4}'))
  xdotool windowmove --sync "$id" $((2 * $5 - at[0])) $((2 * $6 - at[1]))
  sleep 0.3
}
# overlays: how many of Tapedeck's windows other than the main one are on screen.
overlays() { xdotool search --onlyvisible --class '^tapedeck$' 2>/dev/null | grep -vcx "$win" || true; }
