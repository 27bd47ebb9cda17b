"""What both screen-reader tests need first: a way to fail with reasons, and a
virtual X display of their own."""

import os
import subprocess
import sys


def fail(problems):
    for p in problems:
        print("FAIL:", p, file=sys.stderr)
    sys.exit(1)


def start_display():
    """Starts Xvfb on a free display, sets DISPLAY to it and returns the process."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            fail(["Xvfb did not start"])
        number += chunk
    os.close(read)
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    return xvfb
