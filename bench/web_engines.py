# The browser build played from outside, by tests/web/browser_test.py and bench/web_first_visit.py:
# a server for the build (as a slow line would send it, when asked), and Debian's three browser
# engines started and driven: Chromium through chromedriver and WebKitGTK through WebKitWebDriver
# (W3C WebDriver, with python3-selenium), Firefox through its own WebDriver BiDi. The page this
# server sends carries the watcher below; the build itself has no hook for tests.
import base64, functools, hashlib, http.server, io, json, os, shutil, socket, subprocess
import tempfile, threading, time, urllib.request

# Notes, in window.seen, what the page printed and when (ms since the navigation), its errors, its
# frames (the game runs one per animation frame) and the time spent in them, the drawing
# contexts the canvas got, its AudioContexts, and each key event with whether SDL took it.
WATCHER = b"""<script>(() => {
  var seen = window.seen = {printed: [], errors: [], frames: 0, firstFrame: 0, busy: 0,
    drawing: [], sounds: [], keys: []};
  ['log', 'warn', 'error'].forEach(level => {
    var own = console[level];
    console[level] = (...args) => {
      seen.printed.push([args.join(' '), performance.now()]);
      if (level == 'error') seen.errors.push(args.join(' '));
      own.apply(console, args);
    };
  });
  addEventListener('error', e => seen.errors.push(e.message || 'failed: ' + e.target.outerHTML),
    true);
  addEventListener('unhandledrejection', e => seen.errors.push('' + e.reason));
  var Sound = AudioContext;
  AudioContext = class extends Sound { constructor(...a) { super(...a); seen.sounds.push(this); } };
  var getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
    var context = getContext.call(this, kind, ...rest);
    if (this.id == 'canvas') seen.drawing.push(kind + (context ? '' : ' refused'));
    return context;
  };
  var frame = requestAnimationFrame;
  requestAnimationFrame = run => frame(now => {
    var start = performance.now();
    run(now);
    if (seen.frames++ == 0) seen.firstFrame = performance.now();
    else seen.busy += performance.now() - start;
  });
  ['keydown', 'keyup'].forEach(type => addEventListener(type, e => setTimeout(() =>
    seen.keys.push(e.type + ' ' + e.code + (e.defaultPrevented ? ' taken' : '')))));
})();</script>
"""


def sha256(data):
    return "sha256-" + base64.b64encode(hashlib.sha256(data).digest()).decode()


class Site:
    """WEB_DIR at self.url, the watcher in its page (and the page's new sum in its service
    worker); over a line of RATE bytes a second and LATENCY seconds when RATE is given. Notes each
    file served with the bytes it has in the build, and every path it did not have."""

    def __init__(self, folder, rate=None, latency=0.0):
        self.served, self.missing, line = [], [], [0.0, threading.Lock()]
        page = open(os.path.join(folder, "index.html"), "rb").read()
        watched = page.replace(b"<head>\n", b"<head>\n" + WATCHER, 1)
        worker = open(os.path.join(folder, "sw.js"), "rb").read()
        changed = {"index.html": watched,
                   "sw.js": worker.replace(sha256(page).encode(), sha256(watched).encode())}
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            log_message = lambda *args: None

            def send_head(self):
                self.name = self.path.split("?")[0].lstrip("/") or "index.html"
                if self.name not in changed:
                    return super().send_head()
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(self.name))
                self.send_header("Content-Length", str(len(changed[self.name])))
                self.end_headers()
                return io.BytesIO(changed[self.name])

            def send_error(self, code, *args, **kwargs):
                site.missing.append(self.path)
                super().send_error(code, *args, **kwargs)

            def copyfile(self, source, out):
                site.served.append((self.name, os.path.getsize(os.path.join(folder, self.name))))
                time.sleep(latency)
                while chunk := source.read(1 << 16):
                    if rate:  # one line shared by every response
                        with line[1]:
                            line[0] = max(line[0], time.time()) + len(chunk) / rate
                        time.sleep(max(0.0, line[0] - time.time()))
                    out.write(chunk)

        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/index.html"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait(condition, seconds):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()


