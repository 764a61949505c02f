#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads Ardivo's window as a screen reader does, over AT-SPI, and uses it."""
import sys
import time

import pyatspi

from atspi import find_app, shown

failures = 0


def check(what, ok):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what)
    failures += 0 if ok else 1


app = find_app()
if app is None:
    print("FAIL: the application is not on the accessibility bus")
    sys.exit(1)

nodes = shown(app)
texts = [n for n in nodes if n.getRole() == pyatspi.ROLE_TEXT]
text_names = [n.name for n in texts]
for prompt in ["Inserire Massa del braccio", "Inserire il peso della testina", "Inserire il peso delle viti",
               "Inserire la cedevolezza della testina", "Frequenza di risonanza in Hertz"]:
    check(f"a box named {prompt!r}", prompt in text_names)
check(f"exactly five boxes are shown to a screen reader ({len(texts)})", len(texts) == 5)

buttons = {n.name: n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
for caption in ["Calcola", "Cancella Dati", "Chiudi"]:
    check(f"a button named {caption!r}", caption in buttons)


def box(name):
    return next(n for n in texts if n.name == name)


for prompt, value in [("Inserire il peso della testina", "6"), ("Inserire Massa del braccio", "10"),
                      ("Inserire il peso delle viti", "1"), ("Inserire la cedevolezza della testina", "20")]:
    box(prompt).queryEditableText().setTextContents(value)
buttons["Calcola"].queryAction().doAction(0)
result = box("Frequenza di risonanza in Hertz").queryText()
deadline = time.monotonic() + 5
while result.getText(0, result.characterCount) == "" and time.monotonic() < deadline:
    time.sleep(0.1)
figure = result.getText(0, result.characterCount)
check(f"the resonance read back is 159/sqrt(340) ({figure})", figure == "8.62298569829157")
sys.exit(1 if failures else 0)
