#!/usr/bin/env python3
# solid_window.py NAME RRGGBB WIDTH HEIGHT: a plain window of one colour, shown until killed.
import ctypes, signal, sys, time

from x11window import named_window, open_display, x11

name, colour, width, height = sys.argv[1], int(sys.argv[2], 16), int(sys.argv[3]), int(sys.argv[4])
x11.XFlush.argtypes = [ctypes.c_void_p]

display = open_display()
x11.XMapWindow(display, named_window(display, name, width, height, colour))
x11.XFlush(display)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
while True:  # the server paints the background; nothing else to do
    time.sleep(1)
