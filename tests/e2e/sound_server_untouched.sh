#!/usr/bin/env bash
# End to end on the private desktop and sound server: while Tapedeck runs, the system's default
# output is its own aggregate; however it is asked to quit (window closed, SIGTERM, SIGINT),
# the defaults it changed are put back and its virtual devices are gone.
# Usage: quit_restores_audio.sh <tapedeck binary>
set -euo pipefail
app=$1
sink_before=$(pactl get-default-sink)
source_before=$(pactl get-default-source)

wait_for() { # condition, tries of 0.1 s
  for _ in $(seq "$2"); do eval "$1" && return 0; sleep 0.1; done
  return 1
}

for how in close TERM INT; do
  log=$TAPEDECK_TEST_ROOT/app-$how.log
  "$app" >"$log" 2>&1 &
  pid=$!
  if ! wait_for '[ "$(pactl get-default-sink)" = ZR-OutputDevice ]' 200; then
    echo "$how: the output was never routed through ZR-OutputDevice"; cat "$log"; kill $pid; exit 1
  fi
  # The window is up once the quit requests are heard.
  win=""
  wait_for 'win=$(xdotool search --onlyvisible --name "^Tapedeck$" 2>/dev/null | head -1); [ -n "$win" ]' 100
  if [ "$how" = close ]; then
    xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
  else
    kill -"$how" $pid
  fi
  if ! wait_for '! kill -0 $pid 2>/dev/null' 200; then
    echo "$how: Tapedeck did not quit"; kill -9 $pid; exit 1
  fi
  wait $pid || { echo "$how: exit status $?"; cat "$log"; exit 1; }
  sink=$(pactl get-default-sink)
  source=$(pactl get-default-source)
  [ "$sink" = "$sink_before" ] || { echo "$how: default output left at $sink"; exit 1; }
  [ "$source" = "$source_before" ] || { echo "$how: default input left at $source"; exit 1; }
  left=$(pactl list short sinks | grep -E 'ZR-|BlackHole' || true)
  [ -z "$left" ] || { echo "$how: devices left behind: $left"; exit 1; }
  echo "$how: defaults back at $sink / $source"
done
