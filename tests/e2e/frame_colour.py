#!/usr/bin/env python3
# frame_colour.py FILE X,Y,W,H RRGGBB [X,Y,W,H RRGGBB ...]: the middle frame of a recording,
# read back as RGB, shows each colour over its rectangle (frame pixels); exits 1 when not.
import json, subprocess, sys

path, checks = sys.argv[1], sys.argv[2:]
info = json.loads(subprocess.check_output(
    ["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
     "stream=width,height:format=duration", "-of", "json", path]))
width, height = info["streams"][0]["width"], info["streams"][0]["height"]
middle = float(info["format"]["duration"]) / 2
rgb = subprocess.check_output(
    ["ffmpeg", "-v", "error", "-ss", str(middle), "-i", path, "-frames:v", "1",
     "-f", "rawvideo", "-pix_fmt", "rgb24", "-"])
assert len(rgb) == width * height * 3, (len(rgb), width, height)
failed = False
for rect, colour in zip(checks[::2], checks[1::2]):
    x, y, w, h = (int(v) for v in rect.split(","))
    want = [int(colour[i:i + 2], 16) for i in (0, 2, 4)]
    near = total = 0
    for row in range(y, y + h):
        for col in range(x, x + w):
            p = rgb[(row * width + col) * 3:(row * width + col) * 3 + 3]
            near += all(abs(p[c] - want[c]) <= 24 for c in range(3))
            total += 1
    # Chroma subsampling blurs the rectangle's border; its inside must be the colour.
    ok = total > 0 and near >= 0.97 * total
    print(f"{rect}: {near}/{total} pixels near #{colour}", "" if ok else "FAILED")
    failed |= not ok
sys.exit(1 if failed else 0)
