# SPDX-License-Identifier: MIT
"""Ardivo's page beside a bare Qt page with the same kinds of controls, in
Debian's chromium, headless, round-robin in the same run: the bytes each
page loads (as sent, and as a server that gzips would send them), and the
time from navigation to the window's first frame. Each load has a profile
of its own, so nothing comes from a cache.
Usage: web.py ARDIVO_SITE BARE_SITE [RUNS]"""

import gzip
import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'web'))
from browser import Chromium, Server, wait_for  # noqa: E402

# The first frame is the first draw call on the canvas's WebGL context, which
# Qt's WebAssembly platform composes the window with.
FIRST_DRAW = '''
for (const type of [WebGLRenderingContext, WebGL2RenderingContext])
  for (const name of ['drawArrays', 'drawElements']) {
    const draw = type.prototype[name];
    type.prototype[name] = function (...args) {
      if (window.firstDraw === undefined) window.firstDraw = performance.now();
      return draw.apply(this, args);
    };
  }
'''


def load(server, page):
    browser = Chromium()
    try:
        browser.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FIRST_DRAW})
        del server.requested[:]
        browser.driver.get(f'{server.origin}/{page}')
        return wait_for(f'the first frame of {page}', 60,
                        lambda: browser.driver.execute_script('return window.firstDraw'))
    finally:
        browser.close()


def served(site, requested):
    """Bytes of the files a page loaded, as they are and gzipped."""
    plain = packed = 0
    for path, code in requested:
        if str(code) != '200':
            continue
        data = (pathlib.Path(site) / path.lstrip('/').split('?')[0]).read_bytes()
        plain += len(data)
        packed += len(gzip.compress(data, compresslevel=9, mtime=0))
    return plain, packed


def main():
    sites = {'ardivo': (sys.argv[1], 'index.html'), 'bare Qt': (sys.argv[2], 'bare_controls.html')}
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    servers = {name: Server(site) for name, (site, _) in sites.items()}
    times = {name: [] for name in sites}
    sizes = {}
    try:
        for round in range(runs + 1):  # the first round warms the disk cache up
            for name, (site, page) in sites.items():
                elapsed = load(servers[name], page)
                if round:
                    times[name].append(elapsed)
                sizes[name] = served(site, servers[name].requested)
    finally:
        for server in servers.values():
            server.close()

    mib = 1024 * 1024
    print(f'\nIn the browser: Debian\'s chromium, headless, {runs} loads each after a warm-up, round-robin, '
          f'each with an empty profile (navigation → first frame, ms):')
    print('| page       | loaded MiB | gzipped MiB | first frame med/min/max | × bare Qt |')
    print('|------------|------------|-------------|-------------------------|-----------|')
    floor = statistics.median(times['bare Qt'])
    for name in sites:
        median = statistics.median(times[name])
        spread = f'{median:.0f} / {min(times[name]):.0f} / {max(times[name]):.0f}'
        print(f'| {name:<10} | {sizes[name][0] / mib:>10.2f} | {sizes[name][1] / mib:>11.2f} | {spread:>23} '
              f'| {median / floor:>9.2f} |')


if __name__ == '__main__':
    main()
