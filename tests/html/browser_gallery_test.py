#!/usr/bin/env python3
"""Builds galleries of a small generated photo tree with Velmora and checks
them in headless Chromium through chromedriver's W3C HTTP interface: every
page loads, every link and picture resolves, no picture is broken, and the
"next" links from the first thumbnail page visit every image page once.
One folder holds photos whose names are markup: no script of theirs may run
and every page shows them as the text they are. A folder of phone photos
(HEIC) becomes WebP clones that show upright and in the photos' colours.

The Modern gallery is also used as a reader would: a click on a thumbnail
opens the viewer, the arrow keys move through every picture of the folder
(across its thumbnail pages), Escape closes it, no page logs an error, and
axe-core finds no accessibility violation on the index, thumbnail and image
pages in the light and the dark scheme. Screenshots of each go to the
artifacts folder. axe-core is installed with npm (exact version) into the
tools folder; without npm or network the accessibility check is skipped,
except in CI.

Usage: browser_gallery_test.py <velmora executable> <work folder> [<artifacts folder> <npm tools folder>]
"""
import base64
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.parse
import urllib.request

PROFILES = ["Voreinstellung", "Modern"]
TREE = {"Urlaub 2024": 5, "Berg": 3, "Stadt": 1}
# Names a stranger could give photos in a shared folder (no "/" on Linux).
HOSTILE_FOLDER = "Namen"
HOSTILE = ["<img src=x onerror=document.title='PWNED'>", 'a"b', "x&amp;y", "<svg onload=alert(1)>"]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def make_tree(base):
    colours = ["red-blue", "green-yellow", "orange-purple", "white-black", "cyan-magenta"]
    for folder, count in TREE.items():
        os.makedirs(os.path.join(base, folder))
        for n in range(1, count + 1):
            size = "320x240" if n % 2 else "240x320"
            # One name per folder with an umlaut and blanks: its links must
            # still reach the file, whose name on disk is UTF-8.
            name = "\u00dcber den Fjord %d.jpg" % n if n == 2 else "bild%d.jpg" % n
            subprocess.run(["convert", "-size", size, "gradient:" + colours[n % len(colours)],
                            os.path.join(base, folder, name)], check=True)
    os.makedirs(os.path.join(base, HOSTILE_FOLDER))
    for n, name in enumerate(HOSTILE):
        subprocess.run(["convert", "-size", "200x150", "gradient:" + colours[n % len(colours)],
                        "jpg:" + os.path.join(base, HOSTILE_FOLDER, name + ".jpg")], check=True)


AXE_VERSION = "4.10.3"


