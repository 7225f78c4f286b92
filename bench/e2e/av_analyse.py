#!/usr/bin/env python3
"""Reads a recording of av_stimulus.py and prints, per event, when the white flash appears in
the video and when the beep starts in the sound, the offset between the two (positive: sound
later than picture), and the two streams' durations.

    av_analyse.py FILE [period-seconds]

The flash is seen on the first frame grabbed after it, so each video time is up to one frame
period late; the offsets carry that error."""
import array
import json
import subprocess
import sys

CROP = "crop=64:64:100:100"  # away from the pointer in the middle of the screen
LEVEL = 128  # mean luma between black and white
THRESHOLD = 3000  # beeps peak near 12000, silence is 0
QUIET = 1.0  # a beep starts after this many quiet seconds


def probe(path):
    out = subprocess.run(["ffprobe", "-v", "error", "-show_entries",
                          "stream=codec_type,start_time,duration,sample_rate,avg_frame_rate,nb_frames",
                          "-of", "json", path], check=True, capture_output=True, text=True)
    streams = {s["codec_type"]: s for s in json.loads(out.stdout)["streams"]}
    return streams["video"], streams["audio"]


def flashes(path):
    out = subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-i", path, "-map", "0:v:0", "-vf",
                          CROP + ",signalstats,metadata=print:key=lavfi.signalstats.YAVG:file=-",
                          "-f", "null", "-"], check=True, capture_output=True, text=True)
    times, t, lit = [], None, False
    for line in out.stdout.splitlines():
        if line.startswith("frame:"):
            t = float(line.split("pts_time:")[1])
        elif line.startswith("lavfi.signalstats.YAVG="):
            bright = float(line.split("=")[1]) > LEVEL
            if bright and not lit:
                times.append(t)
            lit = bright
    return times


def decoded(path, filters):
    raw = subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-i", path, "-map", "0:a:0", "-ac", "1",
                          "-af", filters, "-f", "s16le", "-acodec", "pcm_s16le", "-"], check=True,
                         capture_output=True).stdout
    samples = array.array("h")
    samples.frombytes(raw)
    return samples


def pitch(x, rate):
    """Frequency from the upward zero crossings (interpolated), None when there are too few."""
    ups = [i - 1 + x[i - 1] / (x[i - 1] - x[i]) for i in range(1, len(x)) if x[i - 1] < 0 <= x[i]]
    return (len(ups) - 1) * rate / (ups[-1] - ups[0]) if len(ups) > 10 else None


def beeps(path, rate, start):
    # Above 800 Hz only: with the microphone recorded too, its 441 Hz tone is not a beep.
    samples = decoded(path, "highpass=f=800,highpass=f=800")
    block = rate // 100
    times, last_loud = [], -10 * rate
    for b in range(0, len(samples), block):
        chunk = samples[b:b + block]
        if max(chunk) < THRESHOLD and -min(chunk) < THRESHOLD:
            continue
        first = next(i for i, v in enumerate(chunk) if abs(v) >= THRESHOLD) + b
        if first - last_loud > QUIET * rate:
            times.append(start + first / rate)
        last_loud = b + block
    # The beep's pitch, from the middle of each beep.
    tones = [pitch(samples[int((t - start) * rate) + rate // 50:int((t - start) * rate) + rate // 12], rate)
             for t in times]
    return times, len(samples) / rate, [t for t in tones if t]


def main():
    path = sys.argv[1]
    period = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    video, audio = probe(path)
    fps = eval(video["avg_frame_rate"])
    rate = int(audio["sample_rate"])
    seen = flashes(path)
    heard, length, tones = beeps(path, rate, float(audio.get("start_time", 0)))
    if tones:
        print("beep pitch %.2f Hz (%+.3f %% of 1000 Hz), over %d beeps" %
              (sorted(tones)[len(tones) // 2], (sorted(tones)[len(tones) // 2] / 1000 - 1) * 100, len(tones)))
    # A steady microphone tone below the beeps (441 Hz in the sandbox), if one was recorded.
    low = decoded(path, "lowpass=f=600,lowpass=f=600")
    quarters = sorted(p for p in (pitch(low[a:a + rate // 4], rate) for a in range(0, len(low) - rate // 4, rate // 4)) if p)
    if quarters and max(abs(v) for v in low[:rate * 5]) > 1000:
        f = quarters[len(quarters) // 2]
        print("microphone tone pitch %.3f Hz (%+.3f %% of 441 Hz)" % (f, (f / 441 - 1) * 100))
    pairs = []
    for f in seen:
        near = min(heard, key=lambda a: abs(a - f), default=None)
        if near is not None and abs(near - f) < period / 2:
            pairs.append((f, near))
    print("%d flashes, %d beeps, %d paired; %.3f fps, audio %d Hz" %
          (len(seen), len(heard), len(pairs), fps, rate))
    for f, a in pairs:
        print("  flash %8.3f s  beep %8.3f s  offset %+7.1f ms" % (f, a, (a - f) * 1000))
    if pairs:
        offsets = [(a - f) * 1000 for f, a in pairs]
        print("offset at start %+.1f ms, at end %+.1f ms, drift %+.1f ms, min %+.1f max %+.1f ms" %
              (offsets[0], offsets[-1], offsets[-1] - offsets[0], min(offsets), max(offsets)))
    vs, vd = float(video.get("start_time", 0)), float(video["duration"])
    as_, ad = float(audio.get("start_time", 0)), float(audio["duration"])
    print("video start %.3f s duration %.3f s (%s frames); audio start %.3f s duration %.3f s "
          "(decoded %.3f s)" % (vs, vd, video.get("nb_frames", "?"), as_, ad, length))
    print("duration difference audio - video %+.3f s = %+.1f frames" % (ad - vd, (ad - vd) * fps))


if __name__ == "__main__":
    main()
