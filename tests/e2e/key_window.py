#!/usr/bin/env python3
# key_window.py NAME LOG [GRAB]: a window that appends the key code of every key press it gets
# to LOG. With GRAB (a key symbol such as "3"), it first holds Super+GRAB on the root window,
# as another program's hotkey would. Shown until killed.
import ctypes, signal, sys

from x11window import named_window, open_display, x11

name, log = sys.argv[1], sys.argv[2]
grab = sys.argv[3] if len(sys.argv) > 3 else None
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong,
                         ctypes.c_int, ctypes.c_int, ctypes.c_int]

KEY_PRESS, KEY_PRESS_MASK, MOD4, GRAB_ASYNC = 2, 1, 1 << 6, 1
display = open_display()
root = x11.XDefaultRootWindow(display)
if grab:
    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(grab.encode()))
    x11.XGrabKey(display, code, MOD4, root, 0, GRAB_ASYNC, GRAB_ASYNC)
window = named_window(display, name, 300, 200, 0x808080)
x11.XSelectInput(display, window, KEY_PRESS_MASK)
x11.XMapWindow(display, window)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
event = ctypes.create_string_buffer(192)
while True:
    x11.XNextEvent(display, event)
    if int.from_bytes(event.raw[0:4], "little") == KEY_PRESS:
        # XKeyEvent: the key code follows the modifier state, 84 bytes in on 64-bit systems.
        with open(log, "a") as out:
            out.write(f"{int.from_bytes(event.raw[84:88], 'little')}\n")
