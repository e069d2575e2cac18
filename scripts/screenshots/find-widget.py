#!/usr/bin/python3
"""Where a control stands on the screen, found by its accessible name, as a screen reader
finds it: prints "X Y WIDTH HEIGHT" in screen pixels.

Usage: find-widget.py WINDOW NAME [ROLE]

WINDOW is a regular expression for the title of the window the control is in; NAME is
the control's accessible name, exactly; ROLE (such as "push button", "check box",
"page tab", "menu item") picks one kind when several controls share a name. Only a
control that is showing counts. Waits up to 10 seconds for it to appear.
"""
import re
import sys
import time

import pyatspi

def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:  # a control that went away while being read
        return False


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def find_in(node, name, role):
    for child in node:
        if child is None or not showing(child):
            continue
        if child.name == name and (role is None or child.getRoleName() == role):
            x, y, width, height = extents(child)
            if width > 0 and height > 0:
                return x, y, width, height
        found = find_in(child, name, role)
        if found:
            return found
    return None


def find(window, name, role):
    title = re.compile(window)
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        for top in application:
            if top is None or not title.search(top.name or ""):
                continue
            if not showing(top):
                continue
            found = find_in(top, name, role)
            if found:
                return found
    return None


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    window, name = sys.argv[1], sys.argv[2]
    role = sys.argv[3] if len(sys.argv) == 4 else None
    deadline = time.monotonic() + 10
    while True:
        found = find(window, name, role)
        if found:
            print(*found)
            return
        if time.monotonic() > deadline:
            sys.exit(f'find-widget: no control "{name}"' + (f" ({role})" if role else "")
                     + f' showing in a window "{window}"')
        time.sleep(0.2)


main()
