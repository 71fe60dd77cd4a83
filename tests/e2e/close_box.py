#!/usr/bin/env python3
"""Asks a window to close as its close box does, with no window manager about:
sends it the WM_DELETE_WINDOW message of the WM_PROTOCOLS a window manager
would send. Usage: close_box.py WINDOW_ID (on the display in $DISPLAY)."""
import ctypes
import sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    """XClientMessageEvent, padded to the size of an XEvent."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 12)]


display = x11.XOpenDisplay(None)
if not display:
    sys.exit("close_box.py: cannot open the display")
message = ClientMessage()
message.type = 33  # ClientMessage
message.window = int(sys.argv[1])
message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
message.format = 32
message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, message.window, 0, 0, ctypes.byref(message))
x11.XFlush(display)
x11.XCloseDisplay(display)
