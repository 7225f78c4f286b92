#!/usr/bin/env bash
# End to end on the private desktop and sound server: Tapedeck never changes the server. Its
# modules, defaults and devices are the same while the main window runs and after it quits,
# however it ends: window closed, SIGTERM, SIGINT, or killed with SIGKILL. (Recording while
# the server is watched is tests/audio/record_sound.sh.)
# Usage: sound_server_untouched.sh <tapedeck binary>
set -euo pipefail
app=$1
state() { pactl list short modules | cut -f2-; pactl get-default-sink; pactl get-default-source
  pactl list short sinks | cut -f2; pactl list short sources | cut -f2; }
before=$(state)
check() { # when
  local now; now=$(state)
  [ "$now" = "$before" ] || { echo "$1: the sound server changed"; diff <(echo "$before") <(echo "$now"); exit 1; }
}
wait_for() { # condition, tries of 0.1 s
  for _ in $(seq "$2"); do eval "$1" && return 0; sleep 0.1; done
  return 1
}

for how in close TERM INT KILL; do
  log=$TAPEDECK_TEST_ROOT/app-$how.log
  "$app" >"$log" 2>&1 &
  pid=$!
  win=""
  wait_for 'win=$(xdotool search --onlyvisible --name "^Tapedeck$" 2>/dev/null | head -1); [ -n "$win" ]' 300 ||
    { echo "$how: no window"; cat "$log"; kill -9 $pid; exit 1; }
  sleep 1 # the window's start-up: device lists, routing
  check "$how, while running"
  case $how in
    close) xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4 ;;
    *) kill -"$how" $pid ;;
  esac
  wait_for '! kill -0 $pid 2>/dev/null' 200 || { echo "$how: Tapedeck did not quit"; kill -9 $pid; exit 1; }
  status=0
  wait $pid || status=$?
  [ "$how" = KILL ] || [ "$status" = 0 ] || { echo "$how: exit status $status"; cat "$log"; exit 1; }
  check "$how, after"
  echo "$how: the sound server is as it was"
done
