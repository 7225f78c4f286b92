#!/usr/bin/env bash
# Whole recordings against ffmpeg on the same private Xvfb desktop, in one run: `tapedeck
# record` (full screen, quality 0, no sound) and `ffmpeg -f x11grab ... -c:v libx264 -preset
# veryfast -b:v 8000k -pix_fmt yuv420p`, each stopped by SIGINT after the same time.
#   bench/e2e/record_vs_ffmpeg.sh [build-dir] [seconds] [tapedeck record options, e.g. --no-overlays]
# Cases: 1920x1080 at 30 fps with a moving picture, the same desktop standing still, 60 fps,
# 30 fps with Tapedeck's main thread blocked for 500 ms every 2 s, and 3840x2160 at 30 fps.
# Prints one table: frames in the file against the frames its length holds, distinct pictures
# among them (a slot filled with the picture before it, by either recorder, is not a captured
# frame), CPU seconds per recorded second, peak RSS, start to first frame (wall time to the stop
# minus the file's length) and stop to finished file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/release}" && pwd)
seconds=${2:-20}
shift $(($# > 2 ? 2 : $#))

if [ -z "${TAPEDECK_TEST_ROOT:-}" ]; then
  results=$(mktemp)
  trap 'rm -f "$results"' EXIT
  export BENCH_RESULTS=$results
  BENCH_CASES="moving still 60fps blocked" TAPEDECK_SANDBOX_SCREEN=1920x1080x24 \
    bash "$here/../../tests/support/sandbox" --x11 -- bash "$0" "$build" "$seconds" "$@"
  BENCH_CASES="4k" TAPEDECK_SANDBOX_SCREEN=3840x2160x24 \
    bash "$here/../../tests/support/sandbox" --x11 -- bash "$0" "$build" "$seconds" "$@"
  echo "| case | Tapedeck frames | ffmpeg frames | distinct pictures, Tapedeck / ffmpeg | CPU s per recorded s, Tapedeck / ffmpeg | peak RSS MB, Tapedeck / ffmpeg | start to first frame s, Tapedeck / ffmpeg | stop to finished file s, Tapedeck / ffmpeg |"
  echo "|---|---|---|---|---|---|---|---|"
  # Each case left two lines: tapedeck, then ffmpeg.
  awk '{ key = $1; label[key] = $2; gsub(/_/, " ", label[key])
         if ($3 == "tapedeck") t[key] = $0; else f[key] = $0
         if (!(key in seen)) { seen[key] = 1; order[++n] = key } }
    END { for (i = 1; i <= n; ++i) { k = order[i]; split(t[k], a); split(f[k], b)
      printf "| %s | %d / %d | %d / %d | %d / %d | %.3f / %.3f (%.2fx) | %d / %d | %.2f / %.2f | %.2f / %.2f |\n",
        label[k], a[4], a[5], b[4], b[5], a[10], b[10], a[6], b[6], (b[6] > 0 ? a[6] / b[6] : 0),
        a[7], b[7], a[8], b[8], a[9], b[9] } }' "$results"
  exit 0
fi

out=$TAPEDECK_TEST_ROOT/bench
mkdir -p "$out"
size=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
pattern=""
# show_pattern FPS: the moving test picture over the desktop; a tiny rate paints it once.
show_pattern() {
  [ -n "$pattern" ] && kill "$pattern" 2>/dev/null && wait "$pattern" 2>/dev/null
  "$build/src/tools/tapedeck-testpattern" "$1" &
  pattern=$!
  sleep 2
}
trap '[ -n "$pattern" ] && kill $pattern 2>/dev/null || true' EXIT

now() { date +%s.%N; }
# run CASE LABEL FPS SIDE FILE COMMAND...: the command under /usr/bin/time, SIGINT after
# `seconds`; appends one line of results.
run() {
  local key=$1 label=$2 fps=$3 side=$4 file=$5
  shift 5
  local start stop end
  start=$(now)
  /usr/bin/time -f '%U %S %M' -o "$out/$key.$side.time" "$@" >"$out/$key.$side.out" \
    2>"$out/$key.$side.log" &
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
  read -r user sys rss < <(tail -1 "$out/$key.$side.time")
  # Decoded pictures that differ from every other one.
  local distinct
  distinct=$(ffmpeg -v error -i "$file" -map 0:v:0 -f framemd5 - | grep -v '^#' |
    awk -F, '{ print $6 }' | sort -u | wc -l)
  awk -v k="$key" -v l="$label" -v s="$side" -v f="$frames" -v d="$duration" -v u="$user" \
    -v y="$sys" -v r="$rss" -v a="$start" -v b="$stop" -v c="$end" -v fps="$fps" \
    -v n="$distinct" 'BEGIN {
    printf "%s %s %s %d %d %.3f %d %.2f %.2f %d\n", k, l, s, f, int(d * fps + 0.5), (u + y) / d,
      r / 1024, (b - a) - d, c - b, n }' >>"$BENCH_RESULTS"
  if [ "$side" = tapedeck ]; then
    grep -i dropped "$out/$key.$side.out" "$out/$key.$side.log" | sed "s/^/$key: /" >&2 || true
  fi
}

# both CASE LABEL FPS [env for tapedeck...]
both() {
  local key=$1 label=$2 fps=$3
  shift 3
  run "$key" "$label" "$fps" tapedeck "$out/$key.tapedeck.mp4" env "$@" \
    "$build/src/app/main/tapedeck" record --fps "$fps" --quality 0 --audio none \
    --output "$out/$key.tapedeck.mp4" "${options[@]}"
  run "$key" "$label" "$fps" ffmpeg "$out/$key.ffmpeg.mp4" ffmpeg -nostdin -v error -y \
    -f x11grab -framerate "$fps" -video_size "$size" -i "$DISPLAY" -c:v libx264 \
    -preset veryfast -b:v 8000k -pix_fmt yuv420p "$out/$key.ffmpeg.mp4"
}

options=("$@")
for c in $BENCH_CASES; do
  case $c in
  moving) show_pattern 30 && both moving "${size}_30_fps_moving" 30 ;;
  still) show_pattern 0.001 && both still "${size}_30_fps_still_desktop" 30 ;;
  60fps) show_pattern 60 && both 60fps "${size}_60_fps_moving" 60 ;;
  blocked)
    show_pattern 30 &&
      both blocked "${size}_30_fps_moving,_main_thread_blocked_500_ms_every_2_s" 30 \
        LD_PRELOAD="$build/bench/libstall_main.so" ;;
  4k) show_pattern 30 && both 4k "${size}_30_fps_moving" 30 ;;
  esac
done
