#!/usr/bin/env python3
"""The browser build (make web) in Debian's headless Chromium, driven over its DevTools protocol:
the start-up line and no console error, the picture, real clicks on Attack answered by the
enemies, a real Down key, and the sound held back until the first click.
Usage: browser_test.py BUILD_WEB_DIR. Exits 77 (skipped) where Chromium is missing."""
import functools, http.server, json, os, shutil, subprocess, sys, tempfile, threading, time
import urllib.request

chromium = shutil.which("chromium")
try:
    import websocket
except ImportError:
    websocket = None
if not chromium or not websocket:
    print("SKIP: Debian's chromium and python3-websocket are needed and could not be installed")
    sys.exit(77)

ATTACK = (235, 575)                # the middle of the Attack button, canvas pixels
HEALTH_BOX = (400, 20, 500, 70)    # the Health value box: left, top, right, bottom
PALE_YELLOW = (255, 255, 100)      # the HUD's text colour
failures = []

def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)

handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
handler.log_message = lambda *args: None
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
profile = tempfile.mkdtemp(prefix="brannoch-chromium-")
browser = subprocess.Popen([chromium, "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader", "--remote-debugging-port=0", f"--user-data-dir={profile}",
    "--autoplay-policy=user-gesture-required", "--window-size=1000,1000", "about:blank"],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

class Page:
    """One tab: commands by id; console lines and errors are collected as they arrive."""
    def __init__(self):
        port_file, deadline = os.path.join(profile, "DevToolsActivePort"), time.time() + 30
        while not os.path.exists(port_file) and time.time() < deadline:
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json"))
        url = next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"]
        self.ws, self.next_id, self.console, self.errors = websocket.create_connection(url), 0, [], []

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                return message.get("result", {})
            event, args = message.get("method"), message.get("params", {})
            if event == "Runtime.consoleAPICalled":
                text = " ".join(str(a.get("value", a.get("description"))) for a in args["args"])
                self.console.append(text)
                if args["type"] in ("error", "assert"):
                    self.errors.append(text)
            elif event == "Runtime.exceptionThrown":
                self.errors.append(json.dumps(args["exceptionDetails"])[:300])
            elif event == "Log.entryAdded" and args["entry"]["level"] == "error":
                self.errors.append(args["entry"]["text"] + " " + args["entry"].get("url", ""))

    def js(self, expression):
        return self.call("Runtime.evaluate", expression=expression)["result"].get("value")

    def wait_for(self, expression, seconds):
        deadline = time.time() + seconds
        while not self.js(expression) and time.time() < deadline:
            time.sleep(0.05)
        return self.js(expression)

    def screenshot(self):
        """The canvas as rows of RGB bytes: the browser's picture, decoded by ImageMagick."""
        left, top, width, height = self.js("(r => [r.left, r.top, r.width, r.height])"
                                           "(Module.canvas.getBoundingClientRect())")
        clip = {"x": left, "y": top, "width": width, "height": height, "scale": 1}
        png = self.call("Page.captureScreenshot", format="png", clip=clip)["data"]
        rgb = subprocess.run(["convert", "inline:data:image/png;base64," + png, "-depth", "8",
                              "rgb:-"], capture_output=True, check=True).stdout
        return width, height, [rgb[y * 3 * width:(y + 1) * 3 * width] for y in range(height)]

    def click(self, x, y):
        """A real press and release at canvas pixel (x, y), held over a few frames."""
        left, top = self.js("(r => [r.left, r.top])(Module.canvas.getBoundingClientRect())")
        at = {"x": left + x, "y": top + y, "button": "left", "clickCount": 1}
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=at["x"], y=at["y"])
        self.call("Input.dispatchMouseEvent", type="mousePressed", **at)
        time.sleep(0.15)
        self.call("Input.dispatchMouseEvent", type="mouseReleased", **at)
        time.sleep(0.3)  # the enemies answer in the next frame; clicks must be 0.1 s apart

def box(rows, left, top, right, bottom):
    return [row[left * 3:right * 3] for row in rows[top:bottom]]

try:
    page = Page()
    for domain in ("Runtime", "Log", "Page"):
        page.call(domain + ".enable")
    page.call("Page.navigate", url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
    started = page.wait_for("typeof Module == 'object' && Module.frames > 0", 60)
    check(started and "3" in page.console, f"the page prints 3 and runs frames ({page.console})")
    first_frame_ms, frames = page.js("Module.firstFrameMs"), page.js("Module.frames")
    time.sleep(3)
    fps = (page.js("Module.frames") - frames) / 3
    print(f"first frame {first_frame_ms:.0f} ms after navigation; {fps:.1f} frames per second")
    check(page.js("Module.SDL2.audioContext.state") == "suspended", "silent before the first click")
    width, height, rows = page.screenshot()
    check((width, height, page.js("[Module.canvas.width, Module.canvas.height]")) ==
          (800, 800, [800, 800]), f"the canvas is 800x800 ({width}x{height} on the page)")
    hud = {row[i:i + 3] for row in box(rows, 0, 0, 800, 120) for i in range(0, len(row), 3)}
    check(bytes(PALE_YELLOW) in hud, "the HUD shows pale yellow text")
    for attempt in ("the first click", "a click after the Down key"):
        before = box(rows, *HEALTH_BOX)
        page.click(*ATTACK)
        page.click(*ATTACK)
        width, height, rows = page.screenshot()
        check(box(rows, *HEALTH_BOX) != before, f"the Health box changes after {attempt}")
        check(page.wait_for("Module.SDL2.audioContext.state == 'running'", 5), "sound from then on")
        down = {"key": "ArrowDown", "code": "ArrowDown", "windowsVirtualKeyCode": 40}
        page.call("Input.dispatchKeyEvent", type="rawKeyDown", **down)
        time.sleep(0.1)
        page.call("Input.dispatchKeyEvent", type="keyUp", **down)
    frames = page.js("Module.frames")
    check(page.wait_for(f"Module.frames > {frames}", 5), "frames go on after the Down key")
    check(not page.errors, f"no console error ({page.errors})")
finally:
    browser.terminate()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failures else 0)
