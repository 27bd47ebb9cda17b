#!/usr/bin/env python3
"""The main window as a screen reader meets it: the real program on its own X
display, read and driven over a private accessibility bus with pyatspi.

Run inside a private session bus (run.sh). It starts Xvfb, the accessibility
bus and registry, and the program given as the first argument; then it checks
every control's role, name, states and labels, settles a slip made through
accessibility actions only, and checks what a screen reader hears on the way.
Exits 1 on the first failed check group, listing every failure in it.
"""

import os
import subprocess
import sys
import time

from desktop import fail, start_display


def wait_for(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail(["timed out waiting for " + what])


def main():
    program = sys.argv[1]
    processes = [start_display()]
    processes.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
    time.sleep(0.5)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    app = subprocess.Popen([program], env=env)
    try:
        run_checks()
    finally:
        app.terminate()
        try:
            app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            app.kill()
        for p in reversed(processes):
            p.terminate()
            p.wait(timeout=10)


def run_checks():
    import pyatspi
    from gi.repository import GLib

    def find_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == "quorvel" and a.childCount > 0:
                return a
        return None

    application = wait_for("the program on the accessibility bus", find_app)
    window = wait_for("the main window", lambda: next(
        (w for w in application if w is not None and w.name == "Quorvel for Windows V1.3"), None))

    def descendants(node):
        for child in node:
            if child is None:
                continue
            yield child
            if child.getRole() != pyatspi.ROLE_COMBO_BOX:
                yield from descendants(child)

    def controls():
        return {(c.name, c.getRole()): c for c in descendants(window)}

    def by_name(name, role, within=None):
        found = {(c.name, c.getRole()): c for c in descendants(within or window)}.get((name, role))
        if found is None:
            fail(["no %s named %r" % (role, name)])
        return found

    def states(node):
        return node.getState()

    def labels(node, kind=pyatspi.RELATION_LABELLED_BY):
        names = []
        for relation in node.getRelationSet():
            if relation.getRelationType() == kind:
                names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return names

    def selected(combo):
        items = combo.getChildAtIndex(0)
        return [item.name for item in items
                if item is not None and states(item).contains(pyatspi.STATE_SELECTED)]

    def text_of(node):
        t = node.queryText()
        return t.getText(0, t.characterCount)

    def actions(node):
        try:
            a = node.queryAction()
        except NotImplementedError:
            return []
        return [a.getName(i) for i in range(a.nActions)]

    def act(node, name):
        a = node.queryAction()
        for i in range(a.nActions):
            if a.getName(i).lower() == name:
                a.doAction(i)
                return
        fail(["%r offers no %s action (has %s)" % (node.name, name, actions(node))])

    def settle_events(seconds):
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while context.iteration(False):
                pass
            time.sleep(0.02)

    def until(what, probe, seconds=15):
        """Lets the program and the bus work until probe() holds."""
        end = time.monotonic() + seconds
        while not probe():
            if time.monotonic() > end:
                fail(["timed out waiting until " + what])
            settle_events(0.05)
        settle_events(0.2)

    def focused(node):
        return lambda: states(node).contains(pyatspi.STATE_FOCUSED)

    COMBO, RADIO, CHECK, PUSH = (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_RADIO_BUTTON,
                                 pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_PUSH_BUTTON)
    TEXTS = (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)

    # --- The window and every control: role, name, labels, focusable.
    problems = []
    if window.getRole() != pyatspi.ROLE_DIALOG:
        problems.append("the main window is a %s, not a dialog" % window.getRoleName())
    expected = [(str(n), RADIO, None) for n in range(1, 7)]
    expected += [("Tax Paid", CHECK, None), ("Bet", COMBO, "Bet"),
                 ("Each Way", COMBO, "Each Way"), ("Clear", PUSH, None), ("Settle", PUSH, None)]
    # A control named after its row and its column is labelled by neither:
    # a screen reader would say the first label in the place of its name.
    for row in range(1, 7):
        r = "Result %d" % row
        expected += [(r, COMBO, r), (r + " Price", COMBO, ""), (r + " Odds-on", CHECK, ""),
                     (r + " Rule 4", COMBO, ""), (r + " Place odds", COMBO, "")]
    found = controls()
    for name, role, label in expected:
        node = found.get((name, role))
        if node is None:
            problems.append("no %s named %r" % (role, name))
            continue
        if label == "" and labels(node):
            problems.append("%r is labelled by %s" % (name, labels(node)))
        elif label and label not in labels(node):
            problems.append("%r is not labelled by %r (%s)" % (name, label, labels(node)))
        if states(node).contains(pyatspi.STATE_ENABLED) and \
                not states(node).contains(pyatspi.STATE_FOCUSABLE):
            problems.append("%r cannot take the focus" % name)
    for name in ("Stake (pence per unit)", "Total stake", "Returns"):
        node = next((found[(name, r)] for r in TEXTS if (name, r) in found), None)
        if node is None:
            problems.append("no edit box named %r" % name)
        elif not states(node).contains(pyatspi.STATE_FOCUSABLE):
            problems.append("%r cannot take the focus" % name)
        elif states(node).contains(pyatspi.STATE_READ_ONLY) == name.startswith("Stake"):
            problems.append("%r is wrongly %s" % (
                name, "read-only" if name.startswith("Stake") else "open to typing"))
    # The count buttons are one group, which their label names and labels.
    group = found[("1", RADIO)].parent
    members = [(c.name, c.getRole(), c.getIndexInParent()) for c in group]
    if (group.name, group.getRole(), labels(group)) != (
            "No of Selections", pyatspi.ROLE_PANEL, ["No of Selections"]) or \
            members != [(str(n), RADIO, n - 1) for n in range(1, 7)]:
        problems.append("the count buttons' group is a %s named %r labelled by %s, holding %s" % (
            group.getRoleName(), group.name, labels(group), members))
    # Each label names its controls back ("label for"), as they name it.
    for label, named in [("No of Selections", ["No of Selections"]),
                         ("Result 1", ["Result 1", "Result 1 Price", "Result 1 Odds-on"])]:
        node = found.get((label, pyatspi.ROLE_LABEL))
        if node is None:
            problems.append("no label %r" % label)
        elif not set(named) <= set(labels(node, pyatspi.RELATION_LABEL_FOR)):
            problems.append("%r is the label for %s, not all of %s" % (
                label, labels(node, pyatspi.RELATION_LABEL_FOR), named))
    combos = [n for (n, role) in found if role == COMBO]
    if len(combos) != 26:
        problems.append("%d drop-down lists, not 26: %s" % (len(combos), combos))
    unnamed = [c.getRoleName() for c in found.values()
               if not c.name and c.getRole() not in
               (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_MENU_BAR)]
    if unnamed:
        problems.append("unnamed controls: %s" % unnamed)
    if problems:
        fail(problems)

    # --- Actions reach the program's own state, or are refused.
    problems = []
    price2 = by_name("Result 2 Price", COMBO)
    if actions(price2):
        problems.append("the disabled price list of row 2 offers %s" % actions(price2))
    total = [found[("Total stake", r)] for r in TEXTS if ("Total stake", r) in found][0]
    try:
        total.queryEditableText().insertText(0, "99", 2)
        settle_events(0.5)
    except NotImplementedError:
        pass  # offers no editing at all
    if text_of(total) != "":
        problems.append("text went into the read-only total stake box: %r" % text_of(total))

    text_removed = []
    pyatspi.Registry.registerEventListener(
        lambda e: text_removed.append(e.source.name), "object:text-changed:delete")
    names_changed = []
    pyatspi.Registry.registerEventListener(
        lambda e: names_changed.append(e.source.name), "object:property-change:accessible-name")
    values = []
    pyatspi.Registry.registerEventListener(
        lambda e: values.append(e.source.name), "object:property-change:accessible-value")
    settle_events(0.5)

    tax = by_name("Tax Paid", CHECK)
    act(tax, "toggle")
    stake = [found[("Stake (pence per unit)", r)] for r in TEXTS
             if ("Stake (pence per unit)", r) in found][0]
    # A keystroke is heard as one character typed, nothing else.
    stake.queryComponent().grabFocus()
    until("the stake box has the focus", focused(stake))
    subprocess.run(["xdotool", "type", "5"], check=True)
    until("5 is typed", lambda: text_of(stake) != "")
    if names_changed:
        problems.append("ticking and typing renamed %s" % names_changed)
    if text_removed:
        problems.append("a keystroke was heard as text removed from %s" % text_removed)
    if text_of(stake) != "5":
        problems.append("the stake box reads %r after typing 5" % text_of(stake))
    subprocess.run(["xdotool", "key", "BackSpace"], check=True)
    until("the stake box is empty again", lambda: text_of(stake) == "")
    stake.queryEditableText().insertText(0, "100", 3)
    until("100 is put in", lambda: text_of(stake) != "")
    # The result and price, chosen with the keyboard in lists the focus was
    # moved to through the accessibility interface.
    result = by_name("Result 1", COMBO)
    result.queryComponent().grabFocus()
    until("the result list has the focus", focused(result))
    price = by_name("Result 1 Price", COMBO)
    subprocess.run(["xdotool", "key", "Down"], check=True)
    until("Won enables the price list", lambda: actions(price) != [])
    # What a screen reader reads on a list's change is the item its list
    # has selected: the new one.
    if selected(result) != ["Won"]:
        problems.append("after Down the result list announces %s" % selected(result))
    items = [price.getChildAtIndex(0).getChildAtIndex(i).name
             for i in range(price.getChildAtIndex(0).childCount)]
    if "2/1" not in items:
        fail(["the price list reads %s" % items[:10]])
    price.queryComponent().grabFocus()
    until("the price list has the focus", focused(price))
    subprocess.run(["xdotool", "key", "--delay", "50"] + ["Down"] * items.index("2/1"), check=True)
    settle_events(1.0)
    values.clear()
    returns = [found[("Returns", r)] for r in TEXTS if ("Returns", r) in found][0]
    act(by_name("Settle", PUSH), "press")
    until("the slip is settled", lambda: text_of(returns) != "")
    got = (text_of(stake), states(tax).contains(pyatspi.STATE_CHECKED), text_of(total),
           text_of(returns))
    if got != ("100", False, "\u00a31.00", "\u00a32.73"):
        problems.append("stake %r, tax paid %s: total stake %r, returns %r (want 100, unticked, "
                        "\u00a31.00, \u00a32.73)" % got)
    for name in ("Total stake", "Returns"):
        if name not in values:
            problems.append("nothing announced the new %s (value changes: %s)" % (name, values))
    if problems:
        fail(problems)

    # --- The working's two tables: each named for what it holds, a table whose
    # cells know their column headings and row, followed as the focus moves.
    problems = []
    act(by_name("Show Working...", pyatspi.ROLE_MENU_ITEM), "press")
    working = wait_for("the Working dialog", lambda: next(
        (w for w in application if w is not None and w.name == "Working"), None))
    tables = [c for c in descendants(working) if c.getRole() == pyatspi.ROLE_TABLE]
    if [t.name for t in tables] != ["Selections", "Lines"]:
        fail(["the Working dialog's tables are %s" % [(c.name, c.getRoleName())
              for c in descendants(working) if c.childCount > 3]])
    lines = tables[1]
    grid = lines.queryTable()
    headings = [grid.getColumnHeader(c).name for c in range(grid.nColumns)]
    if headings != ["Line", "Kind", "Rows", "Amount", "Total"]:
        problems.append("the Lines table's headings are %s" % headings)
    if grid.nRows < 1:
        problems.append("the Lines table is empty")
    else:
        # What a screen reader asks of a cell: its row and column, and the
        # column's heading.
        kind = grid.getAccessibleAt(0, 1)
        at = kind.getIndexInParent()
        heard = (kind.getRoleName(), kind.name, grid.getRowAtIndex(at), grid.getColumnAtIndex(at),
                 grid.getColumnHeader(grid.getColumnAtIndex(at)).name)
        if heard != ("table cell", "Kind single", 0, 1, "Kind"):
            problems.append("row 1's kind cell reads %s" % (heard,))
        if not states(grid.getAccessibleAt(0, 0)).contains(pyatspi.STATE_SELECTED):
            problems.append("the Lines table's first row is not selected")

    def focused_row():
        for i in range(lines.childCount):
            cell = lines.getChildAtIndex(i)
            if cell is not None and states(cell).contains(pyatspi.STATE_FOCUSED):
                return grid.getRowAtIndex(i)
        return None

    until("the Lines table has the focus", lambda: focused_row() == 0)
    # Down moves the core's selection, and the focus follows it to row 2.
    subprocess.run(["xdotool", "key", "Down"], check=True)
    until("Down focuses row 2", lambda: focused_row() == 1)
    if not states(grid.getAccessibleAt(1, 3)).contains(pyatspi.STATE_SELECTED) or states(
            grid.getAccessibleAt(0, 3)).contains(pyatspi.STATE_SELECTED):
        problems.append("after Down the Lines table does not select row 2 alone")
    act(by_name("Close", PUSH, working), "press")
    until("the Working dialog closes", lambda: not any(
        w is not None and w.name == "Working" for w in application))
    if problems:
        fail(problems)

    # --- A count button toggled through the interface is a click on it.
    problems = []
    act(by_name("No of Selections", pyatspi.ROLE_PANEL).getChildAtIndex(2), "toggle")
    until("3 is checked", lambda: states(by_name("3", RADIO)).contains(pyatspi.STATE_CHECKED))
    checked = [n for n in "123456" if states(by_name(n, RADIO)).contains(pyatspi.STATE_CHECKED)]
    if checked != ["3"]:
        problems.append("after toggling 3 the checked buttons are %s" % checked)
    if actions(by_name("Result 3", COMBO)) == []:
        problems.append("row 3 stayed disabled after the count became 3")
    if problems:
        fail(problems)

    # --- Preferences and the About box: named modal dialogs, every box named.
    problems = []

    def open_dialog(item, name):
        act(by_name(item, pyatspi.ROLE_MENU_ITEM), "press")
        return wait_for(name, lambda: next(
            (w for w in application if w is not None and w.name == name), None))

    preferences = open_dialog("Preferences", "Preferences")
    boxes = [("Tax Rate (%)", ["Tax Rate (%)"])]
    for lucky in ("Lucky 15", "Lucky 31", "Lucky 63"):
        boxes += [("Consolation odds " + lucky, []), ("All-Winner bonus (%) " + lucky, [])]
    inside = {(c.name, c.getRole()): c for c in descendants(preferences)}
    for name, label in boxes:
        node = next((inside[(name, r)] for r in TEXTS if (name, r) in inside), None)
        if node is None:
            problems.append("Preferences has no box named %r" % name)
        elif labels(node) != label:
            problems.append("%r is labelled by %s, not %s" % (name, labels(node), label))
        for arrow in (name + " up", name + " down"):
            if not any(n == arrow for (n, _) in inside):
                problems.append("Preferences has no arrow named %r" % arrow)
    for dialog in (preferences,):
        if dialog.getRole() != pyatspi.ROLE_DIALOG or not states(dialog).contains(
                pyatspi.STATE_MODAL):
            problems.append("%r is not a modal dialog" % dialog.name)
    act(by_name("Cancel", PUSH, preferences), "press")
    about = open_dialog("About", "About this Program")
    if about.getRole() != pyatspi.ROLE_DIALOG or not states(about).contains(pyatspi.STATE_MODAL):
        problems.append("the About box is not a modal dialog")
    act(by_name("OK", PUSH, about), "press")
    # Help > Contents, read with the key that opens the guide from every window.
    contents = by_name("Contents", pyatspi.ROLE_MENU_ITEM)
    keys = [contents.queryAction().getKeyBinding(i)
            for i in range(contents.queryAction().nActions)]
    if not any("F1" in k for k in keys):
        problems.append("Help > Contents does not tell its key F1 (%r)" % keys)
    if problems:
        fail(problems)
    print("screen reader checks passed")


if __name__ == "__main__":
    main()
