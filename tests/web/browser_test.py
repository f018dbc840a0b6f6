#!/usr/bin/env python3
# The browser build (make web) in Debian's headless Chromium over its DevTools protocol, on each
# screen of SCREENS: the whole game shows, clicks and taps land on the drawn buttons, the first
# tap starts the sound, the Down control holds the key; a first visit moves at most 3.5 MiB,
# each file once, the upload zip's files; with the server stopped, a reload plays.
# Usage: browser_test.py BUILD_WEB_DIR [--first-visit]. The second form only times a first visit
# over a 10 Mbit/s link with 40 ms latency (docs/PERFORMANCE.md). Exits 77 (skipped) where
# Chromium is missing. SCREENSHOTS=DIR keeps a picture of each screen.
import base64, functools, glob, http.server, importlib.util, json, os, shutil, subprocess, sys
import tempfile, threading, time, urllib.request, zipfile

websocket = importlib.util.find_spec("websocket") and importlib.import_module("websocket")
if not shutil.which("chromium") or not websocket:
    print("SKIP: Debian's chromium and python3-websocket are needed and could not be installed")
    sys.exit(77)
SCREENS = [  # name, CSS pixels wide and high, device pixels per CSS pixel, a phone's touch screen
    ("laptop", 1366, 657, 1, False), ("desktop", 1920, 969, 1, False),
    ("small window", 320, 320, 1, False), ("phone-side", 844, 390, 3, True),
    ("phone-upright", 390, 844, 3, True)]
THROTTLED = "--first-visit" in sys.argv
failures, console, errors, served, last_id, link = [], [], [], [], 0, [0.0]

def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    failures.extend([] if ok else [what])

def wait(condition, seconds):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()

class Line:  # what the server sends, counted by request; when THROTTLED, one 10 Mbit/s line
    def __init__(self, out, handler):
        self.out, self.handler = out, handler
    def __getattr__(self, name):
        return getattr(self.out, name)
    def write(self, data):
        self.handler.sent[1] += len(data)
        if THROTTLED:
            with lock:
                link[0] = max(link[0], time.time()) + len(data) / 1.25e6
            time.sleep(max(0.0, link[0] - time.time()))
        return self.out.write(data)

class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def setup(self):
        super().setup()
        self.wfile = Line(self.wfile, self)
    def do_GET(self):
        self.sent = [self.path.lstrip("/"), 0]
        served.append(self.sent)
        time.sleep(0.04 if THROTTLED else 0)
        super().do_GET()