class Engine:
    """One browser with one page: open, reload, js (an expression's value, promises awaited; None
    while there is no page to ask), act (W3C input actions: real pointer and key input), shot (a
    PNG of the page), cdp (Chromium's DevTools only), quit."""

    def __init__(self, command, env=None):
        self.folder = tempfile.mkdtemp(prefix="brannoch-browser-")
        self.process = subprocess.Popen([part.replace("FOLDER", self.folder) for part in command],
                                        env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def quit(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


class WebDriver(Engine):
    def __init__(self, command, options, env=None):
        from selenium import webdriver
        from selenium.webdriver.chromium.remote_connection import ChromiumRemoteConnection
        port = free_port()
        super().__init__(command + [f"--port={port}"], env)
        url = f"http://127.0.0.1:{port}"
        try:
            wait(lambda: self.answers(url + "/status"), 20)
            self.driver = webdriver.Remote(ChromiumRemoteConnection(url, "goog", "chrome"),
                                           options=options)
        except Exception:
            super().quit()
            raise
        self.driver.set_script_timeout(60)

    @staticmethod
    def answers(url):
        try:
            return urllib.request.urlopen(url, timeout=1).status == 200
        except OSError:
            return False

    def open(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def js(self, expression):
        from selenium.common.exceptions import WebDriverException
        try:
            return json.loads(self.driver.execute_script(
                f"return Promise.resolve({expression}).then(JSON.stringify)") or "null")
        except WebDriverException:
            return None

    def act(self, actions):
        self.driver.execute("actions", {"actions": actions})

    def shot(self):
        return self.driver.get_screenshot_as_png()

    def cdp(self, method, **params):
        return self.driver.execute("executeCdpCommand", {"cmd": method, "params": params})["value"]

    def quit(self):
        self.driver.quit()
        super().quit()


class Bidi(Engine):
    def __init__(self, command, env):
        import websocket
        port = free_port()
        super().__init__(command[:1] + ["--remote-debugging-port", str(port)] + command[1:], env)
        wait(lambda: self.connect(websocket, f"ws://127.0.0.1:{port}/session"), 30)
        self.calls = 0
        try:
            self.call("session.new", capabilities={})
        except Exception:
            super().quit()
            raise
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]

    def connect(self, websocket, url):
        try:
            self.socket = websocket.create_connection(url, timeout=90, suppress_origin=True)
            return True
        except (OSError, websocket.WebSocketException):
            return False

    def call(self, method, **params):
        self.calls += 1
        self.socket.send(json.dumps({"id": self.calls, "method": method, "params": params}))
        while (answer := json.loads(self.socket.recv())).get("id") != self.calls:
            pass  # an event: none is asked for
        if answer["type"] == "error":
            raise RuntimeError(f"{method}: {answer['error']}: {answer.get('message')}")
        return answer["result"]

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def reload(self):
        self.call("browsingContext.reload", context=self.context, wait="complete")

    def js(self, expression):
        try:
            answer = self.call("script.evaluate", target={"context": self.context},
                               expression=f"Promise.resolve({expression}).then(JSON.stringify)",
                               awaitPromise=True)
        except RuntimeError:
            return None
        return json.loads(answer["result"].get("value") or "null") if answer[
            "type"] == "success" else None

    def act(self, actions):
        self.call("input.performActions", context=self.context, actions=actions)

    def shot(self):
        return base64.b64decode(
            self.call("browsingContext.captureScreenshot", context=self.context)["data"])


def chromium(*flags):
    """Debian's headless Chromium (WebGL on SwiftShader) through chromedriver."""
    from selenium import webdriver
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                 "--enable-unsafe-swiftshader", *flags):
        options.add_argument(flag)
    return WebDriver(["chromedriver"], options)


def firefox(env):
    """firefox-esr in a window on the display and with the sound server of ENV."""
    return Bidi(["firefox-esr", "--no-remote", "--new-instance", "--profile", "FOLDER",
                 "--width", "1366", "--height", "768", "about:blank"], env)


def webkit(env):
    """WebKitGTK's MiniBrowser through WebKitWebDriver."""
    from selenium.webdriver.webkitgtk.options import Options
    options = Options()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    return WebDriver(["WebKitWebDriver"], options, env)


def desk(folder):
    """A virtual screen (Xvfb) and a sound server with a null sink (PulseAudio), for browsers in
    windows; returns their environment and processes."""
    read, write = os.pipe()
    screen = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1400x900x24",
                               "-nolisten", "tcp"], pass_fds=[write], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write)
    display = b""
    while not display.endswith(b"\n") and (part := os.read(read, 16)):
        display += part
    os.close(read)
    socket_path = os.path.join(folder, "sound")
    env = dict(os.environ, DISPLAY=":" + display.decode().strip(), XDG_RUNTIME_DIR=folder,
               HOME=folder, PULSE_SERVER="unix:" + socket_path)
    sound = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                              "--use-pid-file=no", "-L", "module-null-sink", "-L",
                              f"module-native-protocol-unix socket={socket_path} auth-anonymous=1"],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait(lambda: os.path.exists(socket_path), 10)
    return env, [screen, sound]
