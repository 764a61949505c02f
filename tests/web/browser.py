# SPDX-License-Identifier: MIT
"""The browser side of the web tests: the site served on loopback by a server
of the test's own, Debian's chromium driven through its WebDriver with a
profile of its own, and the user's hands and eyes on the page: clicks and
taps at a control's place in the window, real key events, the clipboard, and
the window's pixels as the screen shows them. Every wait is bounded."""

import functools
import gzip
import http.server
import io
import os
import shutil
import subprocess
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys



def _geometry():
    """The window's geometry as the build writes it from the window's own
    table (ARDIVO_GEOMETRY): each control's left, top, width and height in
    pixels of the client area, the window itself as frmCalcoloArdivo."""
    with open(os.environ['ARDIVO_GEOMETRY'], encoding='utf-8') as table:
        return {name: tuple(int(n) for n in numbers) for name, *numbers in map(str.split, table) if numbers}


GEOMETRY = _geometry()
# Centre of a control, in pixels of the client area (as the Linux tests have them).
CENTRE = {name: (x + width // 2, y + height // 2) for name, (x, y, width, height) in GEOMETRY.items()}
WIDTH, HEIGHT = GEOMETRY['frmCalcoloArdivo'][2:]
MARKER = 'nothing was copied'


def wait_for(what, seconds, check):
    """Waits up to SECONDS for CHECK to return something true; returns it."""
    deadline = time.monotonic() + seconds
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f'timed out waiting for {what}')
        time.sleep(0.05)


# Where a browser's console cannot be read (WebDriver classic has no log in
# WebKit), the page records its own errors: the uncaught ones, the rejected
# promises and what it writes to console.error.
ERROR_RECORDER = b'''<script>
window.pageErrors = [];
addEventListener('error', (e) => pageErrors.push(`${e.message} (${e.filename}:${e.lineno}:${e.colno})`));
addEventListener('unhandledrejection', (e) => pageErrors.push(String(e.reason)));
const consoleError = console.error;
console.error = (...args) => { pageErrors.push(args.join(' ')); consoleError.apply(console, args); };
</script>'''


class Server:
    """The site on an ephemeral port of the loopback address (or the port
    given), as any static server would serve it; with record_errors, its page
    records its errors (ERROR_RECORDER) from its first line; with compress,
    the page and its program go gzipped (level 9) to a browser that takes
    them so."""

    def __init__(self, site, record_errors=False, port=0, compress=False):
        self.requested = []
        requested = self.requested
        gzipped = {} if compress else None

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              '.wasm': 'application/wasm', '.js': 'text/javascript',
                              '.webmanifest': 'application/manifest+json'}

            def do_GET(self):
                path = self.path.split('?')[0]
                if record_errors and path == '/index.html':
                    with open(os.path.join(site, 'index.html'), 'rb') as page:
                        return self.send(page.read().replace(b'<head>', b'<head>' + ERROR_RECORDER, 1), path)
                if gzipped is not None and 'gzip' in self.headers.get('Accept-Encoding', '') and path.endswith(
                        ('.html', '.js', '.wasm')):
                    if path not in gzipped:
                        with open(os.path.join(site, path.lstrip('/')), 'rb') as file:
                            gzipped[path] = gzip.compress(file.read(), compresslevel=9, mtime=0)
                    return self.send(gzipped[path], path, 'gzip')
                return super().do_GET()

            def send(self, body, path, encoding=None):
                self.send_response(200)
                self.send_header('Content-Type', self.guess_type(path))
                if encoding:
                    self.send_header('Content-Encoding', encoding)
                self.send_header('Content-Length', str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_request(self, code='-', size='-'):
                requested.append((self.path, code))

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', port), functools.partial(Handler, directory=site))
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()
        self.origin = f'http://127.0.0.1:{self.server.server_port}'

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Chromium:
    """Debian's chromium, headless, with a profile of its own that goes with
    it; as a phone under its mobile emulation, with a touch screen or not."""

    def __init__(self, language='en-US', phone=False, time_zone='UTC', touch=True, scale=1.0):
        self.profile = tempfile.mkdtemp(prefix='chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/lib/chromium/chromium'
        # No sandbox of chromium's own inside the test's; nothing fetched but
        # from the test's server.
        for argument in ['--headless=new', '--no-sandbox', '--no-first-run', '--disable-background-networking',
                         '--disable-component-update', '--disable-sync', '--disable-default-apps',
                         '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                         f'--user-data-dir={self.profile}', '--window-size=1000,800',
                         f'--force-device-scale-factor={scale}']:
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'intl.accept_languages': language})
        if phone:
            options.add_experimental_option('mobileEmulation', {
                'deviceMetrics': {'width': 390, 'height': 844, 'pixelRatio': 3.0, 'touch': touch},
                'userAgent': 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) '
                             'Chrome/120.0.0.0 Mobile Safari/537.36'})
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        environment = dict(os.environ, HOME=self.profile, TZ=time_zone)
        try:
            self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver', env=environment),
                                           options=options)
        except BaseException:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise
        self.driver.set_script_timeout(20)

    def console_errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


