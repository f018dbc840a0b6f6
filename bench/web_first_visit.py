#!/usr/bin/env python3
# A player's first visit to the browser build over a slow line (docs/PERFORMANCE.md, make
# bench-web): serves WEB_DIR as a 10 Mbit/s line with 40 ms latency would (each response 40 ms
# late, every byte over one shared 1.25 MB/s), opens the page in a fresh headless Chromium and
# prints when the game printed "3" and what each file moved until the service worker was ready.
# The server is slowed, not the browser: Chromium's own throttling leaves a worker's fetches out.
#
#   web_first_visit.py WEB_DIR
import functools, http.server, json, os, shutil, subprocess, sys, tempfile, threading, time
import urllib.request
import websocket

RATE, LATENCY = 10e6 / 8, 0.040  # bytes a second, seconds
moved, line = {}, [0.0, threading.Lock()]  # bytes by file; when the line is next free


class SlowLine(http.server.SimpleHTTPRequestHandler):
    log_message = lambda *args: None

    def copyfile(self, source, out):
        time.sleep(LATENCY)
        while chunk := source.read(1 << 16):
            with line[1]:
                line[0] = max(line[0], time.time()) + len(chunk) / RATE
            time.sleep(max(0.0, line[0] - time.time()))
            out.write(chunk)
            moved[self.path] = moved.get(self.path, 0) + len(chunk)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                         functools.partial(SlowLine, directory=sys.argv[1]))
threading.Thread(target=server.serve_forever, daemon=True).start()
profile = tempfile.mkdtemp(prefix="brannoch-visit-")
browser = subprocess.Popen(["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader", "--remote-debugging-port=0", f"--user-data-dir={profile}"],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    port_file = os.path.join(profile, "DevToolsActivePort")
    while not os.path.exists(port_file) or not open(port_file).read().strip():
        time.sleep(0.05)
    port = open(port_file).read().split()[0]
    targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json"))
    ws = websocket.create_connection(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
    printed = []  # epoch ms of each "3" on the console

    def call(method, **params):
        ws.send(json.dumps({"id": 1, "method": method, "params": params}))
        while True:
            message = json.loads(ws.recv())
            if message.get("id") == 1:
                return message.get("result", {})
            args = message.get("params", {})
            if message.get("method") == "Runtime.consoleAPICalled" and args["args"][0].get("value") == "3":
                printed.append(args["timestamp"])

    call("Runtime.enable")
    sent = time.time() * 1000
    call("Page.navigate", url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
    while not printed:
        time.sleep(0.05)
        call("Runtime.evaluate", expression="0")
    # Ready: installed, its files stored (a build without a worker gives up after 30 s).
    call("Runtime.evaluate", awaitPromise=True, expression="Promise.race([navigator.serviceWorker"
         ".ready, new Promise(done => setTimeout(done, 30000))])")
    print(f'"3" after {(printed[0] - sent) / 1000:.2f} s; {sum(moved.values())} bytes moved: {moved}')
finally:
    browser.terminate()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)
