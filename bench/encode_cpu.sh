#!/usr/bin/env bash
# CPU seconds per recorded second: Tapedeck's encoder against ffmpeg on the same pictures.
#   bench/encode_cpu.sh [build-dir] [seconds]
# Tapedeck records in real time (as a live capture does) and reports the CPU it used apart
# from painting the test picture; ffmpeg reads the same pictures from a pipe.
set -euo pipefail
build=${1:-build/release}
seconds=${2:-60}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

line=$("$build/src/tools/tapedeck-encode" --output "$out/tapedeck.mp4" --seconds "$seconds" \
  --size 1920x1080 --fps 30 --quality 0 --no-audio 2>/dev/null | grep '^frames')
ours=$(sed -E 's/.* cpu_s ([0-9.]+).*/\1/' <<<"$line")
dropped=$(sed -E 's/.* dropped ([0-9]+).*/\1/' <<<"$line")

frames=$((seconds * 30))
ffmpeg_cpu() { # extra ffmpeg options...
  "$build/bench/testpattern_raw" 1920 1080 "$frames" |
    /usr/bin/time -f '%U %S' -o "$out/time" ffmpeg -v error -y -f rawvideo -pix_fmt bgra \
      -s 1920x1080 -r 30 -i - -c:v libx264 -preset veryfast -b:v 8000k "$@" "$out/ffmpeg.mp4"
  awk '{print $1 + $2}' "$out/time"
}
theirs=$(ffmpeg_cpu)
theirs420=$(ffmpeg_cpu -pix_fmt yuv420p)

awk -v s="$seconds" -v a="$ours" -v b="$theirs" -v c="$theirs420" -v d="$dropped" 'BEGIN {
  printf "tapedeck        %6.2f cpu s  %.3f cpu s per s  dropped %d\n", a, a / s, d
  printf "ffmpeg          %6.2f cpu s  %.3f cpu s per s  (yuv444p, its default for bgra)\n", b, b / s
  printf "ffmpeg yuv420p  %6.2f cpu s  %.3f cpu s per s\n", c, c / s
  printf "ratio tapedeck/ffmpeg %.2f, tapedeck/ffmpeg-yuv420p %.2f\n", a / b, a / c
}'