class Page(Chromium):
    """Ardivo's page in a headless chromium of its own."""

    def __init__(self, server, language='en-US', phone=False, time_zone='UTC', touch=True):
        super().__init__(language, phone, time_zone, touch)
        try:
            self.driver.execute_cdp_cmd('Browser.grantPermissions', {
                'origin': server.origin, 'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
            self.touch = phone and touch
            self.driver.get(server.origin + '/index.html')
            self._opened()
        except BaseException:
            self.close()
            raise

    def _opened(self):
        wait_for('Ardivo to run', 60, lambda: self.script('return loader.status') == 'Running')
        self.canvas = self.driver.find_element('id', 'window')
        # The window is there once its white shows in the middle of the canvas.
        wait_for('the window to be drawn', 30, lambda: self.pixel(WIDTH // 2, 300) == (255, 255, 255))

    def reload(self):
        self.driver.refresh()
        self._opened()

    def script(self, code, *arguments):
        return self.driver.execute_script(code, *arguments)

    def point(self, control):
        """Where a control lies, in the page's CSS pixels from the canvas's centre."""
        x, y = CENTRE[control] if isinstance(control, str) else control
        scale = self.canvas.rect['width'] / WIDTH
        return (x - WIDTH / 2) * scale, (y - HEIGHT / 2) * scale

    def click(self, control):
        if self.touch:
            return self.tap(control)
        dx, dy = self.point(control)
        ActionChains(self.driver).move_to_element_with_offset(self.canvas, int(dx), int(dy)).click().perform()

    def tap(self, control):
        dx, dy = self.point(control)
        rect = self.canvas.rect
        x, y = rect['x'] + rect['width'] / 2 + dx, rect['y'] + rect['height'] / 2 + dy
        finger = PointerInput(interaction.POINTER_TOUCH, 'finger')
        actions = ActionBuilder(self.driver, mouse=finger)
        actions.pointer_action.move_to_location(int(x), int(y)).pointer_down().pause(0.05).pointer_up()
        actions.perform()

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def select_all(self):
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('a').key_up(Keys.CONTROL).perform()

    def clipboard(self):
        return self.driver.execute_async_script(
            'const done = arguments[0]; navigator.clipboard.readText().then(done, e => done("error: " + e));')

    def set_clipboard(self, text):
        self.driver.execute_async_script(
            'const done = arguments[1]; navigator.clipboard.writeText(arguments[0]).then(done, done);', text)

    def copied(self, box):
        """The text of a box, as a user takes it: clicked into, selected,
        copied. A marker in the clipboard first makes a missed click or an
        empty box read as the marker."""
        self.set_clipboard(MARKER)
        self.click(box)
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('a').send_keys('c').key_up(Keys.CONTROL).perform()
        try:
            return wait_for(f'a copy of {box}', 3, lambda: (lambda text: text if text != MARKER else None)(
                self.clipboard()))
        except AssertionError:
            return MARKER

    def enter(self, arm, cartridge, screws, compliance):
        """The four inputs, typed from the arm box down in tab order, each
        box emptied first."""
        self.click('txtMassaBraccio')
        for value, key in ((arm, Keys.TAB), (cartridge, Keys.TAB), (screws, Keys.TAB), (compliance, None)):
            self.select_all()
            self.keys(Keys.BACKSPACE)
            if value:
                self.type(value)
            if key:
                self.keys(key)

    def window_image(self):
        """The window as the screen shows it, at the screen's own resolution."""
        return Image.open(io.BytesIO(self.canvas.screenshot_as_png)).convert('RGB')

    def region(self, x, y, width, height, image=None):
        """Part of the window, given in its own pixels."""
        image = image or self.window_image()
        ratio = image.width / WIDTH
        return image.crop((round(x * ratio), round(y * ratio), round((x + width) * ratio),
                           round((y + height) * ratio))).tobytes()

    def read(self, x, y, width, height):
        """What a person reads in part of the window, off a screenshot
        (tesseract, at three times the window's size)."""
        image = self.window_image()
        ratio = image.width / WIDTH
        part = image.crop((round(x * ratio), round(y * ratio), round((x + width) * ratio),
                           round((y + height) * ratio)))
        part = part.convert('L').resize((width * 3, height * 3), Image.LANCZOS)
        png = io.BytesIO()
        part.save(png, 'PNG')
        return subprocess.run(['tesseract', 'stdin', 'stdout', '--psm', '7'], input=png.getvalue(),
                              capture_output=True, check=True).stdout.decode().strip()

    def pixel(self, x, y):
        try:
            image = self.window_image()
        except WebDriverException:
            return None
        ratio = image.width / WIDTH
        return image.getpixel((int(x * ratio), int(y * ratio)))
