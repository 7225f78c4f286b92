#!/usr/bin/env bash
# End to end on the private desktop: the start-options menu's 3-second countdown shows 3, 2
# and 1 over the screen, and the full-screen recording starts about 4 s after the choice.
# Usage: countdown.sh <tapedeck binary>
set -euo pipefail
source "$(dirname "$0")/main_window.sh" "$1"

press "Full Screen" 1
press "Start Options"
atspi click Countdown
chosen=$(date +%s.%N)
atspi click "3 Seconds"
for digit in 3 2 1; do
  atspi wait "$digit" || { echo "the countdown never showed $digit"; cat "$log"; exit 1; }
done
atspi wait "Stop Recording"
started=$(date +%s.%N)
press "Stop Recording" 1

python3 - "$chosen" "$started" "$HOME"/Videos/Tapedeck/*.mp4 <<'PY'
import sys
waited = float(sys.argv[2]) - float(sys.argv[1])
# A blank second, then 3, 2 and 1 for a second each, then the fade; polling adds a little.
assert 3.5 <= waited <= 7.0, waited
assert len(sys.argv) == 4 and sys.argv[3].endswith(".mp4"), sys.argv
print("recording started", round(waited, 2), "s after the countdown was chosen")
PY
