# Sourced by the window tests: starts a session bus with the accessibility registry, starts
# Tapedeck ($1) on it and waits for its main window ($win). Offers press NAME [seconds] and
# choose NAME ITEM [seconds], which find controls by accessible name (atspi.py), and
# solid_window; xdotool stays for work on the screen itself. Everything started here is
# stopped when the test ends.
app=$1
log=$TAPEDECK_TEST_ROOT/app.log
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null || true' EXIT

# The accessibility registry is started on demand by the session bus.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
  { echo "no session bus"; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
helpers+=("${bus##*$'\n'}")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The tests name controls by their English texts.
export LANGUAGE=en LANG=C.UTF-8
# pyatspi is a Debian package: the system interpreter has it.
atspi_python=/usr/bin/python3
[ -x "$atspi_python" ] || atspi_python=python3
atspi() { "$atspi_python" "$(dirname "${BASH_SOURCE[0]}")/atspi.py" "$@"; }
press() { atspi press "$1"; sleep "${2:-0.5}"; }
choose() { atspi choose "$1" "$2"; sleep "${3:-0.5}"; }

"$app" >"$log" 2>&1 &
pid=$!
helpers+=("$pid")

win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name '^Tapedeck$' 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no Tapedeck window"; cat "$log"; exit 1; }
atspi ready ||
  { echo "Tapedeck's controls are not on the accessibility bus"; cat "$log"; exit 1; }

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
# overlays_become N: waits up to 5 s for N overlays.
overlays_become() {
  for _ in $(seq 50); do [ "$(overlays)" = "$1" ] && return 0; sleep 0.1; done
  echo "overlays shown: $(overlays), not $1"; return 1
}
