#!/usr/bin/env python3
# The browser build (make web) in Debian's headless Chromium over its DevTools protocol: start-up
# line, no console error, the picture, real clicks and Down key, sound from the first click on.
# Usage: browser_test.py BUILD_WEB_DIR. Exits 77 (skipped) where Chromium is missing.
import base64, functools, http.server, importlib.util, json, os, shutil, subprocess, sys
import tempfile, threading, time, urllib.request

websocket = importlib.util.find_spec("websocket") and importlib.import_module("websocket")
if not shutil.which("chromium") or not websocket:
    print("SKIP: Debian's chromium and python3-websocket are needed and could not be installed")
    sys.exit(77)
failures, console, errors, last_id = [], [], [], 0  # errors: the page's, kept as they come

def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    failures.extend([] if ok else [what])

def wait(condition, seconds):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()

http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
profile = tempfile.mkdtemp(prefix="brannoch-chromium-")
# Like a desktop browser, and unlike headless Chromium by default, sound waits for the player.
browser = subprocess.Popen(["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader", "--remote-debugging-port=0", f"--user-data-dir={profile}",
    "--autoplay-policy=document-user-activation-required", "--window-size=1000,1000"],
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
            console.append(" ".join(str(a.get("value")) for a in args["args"]))
        if args.get("type") in ("error", "assert") or event == "Runtime.exceptionThrown" or (
                event == "Log.entryAdded" and args["entry"]["level"] == "error"):
            errors.append(json.dumps(args)[:300])

def js(code):
    return call("Runtime.evaluate", expression=code, returnByValue=True)["result"].get("value")

def frames_pass(count):  # and at least a tenth of a second, the game's click spacing
    done, start = js("Module.frames") + count, time.time()
    wait(lambda: js("Module.frames") >= done and time.time() - start > 0.1, 10)

def canvas():  # as the browser shows it: its place, size and rows of RGB bytes
    left, top, width, height = js("(r => [r.left, r.top, r.width, r.height])"
                                  "(Module.canvas.getBoundingClientRect())")
    clip = {"x": left, "y": top, "width": width, "height": height, "scale": 1}
    png = base64.b64decode(call("Page.captureScreenshot", format="png", clip=clip)["data"])
    rgb = subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png,
                         capture_output=True, check=True).stdout
    return left, top, width, height, [rgb[y * 3 * width:(y + 1) * 3 * width] for y in range(height)]

def health_box():  # the HUD's health value, at (400, 20), 100 x 50 canvas pixels
    return [row[400 * 3:500 * 3] for row in canvas()[4][20:70]]

try:
    port_file = os.path.join(profile, "DevToolsActivePort")
    wait(lambda: os.path.exists(port_file), 30)
    targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{open(port_file).read().split()[0]}/json"))
    ws = websocket.create_connection(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
    for domain in ("Runtime", "Log", "Page"):
        call(domain + ".enable")
    call("Page.navigate", url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
    started = wait(lambda: js("typeof Module == 'object' && Module.frames > 0"), 60)
    check(started and "3" in console, f"the page prints 3 and runs frames ({console})")
    check(js("Module.SDL2.audioContext.state") == "suspended", "silent before the first click")
    left, top, width, height, rows = canvas()
    check(js("[Module.canvas.width, Module.canvas.height]") == [width, height] == [800, 800],
          f"the canvas is 800x800 ({width}x{height} on the page)")
    check(bytes((255, 255, 100)) in {r[i:i + 3] for r in rows[:120] for i in range(0, len(r), 3)},
          "the HUD shows pale yellow text")
    for attempt in ("the first clicks", "clicks after the Down key"):
        for kind in ("rawKeyDown", "keyUp") if "Down" in attempt else ():  # held for a frame
            call("Input.dispatchKeyEvent", type=kind, key="ArrowDown", code="ArrowDown",
                 windowsVirtualKeyCode=40)
            frames_pass(1)
        before = health_box()
        at = {"x": left + 235, "y": top + 575, "button": "left", "clickCount": 1}  # on Attack
        call("Input.dispatchMouseEvent", type="mouseMoved", x=at["x"], y=at["y"])
        for kind in ("mousePressed", "mouseReleased") * 2:  # real presses, one frame each
            call("Input.dispatchMouseEvent", type=kind, **at)
            frames_pass(1)
        check(wait(lambda: health_box() != before, 10), f"Health changes after {attempt}")
        check(wait(lambda: js("Module.SDL2.audioContext.state") == "running", 5), "sound on")
    check(not errors, f"no console error ({errors})")
    rate = js("Module.frames * 1000 / (performance.now() - Module.firstFrameMs)")
    print(f"first frame {js('Module.firstFrameMs'):.0f} ms after navigation; {rate:.1f} frames/s")
finally:
    browser.terminate()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failures else 0)
