#!/usr/bin/env python3
# A player's first visit to the browser build over a slow line (docs/PERFORMANCE.md, make
# bench-web): serves WEB_DIR as a 10 Mbit/s line with 40 ms latency would (each response 40 ms
# late, every byte over one shared 1.25 MB/s), opens the page in a fresh headless Chromium and
# prints when the game printed "3" and what each file moved until the service worker was ready.
# The server is slowed, not the browser: Chromium's own throttling leaves a worker's fetches out.
#
#   web_first_visit.py WEB_DIR
import sys

import web_engines as web

site = web.Site(sys.argv[1], rate=10e6 / 8, latency=0.040)
page = web.chromium()
try:
    page.open(site.url)
    web.wait(lambda: page.js("seen.printed.some(line => line[0] == '3')"), 120)
    printed = page.js("seen.printed.find(line => line[0] == '3')[1]")  # ms after the navigation
    # Ready: installed, its files stored (a build without a worker gives up after 30 s).
    page.js("Promise.race([navigator.serviceWorker.ready, new Promise(done => setTimeout(done, "
            "30000))]).then(() => 0)")
    moved = {}
    for name, size in site.served:
        moved[name] = moved.get(name, 0) + size
    print(f'"3" after {printed / 1000:.2f} s; {sum(moved.values())} bytes moved: {moved}')
finally:
    page.quit()
    site.stop()
