#!/usr/bin/env bash
# "tapedeck record" on the sandbox's sound server (PulseAudio or PipeWire): three recorders at
# once (system sound, microphone, both) with a 1 kHz tone playing and the 441 Hz microphone;
# each file's sound starts with its picture, holds its own tones at their own levels and pitch,
# and lasts as long as the picture. Then the server is killed and restarted during a recording,
# which goes on, says so once, and has its sound back; and a recorder killed with SIGKILL. The
# server's modules, defaults and devices stay as they were throughout.
# Usage: record_sound.sh <tapedeck binary>
set -euo pipefail
app=$1
out=$TAPEDECK_TEST_ROOT/rec
mkdir -p "$out"
state() { pactl list short modules | cut -f2-; pactl get-default-sink; pactl get-default-source
  pactl list short sinks | cut -f2; pactl list short sources | cut -f2; }
before=$(state)
check() { [ "$(state)" = "$before" ] || { echo "$1: the sound server changed"; diff <(echo "$before") <(state); exit 1; }; }

ffmpeg -v error -f lavfi -i sine=frequency=1000:sample_rate=48000:duration=100 -af volume=4 -ac 2 "$out/tone.wav"
paplay --latency-msec=60 "$out/tone.wav" &
player=$!
trap 'kill $player 2>/dev/null || true' EXIT
sleep 2.5 # the idle null sink takes its new player up at its next turn
record() { # name, seconds, audio source
  # A small area: three recorders at once must not lose pictures to a busy machine, or the
  # picture would end early and the length check would measure the machine, not the sound.
  "$app" record --mode area --rect 0,0,320,240 --fps 25 --no-overlays --audio "$3" --seconds "$2" \
    --output "$out/$1.mp4" >/dev/null 2>"$out/$1.log"
}
record system 3 system & a=$!
record mic 3 mic & b=$!
record both 3 both & c=$!
sleep 2
check "while recording"
wait $a $b $c || { tail "$out"/*.log; exit 1; }

record restart 5 mic & d=$!
sleep 1.5
"$TAPEDECK_SOUND_SERVER_CONTROL" restart
wait $d || { cat "$out/restart.log"; exit 1; }
told=$(grep -c "Sound is missing" "$out/restart.log" || true)
[ "$told" = 1 ] || { echo "told $told times of the missing sound"; cat "$out/restart.log"; exit 1; }

"$app" record --audio both --output "$out/killed.mp4" >/dev/null 2>&1 & e=$!
sleep 1.5
kill -KILL $e
wait $e 2>/dev/null || true
check "after SIGKILL"

python3 - "$out" <<'PY'
import json, math, subprocess, sys
out = sys.argv[1]
RATE = 44100

def probe(path):
    info = json.loads(subprocess.check_output(["ffprobe", "-v", "error", "-show_entries",
        "stream=codec_type,start_time,duration", "-of", "json", path]))
    return {s["codec_type"]: s for s in info["streams"]}

def sound(path):
    raw = subprocess.check_output(["ffmpeg", "-v", "error", "-i", path, "-map", "0:a", "-ac", "1",
                                   "-ar", str(RATE), "-f", "f32le", "-"])
    import array
    a = array.array("f"); a.frombytes(raw); return a

def level(x, hz):
    w = 2 * math.pi * hz / RATE; c = 2 * math.cos(w); s1 = s2 = 0.0
    for v in x:
        s1, s2 = v + c * s1 - s2, s1
    return 2 * math.sqrt(max(s1 * s1 + s2 * s2 - c * s1 * s2, 0)) / len(x)

def quarters(x, measure):  # the median over quarter seconds: a player's glitch does not count
    q = sorted(measure(x[at:at + RATE // 4]) for at in range(0, len(x) - RATE // 4 + 1, RATE // 4))
    return q[len(q) // 2]

def crossings(x):  # frequency from the upward zero crossings
    ups = [i - 1 + x[i - 1] / (x[i - 1] - x[i]) for i in range(1, len(x)) if x[i - 1] < 0 <= x[i]]
    return (len(ups) - 1) * RATE / (ups[-1] - ups[0]) if len(ups) > 1 else 0

levels = {}
for name, tones in (("system", [1000]), ("mic", [441]), ("both", [1000, 441])):
    path = "%s/%s.mp4" % (out, name)
    s, x = probe(path), sound(path)
    av = float(s["audio"]["duration"]) - float(s["video"]["duration"])
    first = next(i for i, v in enumerate(x) if abs(v) > 0.02) / RATE
    steady = x[RATE // 2:RATE // 2 + 2 * RATE]
    got = {hz: quarters(steady, lambda q: level(q, hz)) for hz in (1000, 441)}
    print("%s: leading silence %.3f s, audio - video %+.3f s, levels %s" %
          (name, first, av, {k: round(v, 3) for k, v in got.items()}))
    assert first < 0.1, "leading silence"
    assert abs(av) < 0.2, "audio and video lengths differ"  # the benchmark measures it exactly
    for hz in (1000, 441):
        assert (got[hz] > 0.01) == (hz in tones), (name, hz, got)
    if len(tones) == 1:
        f = quarters(steady, crossings)
        print("  pitch %.2f Hz (%+.3f %%)" % (f, (f / tones[0] - 1) * 100))
        assert abs(f / tones[0] - 1) < 0.001, "pitch"
        levels[tones[0]] = got[tones[0]]
    else:  # mixed at unity gain: each tone as loud as on its own
        for hz in tones:
            assert abs(got[hz] / levels[hz] - 1) < 0.1, ("level of", hz, got[hz], levels[hz])

s, x = probe(out + "/restart.mp4"), sound(out + "/restart.mp4")
print("restart: audio %.2f s, video %.2f s" % (float(s["audio"]["duration"]), float(s["video"]["duration"])))
assert float(s["audio"]["duration"]) > 4.5 and float(s["video"]["duration"]) > 4.5, "ended early"
assert level(x[-RATE:], 441) > 0.01, "sound not back"
PY
