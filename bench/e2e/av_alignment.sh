#!/usr/bin/env bash
# A/V alignment of a full-screen recording with system sound, on a private 1920x1080 Xvfb and a
# private PulseAudio: every 10 s the root window flashes white while a 1 kHz beep plays into the
# default sink at the same instant (av_stimulus.py); `tapedeck record --audio system` records it,
# and av_analyse.py reports, per event, beep time minus flash time in the file (positive: sound
# late), the offsets at the start and at the end, and the audio and video stream durations.
#   bench/e2e/av_alignment.sh [build-dir] [seconds, default 600] [tapedeck record options]
# The goal is at most 40 ms offset at both ends and stream durations within one frame. Video
# times are quantised to the grab period, so each offset is up to one frame too negative.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TAPEDECK_TEST_ROOT:-}" ]; then
  exec bash "$here/../../tests/support/sandbox" --x11 --pulse -- bash "$0" "$@"
fi
build=$(cd "${1:-$here/../../build/release}" && pwd)
seconds=${2:-600}
shift $(($# > 2 ? 2 : $#))
out=$TAPEDECK_TEST_ROOT/bench
mkdir -p "$out"
period=10

"$build/src/app/main/tapedeck" record --mode fullscreen --audio system --no-overlays \
  --seconds "$seconds" --output "$out/av.mp4" "$@" >"$out/record.out" 2>"$out/record.log" &
recorder=$!
# The player starts once the recording's sound routing is in place. A stream that is already
# playing is moved to the new default output, and the server then misjudges its latency for
# minutes (half a second at first, shrinking by 5 ms a second), which would be measured here
# as the recorder's offset.
sleep 2
python3 "$here/av_stimulus.py" "$period" 1 >"$out/events.txt" &
stimulus=$!
trap 'kill $stimulus 2>/dev/null || true' EXIT
wait $recorder
kill $stimulus 2>/dev/null || true
echo "recorded $seconds s, $(wc -l <"$out/events.txt") events played"
python3 "$here/av_analyse.py" "$out/av.mp4" "$period"
