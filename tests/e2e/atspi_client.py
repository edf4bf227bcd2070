#!/usr/bin/python3
"""A screen reader's walk through the program over AT-SPI: the main menu's
entries, a topic, its key-facts page read aloud, a whole quiz answered and
the score line read. Only the accessible tree and its actions are used.

    atspi_client.py APPLICATION_NAME
"""
import re
import sys
import time

import pyatspi

TIMEOUT = 90  # seconds for anything to appear: the machine may be busy


def fail(what):
    print(f"FAIL: {what}", file=sys.stderr)
    sys.exit(1)


def poll(what, find, timeout=TIMEOUT):
    """Calls find until it gives something, for at most timeout seconds."""
    end = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            found = find()
            if found:
                return found
        except Exception as error:  # an object went away while it was read
            last_error = error
        if time.monotonic() > end:
            fail(f"{what} (last error: {last_error})")
        time.sleep(0.25)


def children(acc):
    acc.clearCache()  # the tree changes under us: always ask the program
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and app.name == name:
            return app
    return None


def dialogs(app):
    """The program's shown windows, bottom first."""
    found = []
    for top in children(app):
        found += [c for c in children(top) if c.getRole() == pyatspi.ROLE_DIALOG]
    return found


def top_dialog(app):
    shown = dialogs(app)
    return shown[-1] if shown else None


def child(dialog, role, name=None):
    for c in children(dialog):
        if c.getRole() == role and (name is None or c.name == name):
            return c
    return None


def on_top(app, role, name=None):
    """The control of that role (and name) in the dialog on top, or None."""
    dialog = top_dialog(app)
    return child(dialog, role, name) if dialog else None


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{acc.name!r} has no Press action, only {names}")
    action.doAction(names.index("Press"))


def press_on_top(app, role, name):
    press(poll(f"{name!r} on the window on top", lambda: on_top(app, role, name)))


def main():
    app = poll("the program on the accessibility bus", lambda: find_application(sys.argv[1]))
    print("ok: the program is on the accessibility bus")

    # The title screen's "OK" leads to the main menu.
    press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "OK")
    poll("the main menu", lambda: on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Edmund Quellmore"))
    entries = [c.name for c in children(top_dialog(app)) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    print("main menu:", "; ".join(entries))
    for wanted in ("Edmund Quellmore", "Oravian Inventions", "Exit"):
        if wanted not in entries:
            fail(f"the main menu has no {wanted!r}")

    # The topic, then its key facts: a document read in reading order.
    press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Edmund Quellmore")
    press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Key Facts")
    page = poll("the key-facts page", lambda: on_top(app, pyatspi.ROLE_DOCUMENT_FRAME))
    text = page.queryText()
    words = " ".join(text.getText(0, text.characterCount).split())
    heading = page.name
    if not words.startswith(heading) or "Key Facts" not in heading:
        fail(f"the page's heading {heading!r} does not open its text {words[:80]!r}")
    first = re.match(r"[^.]*\.", words[len(heading):].strip())
    print(f"page {heading!r}, first sentence: {first.group(0) if first else words[:80]}")
    if not first or not first.group(0).startswith("Edmund Quellmore was"):
        fail("the page's first sentence is not read")
    press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Exit")

    # The quiz: the first answer to every question, then the score.
    press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Multiple Choice")
    for n in range(1, 11):
        poll(f"question {n}", lambda: on_top(app, pyatspi.ROLE_LABEL, f"Question {n}"))
        option = poll("an answer to choose", lambda: on_top(app, pyatspi.ROLE_RADIO_BUTTON))
        press(option)
        poll(f"answer chosen for question {n}", lambda: option.getState().contains(pyatspi.STATE_CHECKED))
        press_on_top(app, pyatspi.ROLE_PUSH_BUTTON, "Check Score >>" if n == 10 else "Next Question >>")
    print("ok: ten questions answered")

    def score_line():
        dialog = top_dialog(app)
        if not dialog or dialog.name != "Well Done!":
            return None
        for c in children(dialog):
            if c.getRole() == pyatspi.ROLE_LABEL and re.search(r"scored \d+ out of 10\.", c.name):
                return c.name
        return None

    print("score window:", poll("the score line on the score window", score_line))


if __name__ == "__main__":
    main()
