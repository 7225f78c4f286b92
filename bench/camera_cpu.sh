#!/usr/bin/env bash
# CPU seconds per recorded second of a camera recording: Tapedeck against ffmpeg reading the
# same FFmpeg source (1280x720 at 30 fps) and encoding it the same way (mirrored, x264
# veryfast, 8000 kbit/s, yuv420p). Both play the source in real time, as a camera delivers it.
#   bench/camera_cpu.sh [build-dir] [seconds]   (runs inside the test sandbox: X11 and sound)
set -euo pipefail
build=$(cd "${1:-build/release}" && pwd)
seconds=${2:-30}
here=$(cd "$(dirname "$0")/.." && pwd)
source="testsrc2=size=1280x720:rate=30"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cat >"$out/run.sh" <<RUN
set -e
/usr/bin/time -f '%U %S' -o "$out/ours" "$build/src/app/main/tapedeck" record --mode camera \
  --camera "lavfi:$source" --seconds $seconds --fps 30 --quality 0 --audio none \
  --output "$out/tapedeck.mp4" >/dev/null 2>&1
RUN
bash "$here/tests/support/sandbox" --x11 --pulse -- bash "$out/run.sh"
/usr/bin/time -f '%U %S' -o "$out/theirs" ffmpeg -v error -y -re -f lavfi -i "$source" \
  -t "$seconds" -vf hflip -c:v libx264 -preset veryfast -b:v 8000k -pix_fmt yuv420p -r 30 \
  "$out/ffmpeg.mp4"
ours=$(awk '{print $1 + $2}' "$out/ours")
theirs=$(awk '{print $1 + $2}' "$out/theirs")
frames=$(ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 \
  "$out/tapedeck.mp4")
awk -v s="$seconds" -v a="$ours" -v b="$theirs" -v f="$frames" 'BEGIN {
  printf "tapedeck  %6.2f cpu s  %.3f cpu s per s  (%d frames)\n", a, a / s, f
  printf "ffmpeg    %6.2f cpu s  %.3f cpu s per s\n", b, b / s
  printf "ratio tapedeck/ffmpeg %.2f\n", a / b
}'
