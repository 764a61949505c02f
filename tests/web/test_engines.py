# SPDX-License-Identifier: MIT
"""Ardivo's page in WebKit or Firefox, as a person uses it: opened from a
server of the test's own, clicked, typed into with real key events, and read
back off the screen (tesseract), as neither engine lets a test read the
clipboard without a person's consent.
Usage: test_engines.py ENGINE SITE (on an X display: test_engines.sh)"""

import io
import json
import subprocess
import sys

from browser import GEOMETRY, HEIGHT, WIDTH, Server, wait_for
from engines import BACKSPACE, CONTROL, ENGINES, RETURN, TAB
import test_page
from PIL import Image
from test_page import DATE, FIGURE, check

_x, _y, _width, _height = GEOMETRY['txtMassaBraccio']
ARM = (_x + 3, _y + 3, _width - 6, _height - 6)
WARNING = (190, 215, 270, 70)  # the middle of the window, where the warning is drawn


class Page:
    """Ardivo's page in a browser of its own."""

    def __init__(self, engine, server, language='en-US'):
        self.browser = ENGINES[engine](language)
        try:
            self.browser.open(server.origin + '/index.html')
            wait_for('Ardivo to run', 60, lambda: self.browser.script('loader.status') == 'Running')
            rect = self.browser.script('JSON.stringify((r => [r.left, r.top, r.width, r.height, innerWidth])'
                                       '(document.getElementById("window").getBoundingClientRect()))')
            self.left, self.top, self.width, self.height, self.inner_width = json.loads(rect)
            wait_for('the window to be drawn', 30, lambda: self.window_image().getpixel((WIDTH // 2, 300))
                     == (255, 255, 255))
        except BaseException:
            self.browser.close()
            raise

    def errors(self):
        return self.browser.script('pageErrors.join("; ")')

    def click(self, control):
        x, y, width, height = GEOMETRY[control]
        scale = self.width / WIDTH
        self.browser.click(self.left + (x + width / 2) * scale, self.top + (y + height / 2) * scale)

    def keys(self, *keys, held=None):
        self.browser.keys(*keys, held=held)

    def enter(self, arm, cartridge, screws, compliance):
        """The four inputs, typed from the arm box down in tab order, each
        box emptied first."""
        self.click('txtMassaBraccio')
        for value, last in ((arm, False), (cartridge, False), (screws, False), (compliance, True)):
            self.keys('a', held=CONTROL)
            self.keys(BACKSPACE + value + ('' if last else TAB))

    def window_image(self):
        """The window as the screen shows it, in the window's own pixels."""
        shot = self.browser.screenshot()
        ratio = shot.width / self.inner_width
        window = shot.crop((round(self.left * ratio), round(self.top * ratio),
                            round((self.left + self.width) * ratio), round((self.top + self.height) * ratio)))
        return window if window.size == (WIDTH, HEIGHT) else window.resize((WIDTH, HEIGHT), Image.LANCZOS)

    def region(self, x, y, width, height):
        return self.window_image().crop((x, y, x + width, y + height)).tobytes()

    def read(self, x, y, width, height):
        """What a person reads in part of the window (tesseract, at three
        times the window's size)."""
        part = self.window_image().crop((x, y, x + width, y + height)).convert('L')
        png = io.BytesIO()
        part.resize((width * 3, height * 3), Image.LANCZOS).save(png, 'PNG')
        return subprocess.run(['tesseract', 'stdin', 'stdout', '--psm', '7'], input=png.getvalue(),
                              capture_output=True, check=True).stdout.decode().strip()

    def close(self):
        self.browser.close()


def settles(page, region, seconds, before):
    """Waits up to SECONDS for a region to differ from BEFORE (or, with
    before=(..., True), to be BEFORE again)."""
    image, same = before
    try:
        return wait_for('the window to change', seconds, lambda: (page.region(*region) == image) == same)
    except AssertionError:
        return False


def use(engine, server):
    page = Page(engine, server, language='it-IT')
    try:
        check(f'{engine}: the page is titled as the window', page.browser.script('document.title')
              == 'Ardivo Testina Braccio')
        check(f'{engine}: the page opens with no error', not page.errors(), page.errors())
        empty_figure = page.region(*FIGURE)
        empty_arm = page.region(*ARM)
        italian = page.region(*DATE)

        page.enter('10', '6', '1', '20')
        page.click('cmdCalcolo')
        settles(page, FIGURE, 5, (empty_figure, False))
        text = page.read(*FIGURE)
        check(f'{engine}: 10, 6, 1 and 20 typed give 8,62298… in Italian, read off the screen',
              text.startswith('8,622985'), text)

        page.click('cdmAzzeraCampi')
        check(f'{engine}: Cancella Dati empties the figure', settles(page, FIGURE, 5, (empty_figure, True)))

        before = page.region(*WARNING)
        page.click('cmdCalcolo')
        if check(f'{engine}: four empty boxes bring the warning', settles(page, WARNING, 5, (before, False))):
            # Keys go to the box once it is the active window, which it
            # becomes as it is first drawn whole: the key waits for the
            # box to look the same in two screenshots running.
            wait_for('the warning drawn whole', 5,
                     lambda: (lambda first, second: first == second != before)(page.region(*WARNING),
                                                                                page.region(*WARNING)))
            page.keys(RETURN)
            check(f'{engine}: Return dismisses it', settles(page, WARNING, 5, (before, True)))
            page.keys('7')
            settles(page, ARM, 3, (empty_arm, False))
            text = page.read(*ARM)
            # The caret, where it shows, reads as a bar.
            check(f'{engine}: and the caret is back in the arm box', text.rstrip('|') == '7', text)

        page.click('cdmChiudi')
        check(f'{engine}: Chiudi ends Ardivo, and the page says so',
              wait_for('the closed page', 5, lambda: page.browser.script(
                  'document.getElementById("frame").hidden && '
                  'document.getElementById("status").textContent.startsWith("Ardivo è chiuso")')))
        check(f'{engine}: no error after all that', not page.errors(), page.errors())
    finally:
        page.close()
    page = Page(engine, server, language='de-DE')
    try:
        german = page.region(*DATE)
    finally:
        page.close()
    check(f'{engine}: the date follows the browser\'s language', italian != german)


def main():
    engine, site = sys.argv[1:3]
    server = Server(site, record_errors=True)
    try:
        use(engine, server)
    finally:
        server.close()
    return test_page.verdict()


if __name__ == '__main__':
    sys.exit(main())
