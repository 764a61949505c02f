# SPDX-License-Identifier: MIT
"""Runs a test program built for the browser in Debian's chromium, headless,
from a server of its own, in a canvas of the page's own size: the program's
output goes to this one's, and its exit status is this one's, 1 if it never
ended. What the desktop's tests take from their environment, the browser is
given: LC_ALL's language as the browser's, BROWSER_PIXEL_RATIO as its device
pixel ratio, and the ARDIVO_TEST_ variables as the program's environment.
Usage: run-test.py PROGRAM.js [ARGUMENTS...]"""

import json
import os
import shutil
import sys
import tempfile

from browser import HEIGHT, WIDTH, Chromium, Server, wait_for

PAGE = '''<!doctype html>
<meta charset="utf-8">
<title>{name}</title>
<canvas id="screen" style="width: {width}px; height: {height}px"></canvas>
<script src="{name}.js"></script>
<script>
window.output = [];
window.exitStatus = null;
const print = text => window.output.push(text);
createQtAppInstance({{
    arguments: {arguments},
    preRun: [module => Object.assign(module.ENV, {environment})],
    qtCanvasElements: [document.getElementById('screen')],
    print, printErr: print,
    onExit: code => {{ window.exitStatus = code; }},
    onAbort: what => {{ print('aborted: ' + what); window.exitStatus = 134; }},
}}).catch(error => {{ print(String(error)); window.exitStatus = 1; }});
</script>
'''


def language():
    """it_IT.UTF-8 as it-IT; the C and POSIX locales as the browser's default."""
    locale = os.environ.get('LC_ALL', '').split('.')[0].split('@')[0]
    if locale in ('', 'C', 'POSIX'):
        return 'en-US'
    return locale.replace('_', '-')


def main():
    program = os.path.abspath(sys.argv[1])
    name = os.path.basename(program)[:-len('.js')]
    site = tempfile.mkdtemp(prefix='web-test-')
    server = browser = None
    status = 1
    try:
        for extension in ('.js', '.wasm'):
            os.symlink(program[:-len('.js')] + extension, os.path.join(site, name + extension))
        with open(os.path.join(site, 'index.html'), 'w', encoding='utf-8') as page:
            environment = {key: value for key, value in os.environ.items() if key.startswith('ARDIVO_TEST_')}
            page.write(PAGE.format(name=name, width=WIDTH, height=HEIGHT, arguments=json.dumps(sys.argv[2:]),
                                   environment=json.dumps(environment)))
        server = Server(site)
        browser = Chromium(language=language(), scale=float(os.environ.get('BROWSER_PIXEL_RATIO', '1')))
        browser.driver.get(server.origin + '/index.html')
        printed = 0

        def ended():
            nonlocal printed
            output, code = browser.driver.execute_script('return [window.output, window.exitStatus]')
            for line in output[printed:]:
                print(line, flush=True)
            printed = len(output)
            return code is not None and (code,)

        status = wait_for(f'{name} to end', 45, ended)[0]
    finally:
        if browser:
            browser.close()
        if server:
            server.close()
        shutil.rmtree(site, ignore_errors=True)
    return status


if __name__ == '__main__':
    sys.exit(main())
