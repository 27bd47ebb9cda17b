#!/usr/bin/env python3
"""What a blind clerk hears: the real program read by the screen reader Orca.

Run inside a private session bus (run.sh). It starts Xvfb, the accessibility
bus, the window manager openbox, Orca (through orca_run.py, which logs what
Orca would say and speaks nothing) and the program given as the first
argument; then it types a slip with the keyboard only and checks the
"SPEECH OUTPUT:" lines of Orca's debug log after each step. Every wait is for
what Orca says, with generous limits, so that a loaded machine only makes it
slower. Exits 1 after the first failed group of checks, listing every failure
in it. With --explore it prints what is heard after each step instead.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from desktop import fail, start_display

HERE = os.path.dirname(os.path.abspath(__file__))
EXPLORE = "--explore" in sys.argv
LIMIT = float(os.environ.get("ORCA_TEST_WAIT", "30"))  # seconds for any one utterance


class Orca:
    """Orca's debug log, read as it grows."""

    def __init__(self, path):
        self.path = path
        self.seen = 0  # utterances already handed out
        self.all = []

    def utterances(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                lines = log.read().split("\n")
        except FileNotFoundError:
            return []
        said = []
        for line in lines[:-1]:  # the last line may be half written
            m = re.search(r"SPEECH OUTPUT: '(.*?)'", line)
            if m:
                said.append(m.group(1))
        self.all = said
        return said

    def log_text(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def wait(self, what, seconds=LIMIT, quiet=0.8):
        """Waits until what (a regular expression) has been said since the
        last wait, then until Orca has been quiet for a moment; returns all
        it said since the last wait, as one string of utterances joined by
        " | "."""
        end = time.monotonic() + seconds
        while True:
            heard = " | ".join(self.utterances()[self.seen:])
            if re.search(what, heard):
                break
            if time.monotonic() > end:
                self.seen = len(self.all)
                return None, heard
            time.sleep(0.05)
        count = len(self.all)
        still = time.monotonic()
        while time.monotonic() - still < quiet:
            time.sleep(0.05)
            if len(self.utterances()) != count:
                count = len(self.all)
                still = time.monotonic()
        heard = " | ".join(self.all[self.seen:])
        self.seen = len(self.all)
        return heard, heard


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120"] + list(names), check=True)


def main():
    program = sys.argv[1]
    home = tempfile.mkdtemp(prefix="quorvel-orca-")
    processes = []
    app = None
    try:
        processes.append(start_display())
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
                   XDG_DATA_HOME=home + "/data", XDG_CACHE_HOME=home + "/cache",
                   XDG_RUNTIME_DIR=home, GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="0")
        os.chmod(home, 0o700)
        processes.append(subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env))
        processes.append(subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        log = os.path.join(home, "orca-debug.out")
        orca_env = dict(env, PYTHONDONTWRITEBYTECODE="1")
        processes.append(subprocess.Popen(
            ["/usr/bin/python3", os.path.join(HERE, "orca_run.py"), log,
             "--user-prefs", home + "/orca", "--disable", "braille"],
            env=orca_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        orca = Orca(log)
        end = time.monotonic() + LIMIT * 2
        while "ORCA: Startup complete" not in orca.log_text():
            if processes[-1].poll() is not None or time.monotonic() > end:
                tail = orca.log_text()[-2000:]
                fail(["Orca did not start (exit %s): %s" % (processes[-1].poll(), tail)])
            time.sleep(0.1)
        app = subprocess.Popen([program], env=dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                                   QT_QPA_PLATFORM="xcb"))
        run_checks(orca)
    finally:
        if app is not None:
            app.terminate()
            try:
                app.wait(timeout=10)
            except subprocess.TimeoutExpired:
                app.kill()
        for p in reversed(processes):
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
        if os.environ.get("ORCA_TEST_KEEP_LOG"):
            shutil.copy(os.path.join(home, "orca-debug.out"), os.environ["ORCA_TEST_KEEP_LOG"])
        shutil.rmtree(home, ignore_errors=True)


def run_checks(orca):
    problems = []

    def step(description, key_names, expect, must=(), must_not=()):
        """Presses the keys, waits until Orca has said expect, and checks
        that all it said matches every pattern of must and none of must_not."""
        if key_names:
            keys(*key_names)
        got, heard = orca.wait(expect)
        if EXPLORE:
            print("%-28s %s" % (description, heard))
        if got is None:
            problems.append("%s: waited for %r, heard %r" % (description, expect, heard))
            return heard
        for pattern in must:
            if not re.search(pattern, heard):
                problems.append("%s: %r not heard in %r" % (description, pattern, heard))
        for pattern in must_not:
            if re.search(pattern, heard):
                problems.append("%s: %r heard in %r" % (description, pattern, heard))
        return heard

    def check(group):
        if problems and not EXPLORE:
            fail(["%s: %s" % (group, p) for p in problems])
        problems.clear()

    # The window opens with the focus on the first count button.
    step("start", [], r"selected radio button",
         must=[r"Quorvel for Windows V1\.3 dialog\. \| No of Selections panel"])
    # The count buttons: the focus stays on them, whatever lists refill.
    step("Right to 2", ["Right"], r"radio button", must=[r"\b2\b"], must_not=[r"combo box"])
    step("Left to 1", ["Left"], r"radio button", must=[r"\b1\b"], must_not=[r"combo box"])
    check("count buttons")

    # Every list is heard with its value.
    step("Tab to Tax Paid", ["Tab"], r"Tax Paid check box")
    step("Tab to the stake", ["Tab"], r"Stake \(pence per unit\) text")
    step("type 100", ["1", "0", "0"], r"0.*0")
    step("Tab to Each Way", ["Tab"], r"Each Way combo box", must=[r"Win"])
    # An edit box is heard by its name, then its text; leaving it says nothing.
    step("back to the stake", ["shift+Tab"], r"Stake",
         must=[r"Stake \(pence per unit\) text\. \| 100 selected\."],
         must_not=[r"100.*Stake", r"Stake.*100.*100"])
    step("on to Each Way", ["Tab"], r"Each Way combo box", must_not=[r"selected"])
    step("Down to E/D", ["Down"], r"E/D", must_not=[r"Result \d combo box"])
    step("Up to Win", ["Up"], r"Win", must_not=[r"Result \d combo box"])
    step("Tab to Bet", ["Tab"], r"Bet combo box", must=[r"Single"])
    check("lists")

    # A row's controls are heard by their own names.
    step("Tab to Total stake", ["Tab"], r"Total stake read only")
    step("Tab to row 1's result", ["Tab"], r"Result 1 combo box", must=[r"Lost"])
    step("Down to Won", ["Down"], r"Won")
    step("Tab to row 1's price", ["Tab"], r"combo box", must=[r"Result 1 Price combo box"],
         must_not=[r"Result 1 combo box"])
    step("Tab to row 1's odds-on", ["Tab"], r"check box",
         must=[r"Result 1 Odds-on check box not checked"])
    step("Tab to row 1's Rule 4", ["Tab"], r"combo box", must=[r"Result 1 Rule 4 combo box"])
    check("row names")

    # Settle: the amounts are said at once, and the focus stays in the list.
    step("Enter settles", ["Return"], r"Returns £",
         must=[r"Total stake £1\.09\. Returns £2\.00\."], must_not=[r"push button", r"Clear"])
    step("Down in Rule 4", ["Down"], r"5p per £", must_not=[r"Returns"])
    step("Settle again", ["Return"], r"Returns £", must=[r"Returns £1\.95\."])
    step("and again", ["Return"], r"Returns £", must=[r"Returns £1\.95\."])
    check("settle")

    # The menus: the focus goes from menu to menu, not back into the window.
    step("F10", ["F10"], r"Options", must_not=[r"combo box|push button"])
    step("Right to Help", ["Right"], r"Contents", must_not=[r"combo box|push button"])
    step("Esc leaves the menus", ["Escape", "Escape"], r"Rule 4 combo box")
    check("menus")

    # The dialogs: named, with the focus in them, and back on Esc.
    step("Help menu", ["alt+h"], r"Contents")
    step("About", ["b"], r"About this Program dialog",
         must=[r"About this Program dialog Quorvel for Windows\. Version 1\.3\.", r"OK push button"])
    step("Escape", ["Escape"], r"Quorvel for Windows V1\.3 dialog", must=[r"Rule 4"])
    step("Options menu", ["alt+o"], r"Preferences")
    # The working's tables: each by its name, a row with its headings and place.
    step("Show Working", ["w"], r"1 of 6",
         must=[r"Working dialog", r"Bets: 1", r"Returns: £1\.95",
               r"Lines\. \| table with 6 rows 5 columns", r"Line 1\. \| Kind single\. \| Rows 1\."])
    step("Down in Lines", ["Down"], r"of 6", must=[r"Total £1\.9500, 2 of 6"])
    step("Up in Lines", ["Up"], r"of 6", must=[r"Line 1\. \| Kind single\..*1 of 6"])
    step("to the Selections", ["shift+Tab"], r"Selections", must=[r"table with 1 row 5 columns"])
    step("Escape", ["Escape"], r"Quorvel for Windows V1\.3 dialog", must=[r"Rule 4"])
    step("Options menu", ["alt+o"], r"Preferences")
    step("Preferences", ["p"], r"Preferences dialog")
    step("Tab", ["Tab"], r"Cancel push button")
    step("Tab to the tax rate", ["Tab"], r"Tax Rate \(%\) text\. \| 9 selected")
    # The Lucky boxes, each heard by its column and its bet.
    for lucky in ("15", "31", "63"):
        step("Tab", ["Tab"], r"text", must=[r"Consolation odds Lucky %s text" % lucky])
        step("Tab", ["Tab"], r"text", must=[r"All-Winner bonus \(%%\) Lucky %s text" % lucky])
    step("Escape", ["Escape"], r"Quorvel for Windows V1\.3 dialog")
    check("dialogs")
    print("Orca checks passed")


if __name__ == "__main__":
    main()
