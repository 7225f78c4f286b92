#!/usr/bin/env python3
"""Flashes the X root window white and plays a 1 kHz beep into the default PulseAudio sink at
the same instants, every `period` seconds, until killed.

    av_stimulus.py [period-seconds] [first-event-delay-seconds]

Sound is one continuous low-latency stream of silence and beeps, so each beep is placed in
the stream where the server says it will be played; the flash is drawn when the wall clock
reaches that instant. Prints "event <unix-time>" per event on stdout."""
import ctypes
import math
import struct
import sys
import threading
import time

RATE = 48000
CHUNK = RATE // 100  # 10 ms per write
BEEP = RATE // 10  # 100 ms beep
FLASH = 0.2  # white for 200 ms


class SampleSpec(ctypes.Structure):
    _fields_ = [("format", ctypes.c_int), ("rate", ctypes.c_uint32), ("channels", ctypes.c_uint8)]


class BufferAttr(ctypes.Structure):
    _fields_ = [(n, ctypes.c_uint32) for n in ("maxlength", "tlength", "prebuf", "minreq", "fragsize")]


PA_SAMPLE_S16LE = 3
PA_STREAM_PLAYBACK = 1


def open_pulse():
    pa = ctypes.CDLL("libpulse-simple.so.0")
    pa.pa_simple_new.restype = ctypes.c_void_p
    pa.pa_simple_get_latency.restype = ctypes.c_uint64
    pa.pa_simple_get_latency.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int)]
    pa.pa_simple_write.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
                                   ctypes.POINTER(ctypes.c_int)]
    sample_format = SampleSpec(PA_SAMPLE_S16LE, RATE, 1)
    # 250 ms target buffer: a few ms made the sandbox's server abort once a loopback joined.
    attr = BufferAttr(0xFFFFFFFF, 25 * CHUNK * 2, 0xFFFFFFFF, CHUNK * 2, 0xFFFFFFFF)
    err = ctypes.c_int(0)
    handle = pa.pa_simple_new(None, b"av_stimulus", PA_STREAM_PLAYBACK, None, b"beeps",
                              ctypes.byref(sample_format), None, ctypes.byref(attr), ctypes.byref(err))
    if not handle:
        sys.exit("av_stimulus: cannot connect to PulseAudio (error %d)" % err.value)
    return pa, ctypes.c_void_p(handle)


class Root:
    def __init__(self):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow", "XBlackPixel", "XWhitePixel"):
            getattr(x, name).restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XBlackPixel.argtypes = x.XWhitePixel.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XSetWindowBackground.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
        x.XClearWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x = x
        self.dpy = x.XOpenDisplay(None)
        if not self.dpy:
            sys.exit("av_stimulus: cannot open the X display")
        self.root = x.XDefaultRootWindow(self.dpy)
        self.white = x.XWhitePixel(self.dpy, 0)
        self.black = x.XBlackPixel(self.dpy, 0)
        self.paint(False)

    def paint(self, white):
        self.x.XSetWindowBackground(self.dpy, self.root, self.white if white else self.black)
        self.x.XClearWindow(self.dpy, self.root)
        self.x.XSync(self.dpy, 0)


def flash_at(root, when):
    time.sleep(max(0.0, when - time.time()))
    root.paint(True)
    time.sleep(FLASH)
    root.paint(False)


def main():
    period = float(sys.argv[1]) if len(sys.argv) > 1 else 10.0
    first = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
    root = Root()
    pa, stream = open_pulse()
    beep = [int(12000 * math.sin(2 * math.pi * 1000 * i / RATE)) for i in range(BEEP)]
    err = ctypes.c_int(0)
    next_event = time.time() + first
    pending = []  # beep samples still to write
    while True:
        # The first sample of this chunk is heard after everything already queued.
        heard = time.time() + pa.pa_simple_get_latency(stream, ctypes.byref(err)) / 1e6
        samples = [0] * CHUNK
        start = int(round((next_event - heard) * RATE))
        if start < CHUNK:
            start = max(start, 0)
            event = heard + start / RATE
            print("event %.6f" % event, flush=True)
            threading.Thread(target=flash_at, args=(root, event), daemon=True).start()
            pending = beep[:]
            next_event += period
            samples[start:] = pending[:CHUNK - start]
            pending = pending[CHUNK - start:]
        elif pending:
            n = min(CHUNK, len(pending))
            samples[:n] = pending[:n]
            pending = pending[n:]
        if pa.pa_simple_write(stream, struct.pack("<%dh" % CHUNK, *samples), CHUNK * 2,
                              ctypes.byref(err)) < 0:
            sys.exit("av_stimulus: write failed (error %d)" % err.value)


if __name__ == "__main__":
    main()
