# Plain libX11 through ctypes for the tests' own windows, so they need no toolkit.
import ctypes, sys

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


def open_display():
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    return display


def named_window(display, name, width, height, colour):
    """An unmapped top-level window at the origin, titled NAME, of one background colour."""
    window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, width,
                                     height, 0, 0, colour)
    x11.XStoreName(display, window, name.encode())
    return window
