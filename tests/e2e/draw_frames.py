#!/usr/bin/env python3
# draw_frames.py FILE CHECK...: frames at 1/3 and 2/3 of a recording of the moving test picture
# (tapedeck-testpattern on a 1920 x 1080 desktop) with drawings over it. Checks, each over a
# rectangle X,Y,W,H of both frames:
#   ink=RRGGBB    the colour drawn
#   desktop       the live test picture: the grey ramp, or its moving white bar
#   board         the whiteboard's ground (31, 31, 40)
# and "live": the picture moved between the two frames (its top-left block changes colour and
# its white bar moves along the bottom rows). Exits 1 when a check fails.
import json
import subprocess
import sys

path, checks = sys.argv[1], sys.argv[2:]
info = json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
     "stream=width,height:format=duration", "-of", "json", path]))
W, H = info["streams"][0]["width"], info["streams"][0]["height"]
duration = float(info["format"]["duration"])


def frame(at):
    return subprocess.check_output(
        ["ffmpeg", "-v", "error", "-ss", str(at), "-i", path, "-frames:v", "1",
         "-f", "rawvideo", "-pix_fmt", "rgb24", "-"])


frames = [frame(duration / 3), frame(duration * 2 / 3)]


def near(p, want, tolerance=28):
    return all(abs(p[c] - want[c]) <= tolerance for c in range(3))


def ramp(x, y):
    v = (x + y) * 255 // (W + H)
    return (v, v, v)


def changed(x0, y0, w, h):
    a, b = frames
    n = 0
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w, 2):
            i = (y * W + x) * 3
            n += max(abs(a[i + c] - b[i + c]) for c in range(3)) > 30
    return n / (h * (w // 2))


failed = False
for check in checks:
    if check == "live":
        moved = [changed(40, 40, 400, 200), changed(0, H - 45, W, 4)]
        ok = max(moved) >= 0.01
        print(f"live: changed {moved}", "" if ok else "FAILED")
        failed |= not ok
        continue
    kind, _, rect = check.partition("@")
    x0, y0, w, h = (int(v) for v in rect.split(","))
    for rgb in frames:
        good = total = 0
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                p = rgb[(y * W + x) * 3:(y * W + x) * 3 + 3]
                if kind.startswith("ink="):
                    want = [int(kind[4 + i:6 + i], 16) for i in (0, 2, 4)]
                    good += near(p, want)
                elif kind == "desktop":
                    good += near(p, ramp(x, y), 16) or min(p) > 225
                elif kind == "board":
                    good += near(p, (31, 31, 40), 12)
                total += 1
        ok = good >= 0.97 * total
        print(f"{check}: {good}/{total}", "" if ok else "FAILED")
        failed |= not ok
sys.exit(1 if failed else 0)
