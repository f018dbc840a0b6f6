#!/usr/bin/env python3
# The browser build's site, after the link (cmake/web.cmake): copies the page's own files and
# icons beside game.js, game.wasm and game.data, writes the service worker with this build's
# name and the sums of its files, and packs them all into the upload zip for game portals.
#
#   web_site.py SOURCE_DIR WEB_DIR ZIP
import base64, hashlib, json, os, re, shutil, sys, uuid

from pack_zip import pack

source, site, zip_path = sys.argv[1:4]
icons = "data/icons/hicolor/{0}x{0}/apps/brannoch.png"
copied = {"index.html": "web/index.html", "page.js": "web/page.js",
          "manifest.webmanifest": "web/manifest.webmanifest", "favicon.png": icons.format(32),
          "icon-192.png": icons.format(192), "icon-512.png": icons.format(512)}
linked = ["game.js", "game.wasm", "game.data"]


def read(path):
    with open(path, "rb") as file:
        return file.read()


for name, path in copied.items():
    shutil.copyfile(os.path.join(source, path), os.path.join(site, name))
# emcc names the preloaded data with a random uuid; here the same data always gets the same name,
# made from its sum, so that a build is the same bytes each time.
loader = read(os.path.join(site, "game.js"))
data_id = str(uuid.UUID(hashlib.sha256(read(os.path.join(site, "game.data"))).hexdigest()[:32]))
loader = re.sub(rb'"package_uuid":\s*"[^"]*"', f'"package_uuid":"{data_id}"'.encode(), loader)
with open(os.path.join(site, "game.js"), "wb") as file:
    file.write(loader)
# Subresource integrity of each file: the worker stores only this build's bytes. The build's
# name is made from them, so a new build is a new worker with a cache of its own.
sums = {name: "sha256-" + base64.b64encode(hashlib.sha256(read(os.path.join(site, name))).digest())
        .decode() for name in sorted([*copied, *linked])}
build = hashlib.sha256(json.dumps(sums, sort_keys=True).encode()).hexdigest()[:16]
worker = read(os.path.join(source, "web/sw.js")).decode()
worker = worker.replace("@BUILD@", build).replace("@FILES@", json.dumps(sums, indent=2))
with open(os.path.join(site, "sw.js"), "w", encoding="utf-8") as file:
    file.write(worker)

# Every file of the site at the top of the zip.
pack(zip_path, site, [*sums, "sw.js"])
