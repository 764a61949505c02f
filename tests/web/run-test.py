# SPDX-License-Identifier: MIT
"""Runs a test program built for the browser in Debian's chromium, headless,
from a server of its own: the program's output goes to this one's, and its
exit status is this one's, 1 if it never ended.
Usage: run-test.py PROGRAM.js [ARGUMENTS...]"""

import json
import os
import shutil
import sys
import tempfile

from browser import Chromium, Server, wait_for

PAGE = '''<!doctype html>
<meta charset="utf-8">
<title>{name}</title>
<canvas id="screen" width="800" height="600" style="width: 800px; height: 600px"></canvas>
<script src="{name}.js"></script>
<script>
window.output = [];
window.exitStatus = null;
const print = text => window.output.push(text);
createQtAppInstance({{
    arguments: {arguments},
    qtCanvasElements: [document.getElementById('screen')],
    print, printErr: print,
    onExit: code => {{ window.exitStatus = code; }},
    onAbort: what => {{ print('aborted: ' + what); window.exitStatus = 134; }},
}}).catch(error => {{ print(String(error)); window.exitStatus = 1; }});
</script>
'''


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
            page.write(PAGE.format(name=name, arguments=json.dumps(sys.argv[2:])))
        server = Server(site)
        browser = Chromium()
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
