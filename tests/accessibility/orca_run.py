"""Runs the screen reader Orca, for tests, with its debug log written line
by line and no speech server: what it would say is only written to the log,
as "SPEECH OUTPUT:" lines. It neither renames its process to "orca" nor
looks for other Orcas of the same user, so that it runs beside a person's
own screen reader and other tests' without touching them.

    python3 orca_run.py DEBUG_FILE [orca arguments...]
"""

import builtins
import os
import runpy
import sys

debug_file = sys.argv[1]
real_open = builtins.open


def line_buffered_open(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        return real_open(file, mode, buffering=1, encoding="utf-8")
    return real_open(file, mode, *args, **kwargs)


builtins.open = line_buffered_open

import orca.debug  # noqa: E402
import orca.speech  # noqa: E402  (after open is patched, before Orca starts)

# Without a sound device a speech server can hang; the log is all a test reads.
orca.speech.init = lambda: None

# Orca logs everything once it has a debug file, which slows it enough under
# load for the program's keys to wait on it: keep what was said, and errors.
if not os.environ.get("ORCA_TEST_FULL_LOG"):
    full_println = orca.debug.println

    def println(level, text="", timestamp=False):
        if level >= orca.debug.LEVEL_WARNING or text.startswith(("SPEECH OUTPUT", "ORCA: ")):
            full_println(level, text, timestamp)

    orca.debug.println = println

sys.argv = ["orca", "--debug-file", debug_file] + sys.argv[2:]
launcher = runpy.run_path("/usr/bin/orca", run_name="orca_launcher")["main"]
launcher.__globals__["setProcessName"] = lambda name: None
launcher.__globals__["otherOrcas"] = lambda: []
sys.exit(launcher())
