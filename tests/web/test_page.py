# SPDX-License-Identifier: MIT
"""Ardivo's page in Debian's chromium, headless, as a person uses it: opened
from a server of the test's own, typed into with real key events, clicked,
read back by copying, and looked at; then on a phone, under chromium's mobile
emulation, tapped and typed."""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

from browser import GEOMETRY, HEIGHT, WIDTH, Page, Server, wait_for
from PIL import Image
from selenium.webdriver.common.keys import Keys

failures = 0
# The resonance box inside its frame; the date, the clock and its hours,
# which grow to the right of where they stand; in the window's pixels.
_x, _y, _width, _height = GEOMETRY['txtRisultatoFinale']
FIGURE = (_x + 4, _y + 4, _width - 8, _height - 8)
_x, _y, _width, _height = GEOMETRY['lblTime']
CLOCK = (_x - 4, _y, 90, _height - 3)
HOURS = (_x - 4, _y, 18, _height - 3)
_x, _y, _width, _height = GEOMETRY['lblData']
DATE = (_x - 4, _y, 64, _height - 3)


def check(what, condition, detail=''):
    global failures
    if condition:
        print(f'PASS: {what}')
    else:
        failures += 1
        print(f'FAIL: {what}{": " + detail if detail else ""}', file=sys.stderr)
    return condition


def changes(page, what, region, seconds, before=None):
    """Waits up to SECONDS for a region of the window to differ from BEFORE,
    or from how it looks now."""
    before = before or page.region(*region)
    try:
        wait_for(what, seconds, lambda: page.region(*region) != before)
        return True
    except AssertionError:
        return False


def desktop(server):
    page = Page(server)
    try:
        errors = page.console_errors()
        check('the page opens with no console error', not errors, '; '.join(errors))
        check('the page is titled as the window', page.driver.title == 'Ardivo Testina Braccio', page.driver.title)
        ratio = page.script('return window.devicePixelRatio')
        check('the window keeps its size', page.canvas.rect['width'] == WIDTH and page.canvas.rect['height'] == HEIGHT,
              str(page.canvas.rect))
        check('the window is drawn at the screen\'s resolution',
              page.script('return document.getElementById("window").width') == round(WIDTH * ratio))
        middle = page.script('const r = document.getElementById("window").getBoundingClientRect();'
                             'return [r.left + r.width / 2, r.top + r.height / 2, innerWidth / 2, innerHeight / 2];')
        check('the window sits in the middle of the page',
              abs(middle[0] - middle[2]) <= 1 and abs(middle[1] - middle[3]) <= 1, str(middle))

        # Qt's copy from an empty box gives the clipboard what it had: an
        # empty figure is one that looks as it did when the page opened.
        empty_figure = page.region(*FIGURE)

        def figure_empty():
            try:
                return wait_for('an empty figure', 3, lambda: page.region(*FIGURE) == empty_figure)
            except AssertionError:
                return False

        page.enter('10', '6', '1', '20')
        page.click('cmdCalcolo')
        result = page.copied('txtRisultatoFinale')
        check('10, 6, 1 and 20 typed give 8.62298569829157', result == '8.62298569829157', result)

        # The smallest resonance has more digits than the box shows: they are
        # cut at their end, never at their start.
        before = page.region(*FIGURE)
        page.enter('100', '50', '1', '217')
        page.click('cmdCalcolo')
        wait_for('the figure of 100, 50, 1 and 217', 5, lambda: page.region(*FIGURE) != before)
        text = page.read(*FIGURE)
        check('159/sqrt(32767) is read from its first digit', text.startswith('0.8783726'), text)

        page.click('cdmAzzeraCampi')
        check('Cancella Dati empties the figure', figure_empty())

        # Four empty boxes: the warning, drawn over the middle of the window.
        middle_region = (190, 215, 270, 70)
        before = page.region(*middle_region)
        page.click('cmdCalcolo')
        if check('four empty boxes bring the warning', changes(page, 'the warning', middle_region, 5, before)):
            page.keys(Keys.RETURN)
            check('Return dismisses it', wait_for('the warning to go', 5,
                                                  lambda: page.region(*middle_region) == before))
            page.type('7')
            check('and the caret is back in the arm box', page.copied('txtMassaBraccio') == '7')

        page.click('cdmAzzeraCampi')
        page.enter('abc', '6', '1', '20')
        page.click('cmdCalcolo')
        check('a box holding letters leaves the figure empty', figure_empty())
        # An overflow is thrown and caught inside the handler: Ardivo goes on,
        # and its clock with it.
        page.enter('40000', '6', '1', '20')
        page.click('cmdCalcolo')
        empty = figure_empty()
        errors = page.console_errors()
        check('a number out of range leaves the figure empty too, with no error', empty and not errors,
              '; '.join(errors))

        check('the clock moves', changes(page, 'the clock', CLOCK, 3))

        page.click('cdmChiudi')
        check('Chiudi ends Ardivo, and the page says so',
              wait_for('the closed page', 5, lambda: page.script(
                  'return document.getElementById("frame").hidden && '
                  'document.getElementById("status").textContent.startsWith("Ardivo è chiuso")')))
        errors = page.console_errors()
        check('no console error after all that', not errors, '; '.join(errors))
    finally:
        page.close()