lock = threading.Lock()
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                         functools.partial(Handler, directory=sys.argv[1]))
threading.Thread(target=server.serve_forever, daemon=True).start()
profile = tempfile.mkdtemp(prefix="brannoch-chromium-")
# Like a phone's browser, and unlike headless Chromium by default, sound waits for the player.
browser = subprocess.Popen(["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader", "--remote-debugging-port=0", f"--user-data-dir={profile}",
    "--autoplay-policy=document-user-activation-required"],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

def call(method, **params):  # one DevTools command and its result
    global last_id
    last_id += 1
    ws.send(json.dumps({"id": last_id, "method": method, "params": params}))
    while True:
        message = json.loads(ws.recv())
        if message.get("id") == last_id:
            return message.get("result", {})
        event, args = message.get("method"), message.get("params", {})
        if event == "Runtime.consoleAPICalled":
            console.append((" ".join(str(a.get("value")) for a in args["args"]), args["timestamp"]))
        if args.get("type") in ("error", "assert") or event == "Runtime.exceptionThrown" or (
                event == "Log.entryAdded" and args["entry"]["level"] == "error"):
            errors.append(json.dumps(args)[:300])

def js(code, promise=False):
    return call("Runtime.evaluate", expression=code, returnByValue=True,
                awaitPromise=promise)["result"].get("value")

def load(reload=False):  # the page, until its first frame; ms from navigation to "3"
    console.clear()
    sent = time.time() * 1000
    if reload:
        call("Page.reload")
    else:
        call("Page.navigate", url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
    printed = lambda: [at for text, at in console if text == "3"]  # by the new page
    started = wait(lambda: js("typeof Module == 'object' && Module.frames > 0") and printed(), 60)
    three = printed()
    check(started and three, f"the page prints 3 and runs frames ({console})")
    return three[0] - sent if three else None

def frames_pass(count):  # and at least a tenth of a second, the game's click spacing
    done, start = js("Module.frames") + count, time.time()
    wait(lambda: js("Module.frames") >= done and time.time() - start > 0.1, 10)

def health_box(left, top, scale):  # the HUD's health value at (400, 20), 100 x 50 game pixels
    clip = {"x": left + 400 * scale, "y": top + 20 * scale, "width": 100 * scale,
            "height": 50 * scale, "scale": 1}
    return call("Page.captureScreenshot", format="png", clip=clip)["data"]

def touch(kind, x, y):
    call("Input.dispatchTouchEvent", type=kind, touchPoints=[] if kind == "touchEnd" else
         [{"x": x, "y": y}])

def act(left, top, scale, tap):  # presses Attack, held a frame, twice; is Health changed?
    x, y = left + 235 * scale, top + 575 * scale
    before = health_box(left, top, scale)
    if not tap:
        call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
    for kind in ("touchStart", "touchEnd") * 2 if tap else ("mousePressed", "mouseReleased") * 2:
        if tap:
            touch(kind, x, y)
        else:
            call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
        frames_pass(1)
    return wait(lambda: health_box(left, top, scale) != before, 10)

def screen(name, width, height, ratio, phone):  # the page fits the screen; a click or tap acts
    call("Emulation.setDeviceMetricsOverride", width=width, height=height,
         deviceScaleFactor=ratio, mobile=phone)
    frames_pass(2)
    left, top, side, high, inner_w, inner_h, scroll_w, scroll_h = js(
        "(r => [r.left, r.top, r.width, r.height, innerWidth, innerHeight,"
        " document.documentElement.scrollWidth, document.documentElement.scrollHeight])"
        "(Module.canvas.getBoundingClientRect())")
    check(side == high == min(width, height) and left >= 0 and top >= 0 and left + side <= width
          and top + side <= height and [inner_w, inner_h, scroll_w, scroll_h] == [width, height] * 2,
          f"{name}: the whole game shows, square, at {side:g} px of {width}x{height}, no scrolling")
    if os.environ.get("SCREENSHOTS"):
        with open(os.path.join(os.environ["SCREENSHOTS"], f"web-{name}.png"), "wb") as png:
            png.write(base64.b64decode(call("Page.captureScreenshot", format="png")["data"]))
    check(act(left, top, side / 800, phone), f"{name}: Health changes after a press on Attack")

def sound(state):  # is every AudioContext the page made (one at least) in this state?
    return js(f"contexts.length > 0 && contexts.every(c => c.state == '{state}')")

try:
    port_file = os.path.join(profile, "DevToolsActivePort")
    wait(lambda: os.path.exists(port_file), 30)
    targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{open(port_file).read().split()[0]}/json"))
    ws = websocket.create_connection(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
    for domain in ("Runtime", "Log", "Page"):
        call(domain + ".enable")
    call("Page.addScriptToEvaluateOnNewDocument", source="var contexts = []; "
         "AudioContext = class extends AudioContext { constructor(...a) { super(...a); contexts.push(this); } };")
    call("Emulation.setDeviceMetricsOverride", width=1366, height=657, deviceScaleFactor=1, mobile=False)
    shown = load()
    stored = js("Promise.race([new Promise(done => setTimeout(done, 30000, false)),"
                " navigator.serviceWorker.ready.then(r => new Promise(done => { const w = r.active;"
                " w.state == 'activated' ? done(true) : w.onstatechange = () => done(true); }))])", True)
    sizes = {}
    for path, size in served:
        sizes[path] = sizes.get(path, 0) + size
    total = sum(sizes.values())
    if THROTTLED:
        print(f'"3" {shown / 1000:.2f} s after navigation; {total} bytes moved: {sizes}')
        sys.exit(0)
    archive = zipfile.ZipFile(glob.glob(os.path.join(sys.argv[1], "brannoch-*-web.zip"))[0])
    check(stored and total <= 3.5 * 2**20 and len(served) == len(sizes) == len(set(sizes))
          and sorted(sizes) == sorted(archive.namelist()), f"a first visit stores the game and "
          f"moves {total} bytes, each file of the upload zip once ({served})")
    check(sound("suspended"), "silent before the first click")
    for row in SCREENS:
        if row[4] and not js("document.body.classList.contains('touch')"):  # a phone from now on
            call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            call("Emulation.setDeviceMetricsOverride", width=row[1], height=row[2],
                 deviceScaleFactor=row[3], mobile=True)
            load(reload=True)
            check(sound("suspended"), "silent before the first tap")
        screen(*row)
        check(wait(lambda: sound("running"), 5), f"{row[0]}: every AudioContext runs")
    down = js("(r => [r.left + r.width / 2, r.top + r.height / 2])"
              "(document.getElementById('down').getBoundingClientRect())")
    down_held = "Module.HEAPU8[Module._SDL_GetKeyboardState(0) + 81]"  # SDL_SCANCODE_DOWN
    for kind, held in (("touchStart", 1), ("touchEnd", 0)):
        touch(kind, *down)
        frames_pass(2)
        check(js(down_held) == held, f"the game sees Down {'held' if held else 'let go'}")
    rate = js("Module.frames * 1000 / (performance.now() - Module.firstFrameMs)")
    busy = js("Module.busyMs / (Module.frames - 1)")
    print(f"first frame {js('Module.firstFrameMs'):.0f} ms after navigation; {rate:.1f} frames/s,"
          f" {busy:.1f} ms of them in the game's own frame")
    server.shutdown()
    server.server_close()
    print(f"offline reload: 3 after {load(reload=True):.0f} ms")
    check(act(*js("(r => [r.left, r.top, r.width / 800])(Module.canvas.getBoundingClientRect())"),
              True), "offline, Health changes after a tap on Attack")
    check(not errors, f"no console error ({errors})")
finally:
    browser.terminate()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failures else 0)
