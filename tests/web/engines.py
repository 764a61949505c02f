# SPDX-License-Identifier: MIT
"""The page in the two engines beside chromium, each on the test's own X
display (tests/web/test_engines.sh starts it), with a profile of its own:
WebKitGTK's MiniBrowser through Debian's WebKitWebDriver (WebKit is Safari's
engine), and Firefox ESR through the WebDriver BiDi it speaks itself, by a
small client of ours over python3-websockets. Both offer the same few hands
and eyes: a script's value, a click at a point of the page, keys, and the
page as the screen shows it. Every wait is bounded."""

import asyncio
import base64
import io
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading
import time

from PIL import Image

VIEWPORT = (1000, 800)
# WebDriver's codes for the keys that are not characters; ActionChains and
# BiDi take the same.
CONTROL, RETURN, TAB, BACKSPACE = '\ue009', '\ue006', '\ue004', '\ue003'


class WebKit:
    """WebKitGTK's MiniBrowser. WebKit's own sandbox of its web processes
    needs namespaces that the test's sandbox does not lend it. Its language
    is the C library's locale, as a GNOME user's is: one of the test's own,
    whatever the machine has generated."""

    def __init__(self, language):
        from selenium import webdriver
        self.profile = tempfile.mkdtemp(prefix='webkit-')
        options = webdriver.WebKitGTKOptions()
        options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
        options.add_argument('--automation')
        locale = language.replace('-', '_') + '.UTF-8'
        subprocess.run(['localedef', '-i', locale.split('.')[0], '-f', 'UTF-8', os.path.join(self.profile, locale)],
                       check=True, capture_output=True)
        saved = dict(os.environ)
        os.environ.update(HOME=self.profile, XDG_DATA_HOME=self.profile, XDG_CACHE_HOME=self.profile,
                          LOCPATH=self.profile, LANG=locale, LC_ALL=locale,
                          WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS='1')
        try:
            self.driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        except BaseException:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.driver.set_script_timeout(20)
        self.driver.set_window_size(*VIEWPORT)

    def open(self, url):
        self.driver.get(url)

    def script(self, expression):
        return self.driver.execute_script(f'return {expression}')

    def click(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def keys(self, *keys, held=None):
        from selenium.webdriver.common.action_chains import ActionChains
        chain = ActionChains(self.driver)
        if held:
            chain.key_down(held)
        chain.send_keys(*keys)
        if held:
            chain.key_up(held)
        chain.perform()

    def screenshot(self):
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


class Firefox:
    """Firefox ESR on the display, as a user's runs (headless, it has no
    WebGL here), driven over WebDriver BiDi."""

    def __init__(self, language):
        import websockets
        self.profile = tempfile.mkdtemp(prefix='firefox-')
        with open(os.path.join(self.profile, 'user.js'), 'w', encoding='utf-8') as prefs:
            for name, value in (('intl.accept_languages', language), ('browser.shell.checkDefaultBrowser', False),
                                ('datareporting.policy.dataSubmissionEnabled', False),
                                ('browser.aboutwelcome.enabled', False)):
                prefs.write(f'user_pref("{name}", {json.dumps(value)});\n')
        self.process = subprocess.Popen(
            ['/usr/bin/firefox-esr', '--remote-debugging-port=0', '--profile', self.profile, '--no-remote',
             '--new-instance', 'about:blank'],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            env=dict(os.environ, HOME=self.profile, MOZ_CRASHREPORTER_DISABLE='1'))
        self.loop = asyncio.new_event_loop()
        self.next_id = 0
        try:
            url = self._listening(30)
            async def connect():
                return await websockets.connect(url + '/session', max_size=None)
            self.socket = self._run(connect(), 10)
            self.command('session.new', capabilities={})
            self.context = self.command('browsingContext.getTree')['contexts'][0]['context']
            self.command('browsingContext.setViewport', context=self.context,
                         viewport={'width': VIEWPORT[0], 'height': VIEWPORT[1]})
        except BaseException:
            self.close()
            raise

    def _listening(self, seconds):
        """The address Firefox says its BiDi server listens on."""
        deadline = time.monotonic() + seconds
        os.set_blocking(self.process.stderr.fileno(), False)
        buffered = b''
        while time.monotonic() < deadline:
            chunk = self.process.stderr.read()
            if chunk:
                buffered += chunk
                found = re.search(rb'WebDriver BiDi listening on (ws://127\.0\.0\.1:[0-9]+)', buffered)
                if found:
                    # What Firefox says later is no one's business here.
                    _drain(self.process.stderr)
                    return found.group(1).decode()
            elif self.process.poll() is not None:
                break
            time.sleep(0.05)
        said = buffered.decode(errors='replace')[-500:]
        raise AssertionError(f'Firefox did not start its BiDi server: {said}')

    def _run(self, coroutine, seconds):
        return self.loop.run_until_complete(asyncio.wait_for(coroutine, seconds))

    def command(self, method, seconds=30, **params):
        self.next_id += 1
        ours = self.next_id

        async def exchange():
            await self.socket.send(json.dumps({'id': ours, 'method': method, 'params': params}))
            while True:
                message = json.loads(await self.socket.recv())
                if message.get('id') == ours:
                    return message

        answer = self._run(exchange(), seconds)
        if answer.get('type') != 'success':
            raise AssertionError(f'{method}: {answer.get("error")}: {answer.get("message")}')
        return answer['result']

    def open(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def script(self, expression):
        result = self.command('script.evaluate', expression=expression, target={'context': self.context},
                              awaitPromise=True, resultOwnership='none')
        if result.get('type') == 'exception':
            raise AssertionError(f'{expression}: {result["exceptionDetails"].get("text")}')
        value = result['result']
        return value.get('value') if value['type'] in ('string', 'number', 'boolean') else None

    def click(self, x, y):
        self.command('input.performActions', context=self.context, actions=[{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
            'actions': [{'type': 'pointerMove', 'x': int(x), 'y': int(y)}, {'type': 'pointerDown', 'button': 0},
                        {'type': 'pointerUp', 'button': 0}]}])

    def keys(self, *keys, held=None):
        strokes = [action for key in ''.join(keys)
                   for action in ({'type': 'keyDown', 'value': key}, {'type': 'keyUp', 'value': key})]
        if held:
            strokes = [{'type': 'keyDown', 'value': held}, *strokes, {'type': 'keyUp', 'value': held}]
        self.command('input.performActions', context=self.context,
                     actions=[{'type': 'key', 'id': 'keyboard', 'actions': strokes}])

    def screenshot(self):
        data = self.command('browsingContext.captureScreenshot', context=self.context)['data']
        return Image.open(io.BytesIO(base64.b64decode(data))).convert('RGB')

    def close(self):
        try:
            if getattr(self, 'socket', None):
                try:
                    self.command('browser.close', seconds=10)
                except Exception:
                    pass
                self._run(self.socket.close(), 5)
        finally:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.loop.close()
            shutil.rmtree(self.profile, ignore_errors=True)


def _drain(stream):
    """Reads a pipe to its end on a thread of its own, so that the process
    writing to it never blocks on a full pipe."""
    os.set_blocking(stream.fileno(), True)
    threading.Thread(target=lambda: [None for _ in iter(lambda: stream.read(65536), b'')], daemon=True).start()


ENGINES = {'webkit': WebKit, 'firefox': Firefox}
