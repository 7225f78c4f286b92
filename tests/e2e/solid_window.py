#!/usr/bin/env python3
# solid_window.py NAME RRGGBB WIDTH HEIGHT: a plain window of one colour, shown until killed.
# Plain libX11 through ctypes, so the tests need no toolkit of their own.
import ctypes, signal, sys, time

name, colour, width, height = sys.argv[1], int(sys.argv[2], 16), int(sys.argv[3]), int(sys.argv[4])
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                    ctypes.c_ulong]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, width, height,
                                 0, 0, colour)
x11.XStoreName(display, window, name.encode())
x11.XMapWindow(display, window)
x11.XFlush(display)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
while True:  # the server paints the background; nothing else to do
    time.sleep(1)
