# Sourced by the window tests: starts Tapedeck ($1), waits for its main window ($win) and
# offers click X Y [seconds] in window coordinates. Tapedeck is killed when the test ends.
app=$1
log=$TAPEDECK_TEST_ROOT/app.log
"$app" >"$log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name '^Tapedeck$' 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no Tapedeck window"; cat "$log"; exit 1; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep "${3:-0.5}"; }
