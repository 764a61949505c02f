# SPDX-License-Identifier: MIT
"""Ardivo's page beside a bare Qt page with the same kinds of controls, in
Debian's chromium, headless, round-robin in the same run: the bytes each
page loads (as they are, gzipped and in brotli), and the time from
navigation to the window's first frame, from a loopback server, and over
a phone's connection: chromium's network emulation at DevTools' "Fast 4G"
figures (9 Mbit/s down and 1.5 up, each at 90 %, 165 ms round trip), the
page served gzipped. Each load has a profile of its own, so nothing comes
from a cache.
Usage: web.py ARDIVO_SITE BARE_SITE [RUNS]"""

import functools
import gzip
import pathlib
import statistics
import subprocess
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


FAST_4G = {'offline': False, 'latency': 60 * 2.75, 'downloadThroughput': 9e6 / 8 * 0.9,
           'uploadThroughput': 1.5e6 / 8 * 0.9}


def load(server, page, throttled=False):
    browser = Chromium()
    try:
        browser.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FIRST_DRAW})
        if throttled:
            browser.driver.execute_cdp_cmd('Network.enable', {})
            browser.driver.execute_cdp_cmd('Network.emulateNetworkConditions', FAST_4G)
        del server.requested[:]
        browser.driver.get(f'{server.origin}/{page}')
        return wait_for(f'the first frame of {page}', 60,
                        lambda: browser.driver.execute_script('return window.firstDraw'))
    finally:
        browser.close()


@functools.cache
def sizes_of(path):
    """A file's size as it is, gzipped (level 9) and in brotli (level 11)."""
    data = path.read_bytes()
    brotli = subprocess.run(['brotli', '-q', '11', '-c', str(path)], capture_output=True, check=True).stdout
    return len(data), len(gzip.compress(data, compresslevel=9, mtime=0)), len(brotli)


def served(site, requested):
    """Bytes of the files a page loaded: as they are, gzipped, in brotli."""
    files = {path.lstrip('/').split('?')[0] for path, code in requested if str(code) == '200'}
    return [sum(sizes) for sizes in zip(*(sizes_of(pathlib.Path(site) / file) for file in sorted(files)))]


def main():
    sites = {'ardivo': (sys.argv[1], 'index.html'), 'bare Qt': (sys.argv[2], 'bare_controls.html')}
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    servers = {name: Server(site) for name, (site, _) in sites.items()}
    phone_servers = {name: Server(site, compress=True) for name, (site, _) in sites.items()}
    times = {name: [] for name in sites}
    phone_times = {name: [] for name in sites}
    sizes = {}
    try:
        for round in range(runs + 1):  # the first round warms the disk cache up
            for name, (site, page) in sites.items():
                elapsed = load(servers[name], page)
                sizes[name] = served(site, servers[name].requested)
                phone_elapsed = load(phone_servers[name], page, throttled=True)
                if round:
                    times[name].append(elapsed)
                    phone_times[name].append(phone_elapsed)
    finally:
        for server in [*servers.values(), *phone_servers.values()]:
            server.close()

    mib = 1024 * 1024
    print(f'\nIn the browser: Debian\'s chromium, headless, {runs} loads each after a warm-up, round-robin, '
          f'each with an empty profile (navigation → first frame, ms):')
    print('| page       | loaded MiB | gzipped MiB | brotli MiB | first frame, loopback | × bare Qt '
          '| first frame, Fast 4G | × bare Qt |')
    print('|------------|------------|-------------|------------|----------------------|-----------'
          '|----------------------|-----------|')
    floor = statistics.median(times['bare Qt'])
    phone_floor = statistics.median(phone_times['bare Qt'])

    def spread(values):
        return f'{statistics.median(values):.0f} / {min(values):.0f} / {max(values):.0f}'

    for name in sites:
        plain, gzipped, brotli = (size / mib for size in sizes[name])
        print(f'| {name:<10} | {plain:>10.2f} | {gzipped:>11.2f} | {brotli:>10.2f} | {spread(times[name]):>20} '
              f'| {statistics.median(times[name]) / floor:>9.2f} | {spread(phone_times[name]):>20} '
              f'| {statistics.median(phone_times[name]) / phone_floor:>9.2f} |')
    print('(first frame: median / min / max, ms)')


if __name__ == '__main__':
    main()
