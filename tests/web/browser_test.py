#!/usr/bin/env python3
# The browser build (make web) played from outside in Debian's three engines, the same checks in
# each (bench/web_engines.py starts and drives them): the game prints 3 with no error and draws
# with the context the row expects; a first visit stores it and moves each file of the upload zip
# once, 2.8 MiB at most; the sound waits for the first click and then runs; on each screen the
# whole game shows and a click or tap on Attack changes the Health box; SDL takes the Down arrow
# (and a touch screen's Down control sends it); with the server stopped, a reload plays. Exits 77
# (skipped) when an engine cannot be started or there is no build.
import glob, io, os, shutil, signal, sys, tempfile, time, zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../bench"))
import web_engines as web
from web_engines import wait

site_dir = sys.argv[1]
if not os.path.exists(os.path.join(site_dir, "game.js")):
    print(f"SKIP: no browser build in {site_dir}: `make web` makes it")
    sys.exit(77)
# Chromium's screens: CSS pixels wide and high, device pixels per CSS pixel, a phone (touch).
SCREENS = [("laptop", 1366, 657, 1, False), ("desktop", 1920, 969, 1, False),
           ("small", 320, 320, 1, False), ("phone-side", 844, 390, 3, True),
           ("phone-upright", 390, 844, 3, True)]
WINDOW = [("window", None, None, 1, False)]  # as the engine's own window is
# Like a phone's browser, and unlike headless Chromium by default, sound waits for the player.
SILENT = "--autoplay-policy=document-user-activation-required"
WEBGL, SOFTWARE = ["webgl"], ["webgl refused", "2d"]  # what the canvas was asked for, and gave
# WebKitGTK under its driver fetches game.wasm three times and five other files twice on a first
# visit (preloads not taken, no HTTP cache for the worker): only which files come is checked.
ONCE = 2.8 * 2**20  # a first visit moves each file once, this many bytes at most
# Each engine: name, programs, start, screens, drawing, and its first visit: the bytes it may
# move, False for any, None for none (nor the keys or the offline reload).
ENGINES = [
    ("chromium", ["chromium", "chromedriver"], lambda env: web.chromium(SILENT), SCREENS, WEBGL,
     ONCE),
    ("firefox", ["firefox-esr", "Xvfb", "pulseaudio"], web.firefox, WINDOW, WEBGL, ONCE),
    ("webkit", ["WebKitWebDriver", "Xvfb", "pulseaudio"], web.webkit, WINDOW, WEBGL, False),
    ("chromium without WebGL", ["chromium", "chromedriver"],
     lambda env: web.chromium(SILENT, "--disable-3d-apis"), SCREENS[:1], SOFTWARE, None)]
failures, skipped = [], []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    failures.extend([] if ok else [what])
    return ok


def frames_pass(page, count):  # and at least a tenth of a second, the game's click spacing
    done, start = page.js("seen.frames") + count, time.time()
    wait(lambda: page.js("seen.frames") >= done and time.time() - start > 0.1, 10)


def picture(page, box):  # the pixels of a box of CSS pixels on the screen
    from PIL import Image
    ratio = page.js("devicePixelRatio")
    return Image.open(io.BytesIO(page.shot())).crop([round(v * ratio) for v in (
        box[0], box[1], box[0] + box[2], box[1] + box[3])]).tobytes()


def press(page, x, y, down, tap):
    if tap:
        page.cdp("Input.dispatchTouchEvent", type="touchStart" if down else "touchEnd",
                 touchPoints=[{"x": x, "y": y}] if down else [])
    else:
        page.act([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                   "actions": [{"type": "pointerMove", "x": round(x) + dx, "y": round(y)}
                               for dx in (1, 0)] + [  # a move SDL sees, then the press
                               {"type": "pointerDown" if down else "pointerUp", "button": 0}]}])


def acts(page, tap):  # presses Attack twice, a frame each: does the Health box change?
    left, top, side = page.js("(r => [r.left, r.top, r.width])(canvas.getBoundingClientRect())")
    scale = side / 800
    health = (left + 400 * scale, top + 20 * scale, 100 * scale, 50 * scale)
    before = picture(page, health)
    for down in (True, False) * 2:
        press(page, left + 235 * scale, top + 575 * scale, down, tap)
        frames_pass(page, 1)
    return wait(lambda: picture(page, health) != before, 10)


def ready(page):  # the new page printed 3 and runs frames
    return page.js("seen.printed.some(line => line[0] == '3') && seen.frames > 1")


def sound(page, state):  # is every AudioContext the page made (one at least) in this state?
    return page.js(f"seen.sounds.length > 0 && seen.sounds.every(c => c.state == '{state}')")


def keys(page, presses):  # the key events for PRESSES (value, held), and whether SDL took them
    page.js("seen.keys = []")
    for value, down in presses:
        page.act([{"type": "key", "id": "keys",
                   "actions": [{"type": "keyDown" if down else "keyUp", "value": value}]}])
        frames_pass(page, 1)
    wait(lambda: len(page.js("seen.keys")) >= len(presses), 5)
    return page.js("seen.keys")