def dates(server):
    """The date and the clock as the browser's language and time zone have
    them: Italian and German dates differ in their separators whatever the
    day, and the hours of Rome and Tokyo always differ."""
    shown = {}
    for language, zone in (('it-IT', 'Europe/Rome'), ('de-DE', 'Europe/Rome'), ('it-IT', 'Asia/Tokyo')):
        page = Page(server, language=language, time_zone=zone)
        try:
            image = page.window_image()
            shown[language, zone] = page.region(*DATE, image=image), page.region(*HOURS, image=image)
        finally:
            page.close()
    check('the date follows the browser\'s language',
          shown['it-IT', 'Europe/Rome'][0] != shown['de-DE', 'Europe/Rome'][0])
    check('the clock follows the browser\'s time zone',
          shown['it-IT', 'Europe/Rome'][1] != shown['it-IT', 'Asia/Tokyo'][1])


def phone(server):
    page = Page(server, phone=True)
    try:
        empty_figure = page.region(*FIGURE)
        # The page is laid out as wide as the window and shown scaled to the
        # screen: measured on the screen, in the phone's own pixels.
        screen = page.script('const r = document.getElementById("window").getBoundingClientRect();'
                             'return {left: r.left, width: r.width, height: r.height, scale: visualViewport.scale,'
                             '        screen: screen.width, ratio: devicePixelRatio,'
                             '        pixels: document.getElementById("window").width};')
        shown = screen['width'] * screen['scale']
        check(f'on a phone the window fits the width ({screen["screen"]} px)',
              screen['left'] >= 0 and screen['screen'] - 2 <= shown <= screen['screen'], str(screen))
        check('keeping its proportions', abs(screen['width'] / screen['height'] - WIDTH / HEIGHT) < 0.01, str(screen))
        check('and drawn sharp, a pixel of the window to each of the screen\'s',
              abs(screen['pixels'] - shown * screen['ratio']) <= 1, str(screen))
        page.tap('txtMassaBraccio')
        check('a tap on a box focuses the input that brings up the keyboard',
              wait_for('the input', 3, lambda: page.script('return document.activeElement.tagName') == 'INPUT'))
        for box, value in (('txtMassaBraccio', '10'), ('txtPesoTestina', '6'), ('txtPesoViti', '1'),
                           ('txtCedevolezza', '20')):
            page.tap(box)
            page.type(value)
        page.tap('cmdCalcolo')
        # Keys typed on a phone go to Qt's input element, so there is no
        # copying there: the figure must look as the one that copies as
        # 8.62298569829157 on the same phone with a keyboard and a mouse.
        wait_for('a figure', 5, lambda: page.region(*FIGURE) != empty_figure)
        tapped = page.region(*FIGURE)
        errors = page.console_errors()
        check('no console error on the phone', not errors, '; '.join(errors))
    finally:
        page.close()
    page = Page(server, phone=True, touch=False)
    try:
        page.enter('10', '6', '1', '20')
        page.click('cmdCalcolo')
        wait_for('a figure', 5, lambda: page.region(*FIGURE) != empty_figure)
        typed = page.region(*FIGURE)
        result = page.copied('txtRisultatoFinale')
        check('10, 6, 1 and 20 tapped and typed give 8.62298569829157',
              result == '8.62298569829157' and typed == tapped, result)
    finally:
        page.close()


