#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Ardivo's window as a screen reader meets it, over AT-SPI.

    atspi.py read NAME        the text of the box named NAME
    atspi.py set NAME TEXT    replaces the text of the box named NAME
    atspi.py press NAME       presses the button named NAME
    atspi.py extents          "x y width height role: name" of every control
                              shown, in pixels of the screen

Boxes are found by their accessible names: the prompt beside each input box,
and "Frequenza di risonanza in Hertz" for the resonance. Exits 1 when the
application or the control cannot be found within a few seconds.
"""
import sys
import time

import pyatspi

APPLICATION = "Ardivo"


def find_app(seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == APPLICATION:
                return app
        if time.monotonic() > deadline:
            return None
        time.sleep(0.1)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def shown(app):
    return [n for n in walk(app) if n.getState().contains(pyatspi.STATE_SHOWING)]


def control(app, name, role):
    for node in shown(app):
        if node.name == name and node.getRole() == role:
            return node
    return None


def main(args):
    app = find_app()
    if app is None:
        print(f"atspi.py: {APPLICATION} is not on the accessibility bus", file=sys.stderr)
        return 1
    command, rest = args[0], args[1:]
    if command == "extents":
        for node in shown(app):
            if node.getRole() not in (pyatspi.ROLE_APPLICATION, pyatspi.ROLE_FRAME):
                e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(f"{e.x} {e.y} {e.width} {e.height} {node.getRoleName()}: {node.name}")
        return 0
    role = pyatspi.ROLE_PUSH_BUTTON if command == "press" else pyatspi.ROLE_TEXT
    node = control(app, rest[0], role)
    if node is None:
        print(f"atspi.py: no control named {rest[0]!r}", file=sys.stderr)
        return 1
    if command == "read":
        text = node.queryText()
        sys.stdout.write(text.getText(0, text.characterCount))
    elif command == "set":
        node.queryEditableText().setTextContents(rest[1])
    elif command == "press":
        node.queryAction().doAction(0)
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