def build_gallery(velmora, base, out, profile, env):
    args = [velmora, "/Profile=" + profile, "/Basedir=" + base, "/Level=1", "/GENERATE_CLONES=1",
            "/CLONE_PATH=" + out, "/CLONE_SIZE=800", "/THUMBNAILS=1", "/THUMB_SIZE=120",
            "/GENERATE_INDEX=1", "/HTML_SPLIT=1", "/LINES_PER_PAGE=1", "/THUMBS_PER_LINE=2",
            "/LAUNCH_BROWSER=0"]
    result = subprocess.run(args, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        fail("velmora %s ended with %d:\n%s%s" % (profile, result.returncode, result.stdout, result.stderr))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Driver:
    def __init__(self, profile_dir):
        self.port = free_port()
        self.process = subprocess.Popen(["chromedriver", "--port=%d" % self.port],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.base = "http://127.0.0.1:%d" % self.port
        for _ in range(100):
            try:
                self.call("GET", "/status")
                break
            except OSError:
                time.sleep(0.1)
        options = {"binary": shutil.which("chromium") or "/usr/bin/chromium",
                   "args": ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                            "--disable-background-networking", "--disable-component-update", "--disable-sync",
                            "--user-data-dir=" + profile_dir, "--window-size=1200,900"]}
        caps = {"capabilities": {"alwaysMatch": {"browserName": "chrome", "goog:chromeOptions": options,
                                                 "goog:loggingPrefs": {"browser": "ALL"}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]
        self.call("POST", "/session/%s/timeouts" % self.session, {"script": 30000, "pageLoad": 60000})

    def call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=60) as response:
            return json.loads(response.read().decode())["value"]

    def open(self, url):
        self.call("POST", "/session/%s/url" % self.session, {"url": url})

    def run(self, script):
        return self.call("POST", "/session/%s/execute/async" % self.session, {"script": script, "args": []})

    def press(self, key):
        keys = [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.call("POST", "/session/%s/actions" % self.session,
                  {"actions": [{"type": "key", "id": "keyboard", "actions": keys}]})

    def alert_text(self):
        """The text of an open alert, or None."""
        try:
            return self.call("GET", "/session/%s/alert/text" % self.session)
        except urllib.error.HTTPError:
            return None

    def url(self):
        return self.call("GET", "/session/%s/url" % self.session)

    def click(self, css):
        element = self.call("POST", "/session/%s/element" % self.session, {"using": "css selector", "value": css})
        element_id = next(iter(element.values()))
        self.call("POST", "/session/%s/element/%s/click" % (self.session, element_id), {})

    def sync(self, script):
        return self.call("POST", "/session/%s/execute/sync" % self.session, {"script": script, "args": []})

    def console_errors(self):
        """Errors the pages logged since the last call."""
        entries = self.call("POST", "/session/%s/se/log" % self.session, {"type": "browser"})
        return [e["message"] for e in entries if e.get("level") == "SEVERE"]

    def colour_scheme(self, scheme):
        self.call("POST", "/session/%s/goog/cdp/execute" % self.session,
                  {"cmd": "Emulation.setEmulatedMedia",
                   "params": {"features": [{"name": "prefers-color-scheme", "value": scheme}]}})

    def screenshot(self, path):
        png = self.call("GET", "/session/%s/screenshot" % self.session)
        with open(path, "wb") as f:
            f.write(base64.b64decode(png))

    def quit(self):
        try:
            self.call("DELETE", "/session/%s" % self.session)
        finally:
            self.process.terminate()
            self.process.wait(timeout=10)


# What a page offers: its links, its pictures (loaded or not), its "next"
# link and the links of its thumbnail cells.
PAGE_FACTS = """
const done = arguments[arguments.length - 1];
const images = [...document.images];
// Lazy pictures load when scrolled to; the check wants every one of them now.
images.forEach(i => { i.loading = 'eager'; });
const loaded = images.map(i => i.complete ? Promise.resolve() : new Promise(r => {
  i.addEventListener('load', r); i.addEventListener('error', r); setTimeout(r, 10000); }));
Promise.all(loaded).then(() => {
  const next = document.querySelector('a[rel~="next"]') ||
    [...document.querySelectorAll('a')].find(a => a.querySelector('img[src$="rechts.gif"]'));
  done({
    title: document.title,
    text: document.body ? document.body.innerText : "",
    alts: images.map(i => i.alt),
    links: [...document.querySelectorAll('a[href]')].map(a => a.href),
    frames: [...document.querySelectorAll('frame[src], iframe[src]')].map(f => f.src),
    images: images.map(i => ({src: i.src, ok: i.complete && i.naturalWidth > 0})),
    styles: [...document.querySelectorAll('link[rel=stylesheet]')].map(l => l.href),
    next: next ? next.href : null,
    cells: [...document.querySelectorAll('a')].filter(a => a.querySelector('img[src*="/thumbs/"]')).map(a => a.href),
  });
});
"""


def local_path(url):
    parsed = urllib.parse.urlparse(url)
    if parsed.scheme != "file":
        fail("link leaves the gallery: " + url)
    return urllib.parse.unquote(parsed.path)


def check_gallery(driver, out, profile, artifacts):
    html_root = os.path.join(out, "html")
    image_pages = set()
    shown = {"text": "", "titles": [], "alts": []}
    for folder in list(TREE) + [HOSTILE_FOLDER]:
        for name in os.listdir(os.path.join(html_root, folder)):
            image_pages.add(os.path.realpath(os.path.join(html_root, folder, name)))
    start = os.path.join(html_root, "index.html")
    seen, queue, first_thumb_page = set(), [os.path.realpath(start)], None
    while queue:
        page = queue.pop()
        if page in seen:
            continue
        seen.add(page)
        driver.open("file://" + urllib.parse.quote(page))
        alert = driver.alert_text()
        if alert is not None:
            fail("%s: a name ran as script on %s (alert %r)" % (profile, page, alert))
        facts = driver.run(PAGE_FACTS)
        errors = driver.console_errors()
        if errors:
            fail("%s: %s logged errors: %s" % (profile, page, errors))
        if facts["title"] == "PWNED" or driver.alert_text() is not None:
            fail("%s: a name ran as script on %s (title %r)" % (profile, page, facts["title"]))
        shown["text"] += facts["text"] + "\n"
        shown["titles"].append(facts["title"])
        shown["alts"] += facts["alts"]
        for image in facts["images"]:
            if not image["ok"]:
                fail("%s: broken picture %s on %s" % (profile, image["src"], page))
        for target in facts["links"] + facts["frames"] + facts["styles"]:
            path = local_path(target.split("#")[0])
            if not os.path.isfile(path):
                fail("%s: link to a missing file %s on %s" % (profile, target, page))
            if path.endswith(".html"):
                queue.append(os.path.realpath(path))
        if first_thumb_page is None and facts["cells"]:
            first_thumb_page = page
    missing = image_pages - seen
    if missing:
        fail("%s: image pages not reachable: %s" % (profile, sorted(missing)))
    # Each name shows as typed: in a thumbnail cell's text, in a picture's
    # alternative text (a whole attribute, not cut at a quote) and in its
    # image page's title.
    for name in HOSTILE:
        if name not in shown["text"]:
            fail("%s: the name %r is not shown as text on any page" % (profile, name))
        if name not in shown["alts"]:
            fail("%s: no picture has the name %r as its whole alternative text" % (profile, name))
        if "Velmora - " + name not in shown["titles"]:
            fail("%s: no image page is titled with the name %r" % (profile, name))

    # The first thumbnail page of the run, its first cell, then "next" to the end.
    first_page = os.path.join(html_root, sorted(TREE)[0] + "-1.html")
    driver.open("file://" + urllib.parse.quote(first_page))
    driver.screenshot(os.path.join(artifacts, "first-thumbnail-page-%s.png" % profile))
    facts = driver.run(PAGE_FACTS)
    if not facts["cells"]:
        fail("%s: no thumbnail cells on %s" % (profile, first_page))
    visited = []
    url = facts["cells"][0]
    while url:
        path = os.path.realpath(local_path(url))
        if path in visited:
            break  # a circular order would come round again
        visited.append(path)
        driver.open(url)
        url = driver.run(PAGE_FACTS)["next"]
    if sorted(visited) != sorted(image_pages) or len(visited) != len(set(visited)):
        fail("%s: next links visit %s, expected every one of %s once" % (profile, visited, sorted(image_pages)))
    print("%s: %d pages checked, %d image pages in one next chain" % (profile, len(seen), len(visited)))
    return visited


# Phone photos from the sample folder beside the checkout: a portrait HEIC
# stored sideways with a turn in the file and a Display P3 profile, and a
# landscape one. Their WebP clones must show upright and in the colours
# Chromium itself shows the photo in, as heif-convert decodes it with its
# profile; compared as 4 x 4 cells of mean colour, which also sees a picture
# turned or mirrored.
PHONE_SAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "shared", "samples",
                             "real", "heic")
PHONE_PHOTOS = ["IMG_2929.HEIC", "cheers_1440x960.heic"]
CELL_MEANS = """
const done = arguments[arguments.length - 1];
const load = src => new Promise((ok, bad) => { const i = new Image(); i.onload = () => ok(i);
  i.onerror = () => bad(src); i.src = src; });
const cells = image => {
  const c = document.createElement('canvas'); c.width = 64; c.height = 64;
  const g = c.getContext('2d'); g.drawImage(image, 0, 0, 64, 64);
  const d = g.getImageData(0, 0, 64, 64).data, out = [];
  for (let cy = 0; cy < 4; ++cy) for (let cx = 0; cx < 4; ++cx) {
    const sum = [0, 0, 0];
    for (let y = cy * 16; y < cy * 16 + 16; ++y) for (let x = cx * 16; x < cx * 16 + 16; ++x)
      for (let k = 0; k < 3; ++k) sum[k] += d[(y * 64 + x) * 4 + k];
    out.push(sum.map(v => v / 256));
  }
  return {width: image.naturalWidth, height: image.naturalHeight, cells: out};
};
Promise.all([load('CLONE'), load('REFERENCE')]).then(([a, b]) => done([cells(a), cells(b)]),
                                                     e => done('cannot load ' + e));
"""


def check_phone_gallery(driver, velmora, work, env):
    if not all(os.path.isfile(os.path.join(PHONE_SAMPLES, p)) for p in PHONE_PHOTOS):
        print("phone photos: no samples at %s, skipped" % PHONE_SAMPLES)
        return
    import http.server
    import threading
    base, out = os.path.join(work, "phone"), os.path.join(work, "gallery-phone")
    os.makedirs(os.path.join(base, "Handy"))
    for photo in PHONE_PHOTOS:
        shutil.copy(os.path.join(PHONE_SAMPLES, photo), os.path.join(base, "Handy"))
    args = [velmora, "/Profile=Modern", "/Basedir=" + base, "/Level=1", "/HEIF=1", "/GENERATE_CLONES=1",
            "/CLONE_PATH=" + out, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=800", "/CLONE_FORMAT=WEBP",
            "/THUMB_FORMAT=WEBP", "/GENERATE_INDEX=1", "/LAUNCH_BROWSER=0"]
    result = subprocess.run(args, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        fail("velmora phone gallery ended with %d:\n%s%s" % (result.returncode, result.stdout, result.stderr))
    for photo in PHONE_PHOTOS:
        page = os.path.join(out, "html", "Handy", os.path.splitext(photo)[0] + ".html")
        driver.open("file://" + urllib.parse.quote(page))
        facts = driver.run(PAGE_FACTS)
        shown = [i["src"] for i in facts["images"] if i["src"].endswith(".webp")]
        if not shown or not all(i["ok"] for i in facts["images"]):
            fail("phone gallery: %s shows no WebP clone or a broken picture: %s" % (page, facts["images"]))
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *a, **k):
            super().__init__(*a, directory=out, **k)

        def log_message(self, *a):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Quiet)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        for photo in PHONE_PHOTOS:
            stem = os.path.splitext(photo)[0]
            reference = os.path.join(out, stem + "-reference.jpg")
            subprocess.run(["heif-convert", "-q", "95", os.path.join(base, "Handy", photo), reference],
                           check=True, stdout=subprocess.DEVNULL)
            with open(os.path.join(out, "check.html"), "w") as page:
                page.write("<!DOCTYPE html><title>check</title>")
            driver.open("http://127.0.0.1:%d/check.html" % server.server_address[1])
            script = CELL_MEANS.replace("CLONE", "Handy/%s.webp" % stem).replace("REFERENCE", stem + "-reference.jpg")
            facts = driver.run(script)
            if isinstance(facts, str):
                fail("phone gallery: " + facts)
            clone, theirs = facts
            if (clone["width"] > clone["height"]) != (theirs["width"] > theirs["height"]):
                fail("phone gallery: %s is %dx%d, the photo %dx%d" % (photo, clone["width"], clone["height"],
                                                                      theirs["width"], theirs["height"]))
            worst = max(abs(a - b) for ca, cb in zip(clone["cells"], theirs["cells"]) for a, b in zip(ca, cb))
            if worst > 4:
                fail("phone gallery: %s differs from the photo as Chromium shows it by %.1f" % (photo, worst))
            print("phone gallery: %s %dx%d, upright, colours within %.1f of the photo" %
                  (photo, clone["width"], clone["height"], worst))
    finally:
        server.shutdown()


ARROW_LEFT, ARROW_RIGHT = "\ue012", "\ue014"


def check_arrow_keys(driver, profile, visited):
    """The right and left arrow keys page through the image pages."""
    first, second = ("file://" + urllib.parse.quote(p) for p in visited[:2])
    driver.open(first)
    driver.press(ARROW_RIGHT)
    for _ in range(50):
        if driver.url() == second:
            break
        time.sleep(0.1)
    else:
        fail("%s: the right arrow key on %s led to %s, not %s" % (profile, first, driver.url(), second))
    driver.press(ARROW_LEFT)
    for _ in range(50):
        if driver.url() == first:
            break
        time.sleep(0.1)
    else:
        fail("%s: the left arrow key led to %s, not back to %s" % (profile, driver.url(), first))
    print("%s: arrow keys page between image pages" % profile)


LIGHTBOX_STATE = """
const box = document.querySelector('.lightbox');
const img = box && box.querySelector('img');
return {open: !!box && !box.hidden, src: img && img.getAttribute('src') ? img.src : null,
        ready: document.readyState === 'complete', hash: location.hash,
        count: box ? box.querySelector('.lb-count').textContent : ''};
"""


def viewer_state(driver, test, tries=100):
    """The viewer's state once `test` holds, else None after `tries` looks."""
    for _ in range(tries):
        try:
            state = driver.sync(LIGHTBOX_STATE)
        except urllib.error.HTTPError:
            state = None  # the page is being replaced
        if state and test(state):
            return state
        time.sleep(0.05)
    return None


def wait_for(driver, what, test):
    state = viewer_state(driver, test)
    if state is None:
        fail("Modern: " + what)
    return state


def check_viewer(driver, out, folder, artifacts):
    """The viewer opens on a click, the right arrow key walks through every
    picture of the folder, over the folder's pages, and Escape closes it."""
    html_root = os.path.join(out, "html")
    pictures = sorted(os.path.realpath(os.path.join(out, folder, name)) for name in os.listdir(os.path.join(out, folder)))
    driver.open("file://" + urllib.parse.quote(os.path.join(html_root, folder + "-1.html")))
    driver.click("a[data-pic]")
    state = wait_for(driver, "the viewer did not open on a click", lambda s: s["open"] and s["src"])
    errors = driver.console_errors()
    if errors:
        fail("Modern: opening the viewer logged errors: %s" % errors)
    shot(driver, artifacts, "lightbox")
    seen = [os.path.realpath(local_path(state["src"]))]
    for _ in range(len(pictures) + 1):
        before = state["src"]
        driver.press(ARROW_RIGHT)
        state = viewer_state(driver, lambda s: s["ready"] and s["open"] and s["src"] != before, 30)
        if state is None:
            break  # the folder's last picture: the key goes nowhere
        seen.append(os.path.realpath(local_path(state["src"])))
    if sorted(seen) != pictures or len(seen) != len(set(seen)):
        fail("Modern: the arrow keys showed %s, expected each of %s once" % (seen, pictures))
    driver.press(ARROW_LEFT)
    state = wait_for(driver, "the left arrow key did not go back", lambda s: s["ready"] and s["open"] and
                     os.path.realpath(local_path(s["src"])) == seen[-2])
    driver.press("\ue00c")  # Escape
    wait_for(driver, "Escape did not close the viewer", lambda s: not s["open"] and s["hash"] == "")
    errors = driver.console_errors()
    if errors:
        fail("Modern: the viewer logged errors: %s" % errors)
    print("Modern: the viewer showed all %d pictures of %s, Escape closed it" % (len(seen), folder))


def shot(driver, artifacts, name):
    if artifacts:
        driver.screenshot(os.path.join(artifacts, "%s-%s.png" % (name, driver.scheme)))


NETWORK_ERRORS = ("ENOTFOUND", "EAI_AGAIN", "ECONNREFUSED", "ECONNRESET", "ETIMEDOUT", "ENETUNREACH")


def axe_source(tools):
    """axe-core's script, installed at its exact version into `tools`; None
    when npm or the network is missing. In CI any other failure to install
    it fails the test: a machine that can reach the registry must run the
    accessibility check."""
    script = os.path.join(tools, "node_modules", "axe-core", "axe.min.js")
    package = os.path.join(tools, "node_modules", "axe-core", "package.json")
    installed = os.path.isfile(package) and json.load(open(package)).get("version") == AXE_VERSION
    offline = not shutil.which("npm")
    if not installed and not offline:
        os.makedirs(tools, exist_ok=True)
        try:
            result = subprocess.run(["npm", "install", "--no-audit", "--no-fund", "--no-save", "--prefix", tools,
                                     "axe-core@" + AXE_VERSION], capture_output=True, text=True, timeout=120)
            offline = result.returncode != 0 and any(e in result.stderr for e in NETWORK_ERRORS)
        except subprocess.TimeoutExpired:
            offline = True
    if os.path.isfile(script):
        with open(script, encoding="utf-8") as f:
            return f.read()
    if os.environ.get("CI") and not offline:
        fail("axe-core %s could not be installed with npm" % AXE_VERSION)
    print("SKIP: axe-core %s not available (npm or network missing), accessibility not checked" % AXE_VERSION)
    return None


AXE_RUN = """
const done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations'], preload: false}).then(r => done(r.violations.map(v =>
  v.id + ': ' + v.help + ' at ' + v.nodes.map(n => n.target.join(' ')).join(', '))));
"""


def check_page_kinds(driver, out, folder, axe, artifacts):
    """Index, thumbnail and image page in both colour schemes: screenshots,
    and no violation axe-core can find."""
    html_root = os.path.join(out, "html")
    image_page = sorted(os.listdir(os.path.join(html_root, folder)))[0]
    pages = {"index": os.path.join(html_root, "index.html"),
             "thumbnails": os.path.join(html_root, folder + "-1.html"),
             "image-page": os.path.join(html_root, folder, image_page)}
    for scheme in ("light", "dark"):
        driver.scheme = scheme
        driver.colour_scheme(scheme)
        for kind, page in pages.items():
            driver.open("file://" + urllib.parse.quote(page))
            driver.run(PAGE_FACTS)  # every picture loaded
            driver.open("file://" + urllib.parse.quote(page))
            shot(driver, artifacts, kind)
            if axe:
                violations = driver.run(axe + AXE_RUN)
                if violations:
                    fail("Modern %s page (%s scheme) has accessibility violations:\n  %s" %
                         (kind, scheme, "\n  ".join(violations)))
        if scheme == "light" or artifacts:
            check_viewer(driver, out, folder, artifacts)
    driver.colour_scheme("light")
    print("Modern: index, thumbnail and image pages%s in light and dark" %
          (" pass axe-core " + AXE_VERSION if axe else ""))


def main():
    velmora, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    artifacts = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    tools = os.path.abspath(sys.argv[4]) if len(sys.argv) > 4 else os.path.join(work, "npm-tools")
    if artifacts:
        os.makedirs(artifacts, exist_ok=True)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    env = dict(os.environ)
    for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"):
        env[name] = os.path.join(work, "home")
    base = os.path.join(work, "photos")
    make_tree(base)
    driver = Driver(tempfile.mkdtemp(prefix="chromium-", dir=work))
    driver.scheme = "light"
    try:
        for profile in PROFILES:
            out = os.path.join(work, "gallery-" + profile)
            build_gallery(velmora, base, out, profile, env)
            visited = check_gallery(driver, out, profile, work)
            if profile == "Modern":
                check_arrow_keys(driver, profile, visited)
                check_page_kinds(driver, out, sorted(TREE)[-1], axe_source(tools), artifacts)
        check_phone_gallery(driver, velmora, work, env)
    finally:
        driver.quit()
    print("PASS")


if __name__ == "__main__":
    main()