def kept(site):
    """The page as a phone keeps it: installable by its manifest; after one
    visit, opened and used with its server gone; replaced by a new build
    served, on the second reload, as a service worker updates."""
    work = tempfile.mkdtemp(prefix='site-')
    copy = os.path.join(work, 'site')
    shutil.copytree(site, copy)
    server = Server(copy)
    port = server.server.server_port
    page = None
    try:
        page = Page(server)
        manifest = page.driver.execute_cdp_cmd('Page.getAppManifest', {})
        check('the page names its manifest, which chromium reads with no error',
              manifest.get('url', '').endswith('/ardivo.webmanifest') and not manifest['errors'], str(manifest))
        data = json.loads(manifest.get('data') or '{}')
        sizes = set()
        for icon in data.get('icons', []):
            if icon['type'] == 'image/png':
                with Image.open(os.path.join(copy, icon['src'])) as picture:
                    if icon['sizes'] == '%dx%d' % picture.size:
                        sizes.add(icon['sizes'])
        check('an app of its own, with the notes at 192 and 512 px',
              data.get('display') == 'standalone' and data.get('short_name') == 'Ardivo'
              and {'192x192', '512x512'} <= sizes, str(data))
        wait_for('the service worker to keep the page', 30,
                 lambda: page.script('return navigator.serviceWorker.controller !== null'))

        server.close()
        page.reload()
        page.enter('10', '6', '1', '20')
        page.click('cmdCalcolo')
        result = page.copied('txtRisultatoFinale')
        check('with its server gone, the page opens again and computes', result == '8.62298569829157', result)

        # A new build: the page changed, its service worker made again.
        index = os.path.join(copy, 'index.html')
        with open(index, encoding='utf-8') as text:
            changed = text.read().replace('<head>', '<head>\n  <meta name="build" content="new">', 1)
        with open(index, 'w', encoding='utf-8') as text:
            text.write(changed)
        subprocess.run([os.path.join(os.path.dirname(__file__), '..', '..', 'scripts', 'web-service-worker'), copy],
                       check=True)
        with open(os.path.join(copy, 'service-worker.js'), encoding='utf-8') as worker:
            cache = re.search(r"const CACHE = '([^']+)'", worker.read()).group(1)
        server = Server(copy, port=port)
        page.reload()
        new = 'return document.querySelector("meta[name=build]") !== null'
        check('the first reload online still shows the version kept', not page.script(new))
        wait_for('the new version to be kept, and the old one dropped', 30, lambda: page.driver.execute_async_script(
            'const done = arguments[0]; caches.keys().then(done, () => done([]))') == [cache])
        page.reload()
        check('the second shows the new one', page.script(new))
    finally:
        if page:
            page.close()
        server.close()
        shutil.rmtree(work, ignore_errors=True)


def main():
    server = Server(sys.argv[1])
    try:
        desktop(server)
        dates(server)
        phone(server)
    finally:
        server.close()
    kept(sys.argv[1])
    return verdict()


def verdict():
    """The test's status, said as the other end-to-end tests say it."""
    if failures:
        print(f'{failures} check(s) failed', file=sys.stderr)
        return 1
    print('all checks passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
