#!/usr/bin/env python3
"""Times the clone and thumbnail pipeline on 12-megapixel HEIC photos against
heif-convert alone on the same files: per photo, Velmora decodes it, makes the
1600-pixel clone and the 160-pixel thumbnail from it (JPEG, quality 75);
heif-convert only decodes it and writes it out whole. Both run pinned to one
core, one process per photo, measured side by side (alternating, so that the
machine's load falls on both alike); the table shows median CPU milliseconds.
The photos: every *.heic below the corpus folder (make_heic_corpus.sh turns
the JPEG corpus into HEIC) and the phone photos of the given sample folders.

usage: bench/heic_pipeline.py BUILD_DIR [FOLDER...]
       (default folders: /tmp/velmora-corpus-heic ../shared/samples/real/heic)
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

ENV = dict(os.environ, OMP_NUM_THREADS="1")
MIN_PIXELS = 11_000_000


def cpu_ms(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return ((after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)) * 1000


def pixels(photo):
    out = subprocess.run(["heif-info", str(photo)], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.startswith("image:") and "primary" in line:
            w, h = line.split()[1].split("x")
            return int(w) * int(h)
    return 0


def main():
    build = Path(sys.argv[1])
    here = Path(__file__).resolve().parent
    folders = [Path(f) for f in sys.argv[2:]] or [Path("/tmp/velmora-corpus-heic"),
                                                  here.parent.parent / "shared" / "samples" / "real" / "heic"]
    photos = sorted(p for f in folders if f.is_dir() for p in f.rglob("*") if p.suffix.lower() in (".heic", ".heif"))
    photos = [p for p in photos if pixels(p) >= MIN_PIXELS]
    if not photos:
        sys.exit("no 12-megapixel HEIC photos found: run bench/make_heic_corpus.sh first")
    bench = build / "bin" / "image_pipeline_bench"
    work = Path(tempfile.mkdtemp(prefix="velmora-heic-"))
    one_core = ["taskset", "-c", "0"]
    rows = []
    for photo in photos:
        ours, theirs = [], []
        for _ in range(3):
            # A fresh folder each time: an up-to-date clone would not be made again.
            shutil.rmtree(work / "v", ignore_errors=True)
            ours.append(cpu_ms(one_core + [str(bench), str(work / "v"), str(photo)]))
            theirs.append(cpu_ms(one_core + ["heif-convert", str(photo), str(work / "heif-convert.jpg")]))
        rows.append((photo.name, statistics.median(ours), statistics.median(theirs)))
    print(f"{len(rows)} photos of 12 megapixels or more, one core, median CPU ms of 3 runs each")
    print(f"{'photo':<40}{'velmora':>10}{'heif-convert':>14}{'ratio':>8}")
    for name, ours, theirs in rows:
        print(f"{name:<40}{ours:>10.0f}{theirs:>14.0f}{ours / theirs:>8.2f}")
    ratios = [ours / theirs for _, ours, theirs in rows]
    print(f"ratio median {statistics.median(ratios):.2f}, worst {max(ratios):.2f} (bound 1.20)")


if __name__ == "__main__":
    main()
