#!/usr/bin/env python3
"""Time from launching the desktop program to its main window being mapped.

Launches each program given (default: the build's zelvane) with the demo document, again
and again, taking turns between the programs so that each sees the same machine load, and
prints the minimum, median and maximum seconds for each. The time ends when the X server
maps the program's first top-level window, seen as the MapNotify event on the root window,
so no polling interval blurs it. Without a display it runs itself under Xvfb:

    bench/launch-time.py [--runs 10] [--document build/demo/demo.zlvm] [PROGRAM...]

Every launch gets settings and data folders of its own, so no saved window placement or
recovery copy carries over from one run to the next, and the user's own stay untouched.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
MAP_NOTIFY = 19
TIMEOUT_SECONDS = 30.0


class XMapEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class XEvent(ctypes.Union):
    # Xlib's XEvent is 24 longs whatever the event.
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


def open_x11():
    name = ctypes.util.find_library("X11")
    if not name:
        sys.exit("libX11 is missing (apt install libx11-6)")
    x11 = ctypes.CDLL(name)
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XPending.argtypes = [ctypes.c_void_p]
    x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
    return x11


def launch_once(x11, display, program, document):
    """Seconds from starting `program` to its first mapped top-level window, or None."""
    home = tempfile.mkdtemp(prefix="zelvane-launch-")
    env = dict(os.environ)
    env.update({"XDG_CONFIG_HOME": os.path.join(home, "config"),
                "XDG_DATA_HOME": os.path.join(home, "data"),
                "XDG_CACHE_HOME": os.path.join(home, "cache"),
                "QT_QPA_PLATFORM": "xcb"})
    # Events queued before the launch (an earlier program's windows) are not this one's.
    x11.XSync(display, 1)
    event = XEvent()
    start = time.monotonic()
    process = subprocess.Popen([program, document], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    mapped = None
    connection = x11.XConnectionNumber(display)
    try:
        while mapped is None:
            left = TIMEOUT_SECONDS - (time.monotonic() - start)
            if left <= 0 or process.poll() is not None:
                break
            if x11.XPending(display) == 0:
                select.select([connection], [], [], min(left, 0.5))
                continue
            x11.XNextEvent(display, ctypes.byref(event))
            if event.type == MAP_NOTIFY and not event.xmap.override_redirect:
                mapped = time.monotonic() - start
    finally:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        shutil.rmtree(home, ignore_errors=True)
    return mapped


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("programs", nargs="*",
                        default=[os.path.join(ROOT, "build/src/app/zelvane")])
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--document", default=os.path.join(ROOT, "build/demo/demo.zlvm"))
    arguments = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        if not shutil.which("xvfb-run"):
            sys.exit("no display and no xvfb-run (apt install xvfb xauth)")
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable,
                   os.path.abspath(__file__)] + sys.argv[1:]
        sys.exit(subprocess.call(command))
    for path in arguments.programs + [arguments.document]:
        if not os.path.exists(path):
            sys.exit(f"{path} does not exist (build it first)")

    x11 = open_x11()
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    x11.XSelectInput(display, x11.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)

    times = {program: [] for program in arguments.programs}
    failed = {program: 0 for program in arguments.programs}
    for _ in range(arguments.runs):
        for program in arguments.programs:
            seconds = launch_once(x11, display, program, arguments.document)
            if seconds is None:
                failed[program] += 1
            else:
                times[program].append(seconds)

    print(f"launch -> window mapped, {arguments.runs} runs each, load {os.getloadavg()[0]:.2f}")
    for program in arguments.programs:
        runs = times[program]
        if not runs:
            print(f"{program}: no window mapped")
            continue
        line = (f"{program}: min {min(runs):.3f} s  median {statistics.median(runs):.3f} s  "
                f"max {max(runs):.3f} s")
        if failed[program]:
            line += f"  ({failed[program]} runs without a window)"
        print(line)
    return 0 if all(times.values()) else 1


if __name__ == "__main__":
    sys.exit(main())
