#!/usr/bin/env python3
# The browser build (make web) in Debian's headless Chromium over DevTools, on each of SCREENS:
# the whole game shows, clicks and taps land on the drawn buttons, the first tap starts every
# sound, the Down control holds the key; a first visit stores the game and moves each file of
# the upload zip once, 3.5 MiB at most; with the server stopped, a reload plays. Exits 77
# (skipped) without Chromium. How long a first visit takes: bench/web_first_visit.py.
import functools, glob, http.server, importlib.util, json, os, shutil, subprocess, sys
import tempfile, threading, time, urllib.request, zipfile

websocket = importlib.util.find_spec("websocket") and importlib.import_module("websocket")
if not shutil.which("chromium") or not websocket:
    print("SKIP: Debian's chromium and python3-websocket are needed and could not be installed")
    sys.exit(77)
SCREENS = [  # name, CSS pixels wide and high, device pixels per CSS pixel, a phone (touch)
    ("laptop", 1366, 657, 1, False), ("desktop", 1920, 969, 1, False), ("small", 320, 320, 1, False),
    ("phone-side", 844, 390, 3, True), ("phone-upright", 390, 844, 3, True)]
failures, console, errors, served, last_id = [], [], [], [], 0

def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    failures.extend([] if ok else [what])

def wait(condition, seconds):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()

class Handler(http.server.SimpleHTTPRequestHandler):
    log_message = lambda *args: None
    def copyfile(self, source, out):  # each file served, and its bytes
        served.append((self.path.lstrip("/"), os.fstat(source.fileno()).st_size))
        super().copyfile(source, out)

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

def js(code, promise=False):  # None also while a reload has no page to evaluate in yet
    return call("Runtime.evaluate", expression=code, returnByValue=True,
                awaitPromise=promise).get("result", {}).get("value")

def load(reload=False):  # the page, to its first frame; ms from navigation to "3"
    console.clear()
    sent = time.time() * 1000
    call("Page.reload") if reload else call(
        "Page.navigate", url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
    printed = lambda: [at - sent for text, at in console if text == "3"]  # by the new page
    check(wait(lambda: js("typeof Module == 'object' && Module.frames > 0") and printed(), 60),
          f"the page prints 3 and runs frames ({console})")
    return (printed() or [-1])[0]

def frames_pass(count):  # and at least a tenth of a second, the game's click spacing
    done, start = js("Module.frames") + count, time.time()
    wait(lambda: js("Module.frames") >= done and time.time() - start > 0.1, 10)

def touch(kind, x, y):
    call("Input.dispatchTouchEvent", type=kind,
         touchPoints=[] if kind == "touchEnd" else [{"x": x, "y": y}])

def act(left, top, scale, tap):  # presses Attack twice, a frame each: does the Health value change?
    x, y = left + 235 * scale, top + 575 * scale
    box = dict(x=left + 400 * scale, y=top + 20 * scale, width=100 * scale, height=50 * scale, scale=1)
    health = lambda: call("Page.captureScreenshot", clip=box)["data"]
    before = health()
    if not tap:
        call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
    for kind in ("touchStart", "touchEnd") * 2 if tap else ("mousePressed", "mouseReleased") * 2:
        touch(kind, x, y) if tap else call("Input.dispatchMouseEvent", type=kind, x=x, y=y,
                                           button="left", clickCount=1)
        frames_pass(1)
    return wait(lambda: health() != before, 10)

def screen(name, width, height, ratio, phone):  # the page fits the screen; a click or tap acts
    call("Emulation.setDeviceMetricsOverride", width=width, height=height,
         deviceScaleFactor=ratio, mobile=phone)
    frames_pass(2)
    left, top, side, high, view = js("(r => [r.left, r.top, r.width, r.height, [innerWidth, "
        "innerHeight, document.documentElement.scrollWidth, document.documentElement.scrollHeight]])"
        "(Module.canvas.getBoundingClientRect())")
    check(side == high == min(width, height) and 0 <= left <= width - side and
          0 <= top <= height - side and view == [width, height] * 2,
          f"{name}: the whole game shows, square, at {side:g} px of {width}x{height}, no scrolling")
    check(act(left, top, side / 800, phone), f"{name}: Health changes after a press on Attack")

def sound(state):  # is every AudioContext the page made (one at least) in this state?
    return js(f"contexts.length > 0 && contexts.every(c => c.state == '{state}')")

try:
    port_file = os.path.join(profile, "DevToolsActivePort")
    wait(lambda: os.path.exists(port_file) and open(port_file).read().strip(), 30)
    targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{open(port_file).read().split()[0]}/json"))
    ws = websocket.create_connection(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
    for domain in ("Runtime", "Log", "Page"):
        call(domain + ".enable")
    call("Page.addScriptToEvaluateOnNewDocument", source="var contexts = []; AudioContext = class "
         "extends AudioContext { constructor(...a) { super(...a); contexts.push(this); } };")
    load()
    stored = js("Promise.race([navigator.serviceWorker.ready.then(() => true),"
                " new Promise(done => setTimeout(done, 30000, false))])", True)
    names = zipfile.ZipFile(glob.glob(os.path.join(sys.argv[1], "brannoch-*-web.zip"))[0]).namelist()
    check(stored and sum(size for _, size in served) <= 3.5 * 2**20 and
          sorted(path for path, _ in served) == sorted(names), f"a first visit stores the game and "
          f"moves each file of the upload zip once, 3.5 MiB at most ({served})")
    check(sound("suspended"), "silent before the first click")
    for row in SCREENS:
        if row[4] and not js("document.body.classList.contains('touch')"):  # a phone from now on
            call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            load(reload=True)
            check(sound("suspended"), "silent before the first tap")
        screen(*row)
        check(wait(lambda: sound("running"), 5), f"{row[0]}: every AudioContext runs")
    down = js("(r => [r.x + r.width / 2, r.y + r.height / 2])(down.getBoundingClientRect())")
    for kind, held in (("touchStart", 1), ("touchEnd", 0)):  # SDL_SCANCODE_DOWN is 81
        touch(kind, *down)
        frames_pass(2)
        check(js("HEAPU8[_SDL_GetKeyboardState(0) + 81]") == held, f"Down held: {held}")
    print("first frame %.0f ms after navigation; %.1f frames/s, %.1f ms each in the game's code" %
          tuple(js("[Module.firstFrameMs, Module.frames * 1000 / (performance.now() - "
                   "Module.firstFrameMs), Module.busyMs / (Module.frames - 1)]")))
    server.shutdown()
    server.server_close()
    print(f"offline reload: 3 after {load(reload=True):.0f} ms")
    check(act(*js("(r => [r.x, r.y, r.width / 800])(Module.canvas.getBoundingClientRect())"), True),
          "offline, Health changes after a tap on Attack")
    check(not errors, f"no console error ({errors})")
finally:
    browser.terminate()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failures else 0)
