#!/usr/bin/env bash
# End to end: recordings that end badly still leave a finished, catalogued file. A write that
# fails (a file size limit), a disk that runs low (a small tmpfs of this test's own mount
# namespace, filled while recording) and an X server that dies each stop "tapedeck record"
# with one line and status 1; a recorder killed outright is catalogued by the next launch.
# Usage: record_interrupted.sh <tapedeck binary> <tapedeck-testpattern binary>
set -euo pipefail
if [ -z "${TAPEDECK_PRIVATE_MOUNTS:-}" ]; then
  TAPEDECK_PRIVATE_MOUNTS=1 exec unshare -m --propagation private bash "$0" "$@"
fi
app=$1
"$2" 60 &
pattern=$!
trap 'kill $pattern 2>/dev/null || true' EXIT
log=$TAPEDECK_TEST_ROOT/record.log
files=()

# Waits for the recorder to exit and checks its status and its single line (libpulse's own
# complaints about the size limit aside).
ended() {
  local pid=$1 want=$2 status=0
  wait "$pid" || status=$?
  [ "$status" = 1 ] && [ "$(grep -c '^tapedeck: ' "$log")" = 1 ] && grep -q "$want" "$log" ||
    { echo "exit $status, wanted one line with '$want':"; cat "$log"; exit 1; }
}

# Waits until a recording has written its first fragment (past the 800-byte header), and a
# second more.
grown() {
  for _ in $(seq 100); do [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 2000 ] && break; sleep 0.1; done
  sleep 1
}

# A write fails: the encoder stops at once and the file ends at its last whole fragment.
(trap '' XFSZ; ulimit -f 160; exec "$app" record --quality 0 --audio none \
  --output "$HOME/cut.mp4") 2>"$log" &
ended $! "could not be written"
files+=("$HOME/cut.mp4")

# The disk runs low while recording: stopped through the normal stop, above the reserve; a
# disk below it from the start records nothing.
disk=$HOME/disk
mkdir -p "$disk"
mount -t tmpfs -o size=5m tmpfs "$disk"
"$app" record --output "$disk/none.mp4" 2>"$log" &
ended $! "not started"
umount "$disk"
mount -t tmpfs -o size=230m tmpfs "$disk"
"$app" record --audio none --output "$disk/low.mp4" 2>"$log" &
pid=$!
grown "$disk/low.mp4"
fallocate -l 40m "$disk/filler"
ended $pid "almost full"
files+=("$disk/low.mp4")

# Killed outright: the next launch catalogues the file with its real length, and says so.
"$app" record --audio none --output "$HOME/killed.mp4" 2>/dev/null &
pid=$!
grown "$HOME/killed.mp4"
kill -KILL $pid
wait $pid 2>/dev/null || true
"$app" record --seconds 1 --audio none --output "$HOME/next.mp4" >/dev/null 2>"$log"
[ "$(grep -c "recovered: $HOME/killed.mp4\$" "$log")" = 1 ] || { echo "not told:"; cat "$log"; exit 1; }
files+=("$HOME/killed.mp4")

# The X server goes away (last: it takes the desktop with it).
"$app" record --audio none --output "$HOME/nodisplay.mp4" 2>"$log" &
pid=$!
grown "$HOME/nodisplay.mp4"
kill -KILL "$(tr -dc 0-9 <"/tmp/.X${DISPLAY#:}-lock")"
ended $pid "display went away"
files+=("$HOME/nodisplay.mp4")

python3 - "${files[@]}" <<'PY'
import glob, json, os, plistlib, subprocess, sys
entries = plistlib.load(open(glob.glob(os.environ["HOME"] + "/.cache/*/filelist.plist")[0], "rb"))
listed = {e["path"]: e for e in entries}
for path in sys.argv[1:]:
    errors = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"],
                            capture_output=True, text=True).stderr
    assert errors == "", (path, errors)
    # The length is what plays: from the first packet to the end of the last one.
    packets = json.loads(subprocess.check_output(
        ["ffprobe", "-v", "error", "-show_entries", "packet=pts_time,duration_time", "-of", "json",
         path]))["packets"]
    times = [(float(p["pts_time"]), float(p["duration_time"])) for p in packets]
    duration = max(t + d for t, d in times) - min(t for t, _ in times)
    assert duration > 0.5, (path, duration)
    entry = listed[path]
    assert abs(entry["duration"] - duration) < 0.1, (entry, duration)
    assert entry["size"] == os.path.getsize(path), (entry, os.path.getsize(path))
    print(path, duration)
PY
