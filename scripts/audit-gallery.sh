#!/usr/bin/env bash
# Lighthouse (mobile defaults) on the Modern demo gallery, as a reader's
# browser gets it from a web server: the bundled sample tree plus one folder
# of 30 photos, served from 127.0.0.1. Prints the four category scores
# (performance, accessibility, best practices, SEO) of the index page, the
# 30-photo folder's first thumbnail page and an image page, and what that
# thumbnail page weighs. Lighthouse (exact version below, for Node 20) is
# installed with npm into the build tree; Chromium is Debian's.
#   scripts/audit-gallery.sh            (build with scripts/build.sh first)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build_dir=${VELMORA_BUILD_DIR:-build}
lighthouse_version=12.8.2
tools=$repo/$build_dir/npm-tools
work=$repo/out/audit
velmora=$repo/$build_dir/bin/velmora

[ -x "$velmora" ] || { echo "build Velmora first (scripts/build.sh)" >&2; exit 2; }
command -v npm >/dev/null || { echo "npm is missing (apt-get install npm)" >&2; exit 2; }
chromium=$(command -v chromium || command -v chromium-browser || true)
[ -n "$chromium" ] || { echo "chromium is missing" >&2; exit 2; }
if [ "$(node -p "require('$tools/node_modules/lighthouse/package.json').version" 2>/dev/null)" != "$lighthouse_version" ]; then
  npm install --no-audit --no-fund --no-save --prefix "$tools" "lighthouse@$lighthouse_version" >/dev/null
fi

scripts/make_samples.sh
rm -rf "$work"
mkdir -p "$work/photos/Wanderung" "$work/home"
cp -r samples/. "$work/photos/"
rm -f "$work/photos/.complete"
# Thirty photos of one walk, drawn like the sample tree's (fixed seeds):
# landscape and, every fifth, portrait.
for i in $(seq -w 1 30); do
  size=1200x800
  [ $((10#$i % 5)) -eq 0 ] && size=800x1200
  convert -seed "$((100 + 10#$i))" -size "$size" plasma:fractal -blur 0x2 \
    \( -size "$size" gradient:'#87b5e0-#2a4d1a' \) -compose overlay -composite \
    -seed "$((100 + 10#$i))" -attenuate 0.15 +noise Gaussian -depth 8 "$work/photos/Wanderung/weg_$i.jpg"
done

HOME=$work/home XDG_CONFIG_HOME=$work/home XDG_DATA_HOME=$work/home \
  "$velmora" /Profile=Modern "/Basedir=$work/photos" /Level=1 /GENERATE_CLONES=1 "/CLONE_PATH=$work/gallery" \
  /CLONE_SELECTED_SIDE=1 /CLONE_SIZE=1600 /CLONE_QUALITY=82 /PNG=1 /GIF=1 /TIF=1 /LAUNCH_BROWSER=0 \
  "/Logfile=$work/velmora.log"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/gallery" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
python3 - "$port" <<'EOF'
import sys, time, urllib.request
for _ in range(100):
    try:
        urllib.request.urlopen("http://127.0.0.1:%s/html/index.html" % sys.argv[1], timeout=1)
        break
    except OSError:
        time.sleep(0.1)
EOF

first_image=$(cd "$work/gallery/html/Wanderung" && ls | sort | head -1)
declare -A pages=(
  [index]="html/index.html"
  [thumbnails]="html/Wanderung-1.html"
  [image]="html/Wanderung/$first_image"
)
for kind in index thumbnails image; do
  CHROME_PATH=$chromium "$tools/node_modules/.bin/lighthouse" "http://127.0.0.1:$port/${pages[$kind]}" \
    --quiet --output=json --output-path="$work/lighthouse-$kind.json" \
    --chrome-flags="--headless=new --no-sandbox --disable-gpu" >/dev/null
done

python3 - "$work" <<'EOF'
import json, os, re, sys
work = sys.argv[1]
print("%-11s %11s %13s %14s %5s" % ("page", "performance", "accessibility", "best practices", "SEO"))
for kind in ("index", "thumbnails", "image"):
    report = json.load(open(os.path.join(work, "lighthouse-%s.json" % kind)))
    c = report["categories"]
    print("%-11s %11.2f %13.2f %14.2f %5.2f" % (kind, c["performance"]["score"], c["accessibility"]["score"],
                                               c["best-practices"]["score"], c["seo"]["score"]))
    for category in c.values():
        for ref in category["auditRefs"]:
            audit = report["audits"][ref["id"]]
            if ref["weight"] > 0 and audit["score"] is not None and audit["score"] < 1:
                print("    %s: %s (%s)" % (category["title"], audit["title"], audit.get("displayValue", audit["score"])))

# What the first thumbnail page weighs on a phone: its HTML, style sheet,
# script and icon and the high-density copies of the thumbnails it loads at
# once (those above the fold; the rest load lazily while scrolling).
gallery = os.path.join(work, "gallery")
page = open(os.path.join(gallery, "html", "Wanderung-1.html"), encoding="latin-1").read()
files = [os.path.join(gallery, "html", "Wanderung-1.html")]
files += [os.path.join(gallery, "deco", name) for name in ("modern.css", "viewer.js", "favicon.svg")]
eager = re.findall(r'srcset="\.\./([^" ]+) 2x"[^>]*loading="eager"', page)
files += [os.path.join(gallery, ref) for ref in eager]
visible = sum(os.path.getsize(f) for f in files)
thumbs = page.count("<figure")
report = json.load(open(os.path.join(work, "lighthouse-thumbnails.json")))
total = report["audits"]["total-byte-weight"]["numericValue"]
print("first thumbnail page, %d photos: %.0f kB at first view (page, style, script, icon, %d thumbnails at 2x); "
      "Lighthouse counted %.0f kB transferred" % (thumbs, visible / 1024, len(eager), total / 1024))
EOF
