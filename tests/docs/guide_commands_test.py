#!/usr/bin/env python3
"""Runs every ```sh block of the user guide on a small photo tree, as a new
user would paste it, and checks what the recipes promise: the date taken
under the thumbnails, pages of 4 x 5 thumbnails, the newest photo first.

    guide_commands_test.py BIN_DIR GUIDE.md
Needs ImageMagick's convert and exiftool to make the photos: skips (77)
without them, fails in CI (the variable CI set).
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```sh\s*$")


def shell_blocks(text):
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        if FENCE.match(lines[i]):
            j = i + 1
            while not lines[j].startswith("```"):
                j += 1
            yield i + 1, "\n".join(lines[i + 1:j])
            i = j
        i += 1


def make_photos(home):
    """25 photos in Pictures/Holiday (newest: p25) and 2 in Pictures/Holiday/Summer;
    p07 carries a date taken."""
    holiday = os.path.join(home, "Pictures", "Holiday")
    os.makedirs(os.path.join(holiday, "Summer"))
    for n in range(1, 26):
        path = os.path.join(holiday, "p%02d.jpg" % n)
        subprocess.run(["convert", "-size", "64x48", "xc:rgb(%d,90,160)" % (n * 9), path], check=True)
        # File dates one day apart, in the opposite order of the names.
        os.utime(path, (1600000000 + n * 86400, 1600000000 + n * 86400))
    subprocess.run(["exiftool", "-q", "-overwrite_original", "-DateTimeOriginal=2023:12:24 18:30:00",
                    os.path.join(holiday, "p07.jpg")], check=True)
    os.utime(os.path.join(holiday, "p07.jpg"), (1600000000 + 7 * 86400, 1600000000 + 7 * 86400))
    for name in ("a.jpg", "b.jpg"):
        subprocess.run(["convert", "-size", "64x48", "xc:green", os.path.join(holiday, "Summer", name)], check=True)


def pages(folder):
    found = {}
    for path in sorted(glob.glob(os.path.join(folder, "*.html"))):
        with open(path, encoding="latin-1") as f:
            found[os.path.basename(path)] = f.read()
    return found


def thumbnails(page):
    return re.findall(r'<img src="[^"]*/thumbs/Holiday/([^"/]+)"', page)


def main():
    bin_dir, guide = os.path.abspath(sys.argv[1]), sys.argv[2]
    missing = [tool for tool in ("convert", "exiftool") if shutil.which(tool) is None]
    if missing:
        print("missing %s" % ", ".join(missing))
        return 1 if os.environ.get("CI") else 77
    with open(guide, encoding="utf-8") as f:
        blocks = list(shell_blocks(f.read()))
    if len(blocks) < 3:
        print("%s: expected the getting-started command and the recipes" % guide)
        return 1
    failures = []
    with tempfile.TemporaryDirectory() as home:
        make_photos(home)
        # A run opens the gallery in a browser unless told not to: not here.
        stubs = os.path.join(home, "stubs")
        os.makedirs(stubs)
        with open(os.path.join(stubs, "xdg-open"), "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(os.path.join(stubs, "xdg-open"), 0o755)
        env = {"HOME": home, "PATH": os.pathsep.join([stubs, bin_dir, "/usr/bin", "/bin"]), "LC_ALL": "C.UTF-8"}
        html = os.path.join(home, "Pictures", "html")
        for line, block in blocks:
            shutil.rmtree(html, ignore_errors=True)
            done = subprocess.run(["bash", "-c", block], env=env, cwd=home, capture_output=True, timeout=120)
            where = "%s:%d" % (guide, line)
            if done.returncode != 0:
                failures.append("%s: exit status %d\n%s" % (where, done.returncode, done.stderr.decode("utf-8", "replace")))
                continue
            if "exifnice(0x9003)" in block:
                text = "".join(pages(html).values())
                if "24.12.2023 18:30" not in text:
                    failures.append("%s: the date taken is not under the thumbnail" % where)
                if text.count(":30</font>") > 1:
                    failures.append("%s: a date appears under a photo without one" % where)
            if "LINES_PER_PAGE=5" in block:
                split = {name: thumbnails(page) for name, page in pages(html).items() if name.startswith("Holiday")}
                counts = sorted(len(names) for names in split.values())
                if counts != [5, 20]:
                    failures.append("%s: thumbnails per page %s, expected 20 and 5" % (where, counts))
                first = split.get("Holiday-1.html", [])
                if "THUMB_SORTIERRICHTUNG=1" in block and first[:2] != ["p25.jpg", "p24.jpg"]:
                    failures.append("%s: newest first expected, page 1 begins %s" % (where, first[:2]))
        if not os.path.exists(os.path.join(home, "gallery", "html", "index.html")):
            failures.append("the getting-started command wrote no ~/gallery/html/index.html")
    for failure in failures:
        print(failure)
    print("%d commands, %d problems" % (len(blocks), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