def screen(page, engine, name, width, height, ratio, phone):  # the whole game shows; Attack acts
    if width:
        page.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=ratio, mobile=phone)
        frames_pass(page, 2)
    left, top, side, high, view = page.js(
        "(r => [r.left, r.top, r.width, r.height, [innerWidth, innerHeight, document."
        "documentElement.scrollWidth, document.documentElement.scrollHeight]])"
        "(canvas.getBoundingClientRect())")
    width, height = width or view[0], height or view[1]
    check(side == high == min(width, height) and 0 <= left <= width - side and
          0 <= top <= height - side and view == [width, height] * 2, f"{engine}, {name}: the whole "
          f"game shows, square, at {side:g} px of {width}x{height}, no scrolling")
    check(acts(page, phone), f"{engine}, {name}: Health changes after a press on Attack")
    check(wait(lambda: sound(page, "running"), 5), f"{engine}, {name}: every AudioContext runs")


def play(page, engine, screens, drawing, visit):
    whole = visit is not None
    site = web.Site(site_dir)
    page.open(site.url)
    if not check(wait(lambda: ready(page), 60) and page.js("seen.drawing") == drawing, f"{engine}: "
                 f"prints 3 and runs frames, drawn with {drawing[-1]} ({page.js('seen')})"):
        return site.stop()  # nothing more to see in this engine
    if whole:
        stored = page.js("Promise.race([navigator.serviceWorker.ready.then(() => true),"
                         " new Promise(done => setTimeout(done, 30000, false))])")
        upload = glob.glob(os.path.join(site_dir, "brannoch-*-web.zip"))[0]
        names = zipfile.ZipFile(upload).namelist()
        files = [name for name, _ in site.served]
        check(stored and (sorted(files) == sorted(names) and sum(size for _, size in site.served)
                          <= visit if visit else set(files) == set(names)),
              f"{engine}: a first visit stores the game and moves "
              f"{'each file of the upload zip once' if visit else 'the files of the upload zip'}"
              f"{f', {visit / 2**20} MiB at most' if visit else ''} ({site.served})")
    check(sound(page, "suspended"), f"{engine}: silent before the first click")
    for row in screens:
        if row[4] and not page.js("document.body.classList.contains('touch')"):  # a phone now
            page.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            page.reload()
            check(wait(lambda: ready(page), 60) and sound(page, "suspended"),
                  f"{engine}: as a phone, plays and is silent before the first tap")
        screen(page, engine, *row)
    if whole:
        check(keys(page, [("\ue015", True), ("\ue015", False), ("a", True), ("a", False)]) == [
            "keydown ArrowDown taken", "keyup ArrowDown taken", "keydown KeyA",
            "keyup KeyA taken"], f"{engine}: SDL takes the Down arrow as a key of the game")
    if screens[-1][4]:  # the Down control holds the key while it is touched
        x, y = page.js("(r => [r.x + r.width / 2, r.y + r.height / 2])"
                       "(down.getBoundingClientRect())")
        for down, event in ((True, "keydown ArrowDown taken"), (False, "keyup ArrowDown taken")):
            page.js("seen.keys = []")
            press(page, x, y, down, True)
            frames_pass(page, 2)
            check(page.js("[down.classList.contains('held'), seen.keys]") == [down, [event]],
                  f"{engine}: the Down control, touched: {down}, sends {event}")
    print("%s: first frame %.0f ms after navigation; %.1f frames/s, %.1f ms each in the game's "
          "code" % (engine, *page.js("[seen.firstFrame, seen.frames * 1000 / (performance.now() "
                                     "- seen.firstFrame), seen.busy / (seen.frames - 1)]")))
    site.stop()
    if whole:
        page.reload()
        plays = wait(lambda: ready(page), 60) and acts(page, screens[-1][4])
        after = page.js("seen.printed.find(line => line[0] == 3)[1]")
        check(plays, f"{engine}: offline, plays (3 after {after} ms), Health changes on Attack")
    check(not page.js("seen.errors") and not site.missing,
          f"{engine}: no error ({page.js('seen.errors')}), no file missing ({site.missing})")


signal.signal(signal.SIGTERM, lambda *args: sys.exit(1))  # CTest's time-out: the engines still end
desk = tempfile.mkdtemp(prefix="brannoch-desk-")
env, helpers = web.desk(desk) if shutil.which("Xvfb") and shutil.which("pulseaudio") else ({}, [])
try:
    for engine, needs, start, screens, drawing, visit in ENGINES:
        missing = [program for program in needs if not shutil.which(program)]
        began = time.time()
        try:
            page = None if missing else start(env)
        except Exception as error:
            missing = [f"it did not start ({error})"]
        if missing:
            print(f"SKIP {engine}: not installed or not started: {', '.join(missing)}")
            skipped.append(engine)
            continue
        try:
            play(page, engine, screens, drawing, visit)
        except Exception as error:  # the engine refused what the page should have let it do
            check(False, f"{engine}: {type(error).__name__} {error}")
        finally:
            page.quit()
        print(f"{engine}: {time.time() - began:.1f} s")
finally:
    for helper in helpers:
        helper.terminate()
        helper.wait()
    shutil.rmtree(desk, ignore_errors=True)
print(f"{len(failures)} failed; skipped: {', '.join(skipped) or 'none'}")
sys.exit(1 if failures else 77 if skipped else 0)
