#!/usr/bin/env bash
# One whole recording against ffmpeg on the same private 1920x1080 Xvfb desktop showing the
# moving test picture: `tapedeck record` (full screen, 30 fps, quality 0, no sound) and
# `ffmpeg -f x11grab ... libx264 veryfast 8000k`, each stopped by SIGINT after the same time.
#   bench/e2e/record_vs_ffmpeg.sh [build-dir] [seconds] [tapedeck record options, e.g. --no-overlays]
# Reports frames in the file, CPU seconds per recorded second, peak RSS, start to first frame
# (wall time to the stop minus the file's duration) and stop to finished file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TAPEDECK_TEST_ROOT:-}" ]; then
  exec bash "$here/../../tests/support/sandbox" --x11 -- bash "$0" "$@"
fi
build=$(cd "${1:-$here/../../build/release}" && pwd)
seconds=${2:-60}
shift $(($# > 2 ? 2 : $#))
out=$TAPEDECK_TEST_ROOT/bench
mkdir -p "$out"

"$build/src/tools/tapedeck-testpattern" 30 &
pattern=$!
trap 'kill $pattern 2>/dev/null || true' EXIT
sleep 2

now() { date +%s.%N; }
# run NAME FILE COMMAND...: starts the command under /usr/bin/time, SIGINT after `seconds`.
run() {
  local name=$1 file=$2
  shift 2
  local start stop end
  start=$(now)
  /usr/bin/time -f '%U %S %M' -o "$out/$name.time" "$@" >"$out/$name.out" 2>"$out/$name.log" &
  local pid=$!
  sleep "$seconds"
  stop=$(now)
  # The signal goes to the recorder, not to time(1) in front of it.
  pkill -INT -P "$pid"
  wait "$pid" || true
  end=$(now)
  local frames duration
  frames=$(ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=nb_read_frames -of csv=p=0 "$file")
  duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
  read -r user sys rss < <(tail -1 "$out/$name.time")
  awk -v n="$name" -v f="$frames" -v d="$duration" -v u="$user" -v s="$sys" -v r="$rss" \
    -v a="$start" -v b="$stop" -v c="$end" 'BEGIN {
    printf "%-9s frames %5d  duration %6.2f s  cpu %6.2f s = %.3f cpu s per s  peak RSS %4d MB  first frame %.2f s  stop to file %.2f s\n",
      n, f, d, u + s, (u + s) / d, r / 1024, (b - a) - d, c - b }'
}

run tapedeck "$out/tapedeck.mp4" "$build/src/app/main/tapedeck" record --fps 30 --quality 0 \
  --audio none --output "$out/tapedeck.mp4" "$@"
run ffmpeg "$out/ffmpeg.mp4" ffmpeg -nostdin -v error -y -f x11grab -framerate 30 -video_size 1920x1080 \
  -i "$DISPLAY" -c:v libx264 -preset veryfast -b:v 8000k "$out/ffmpeg.mp4"
