#!/usr/bin/env python3
"""Times the clone and thumbnail pipeline against other tools on the corpus
that make_corpus.sh builds: per source JPEG one clone (longest side 1600,
quality 75) and one thumbnail (longest side 160). Every tool runs single-
threaded, one process per image; the table shows the median CPU and wall
milliseconds per image. CPU time is the fair figure on a shared machine.

usage: bench/image_pipeline.py BUILD_DIR [CORPUS] [--memory]
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ENV = dict(os.environ, OMP_NUM_THREADS="1", VIPS_CONCURRENCY="1", MAGICK_THREAD_LIMIT="1")


def run(commands):
    """Runs shell commands one after the other; returns (cpu ms, wall ms)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    for command in commands:
        subprocess.run(command, shell=True, check=True, env=ENV, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    wall = (time.perf_counter() - start) * 1000
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = ((after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)) * 1000
    return cpu, wall


def psnr(a, b):
    out = subprocess.run(["compare", "-metric", "PSNR", str(a), str(b), "null:"], capture_output=True, text=True)
    try:
        return float(out.stderr.split()[0])
    except (ValueError, IndexError):
        return float("inf")


def main():
    build = Path(sys.argv[1])
    corpus = Path(sys.argv[2]) if len(sys.argv) > 2 and not sys.argv[2].startswith("--") else Path("/tmp/velmora-corpus")
    bench = build / "bin" / "image_pipeline_bench"
    sources = sorted(corpus.rglob("*.jpg"))
    if not sources:
        sys.exit(f"no JPEGs below {corpus}: run bench/make_corpus.sh first")
    work = Path(tempfile.mkdtemp(prefix="velmora-bench-"))
    # The floor encodes ready-made outputs, so only decoding and encoding count.
    subprocess.run(f"convert -size 1600x1200 xc:gray +noise Gaussian {work}/floor_clone.ppm", shell=True, check=True)
    subprocess.run(f"convert -size 160x120 xc:gray +noise Gaussian {work}/floor_thumb.ppm", shell=True, check=True)
    tools = {
        "velmora": lambda s, c, t: [f"{bench} {work}/v {s}"],
        "vipsthumbnail": lambda s, c, t: [f"vipsthumbnail {s} --size 1600 -o {c}[Q=75,strip]",
                                          f"vipsthumbnail {c} --size 160 -o {t}[Q=75,strip]"],
        "gm convert": lambda s, c, t: [f"gm convert -size 1600x1200 {s} +profile '*' -quality 75 "
                                       f"-resize 1600x1600 -write {c} -resize 160x160 {t}"],
        "convert": lambda s, c, t: [f"convert -define jpeg:size=1600x1200 {s} -strip -quality 75 "
                                    f"-resize 1600x1600 -write {c} -resize 160x160 {t}"],
        "djpeg+cjpeg floor": lambda s, c, t: [f"djpeg -scale 1/2 {s} > {work}/floor.ppm",
                                              f"cjpeg -quality 75 {work}/floor_clone.ppm > {c}",
                                              f"cjpeg -quality 75 {work}/floor_thumb.ppm > {t}"],
    }
    results = {name: [] for name in tools}
    agreement = []
    for source in sources:
        for name, commands in tools.items():
            clone = work / f"{name.split()[0]}_clone.jpg"
            thumb = work / f"{name.split()[0]}_thumb.jpg"
            results[name].append(run(commands(source, clone, thumb)))
        agreement.append(psnr(work / "v" / "clones" / source.name, work / "convert_clone.jpg"))

    total_mb = sum(s.stat().st_size for s in sources) / len(sources) / 1e6
    print(f"{len(sources)} images, average {total_mb:.1f} MB, single-threaded, median per image")
    print(f"{'tool':<20}{'cpu ms':>10}{'wall ms':>10}{'cpu ratio':>11}")
    base = statistics.median(c for c, _ in results["velmora"])
    for name, times in results.items():
        cpu = statistics.median(c for c, _ in times)
        wall = statistics.median(w for _, w in times)
        print(f"{name:<20}{cpu:>10.1f}{wall:>10.1f}{cpu / base:>11.2f}")
    # A run is one process over many images: the same work without start-up.
    one_process = subprocess.run([str(bench), str(work / "all")] + [str(s) for s in sources], env=ENV,
                                 capture_output=True, text=True, check=True).stdout.strip().splitlines()[-1]
    print(f"velmora, one process for all images: {one_process}")
    print(f"clone vs ImageMagick's clone: PSNR min {min(agreement):.1f} dB, median {statistics.median(agreement):.1f} dB")

    if "--memory" in sys.argv:
        big = work / "big50mp.jpg"
        subprocess.run(f"convert -size 1000x667 plasma:fractal -resize 8660x5774! -quality 90 {big}", shell=True, check=True)
        decoded_mb = 8660 * 5774 * 3 / 1e6
        for flag, what in (("", "clone 1600 + thumbnail"), ("--full", "full-size clone")):
            out = subprocess.run(f"/usr/bin/time -f %M {bench} {flag} {work}/m {big}", shell=True, env=ENV,
                                 capture_output=True, text=True)
            peak_mb = int(out.stderr.strip().splitlines()[-1]) / 1000
            print(f"50 MP JPEG, {what}: peak RSS {peak_mb:.0f} MB = {peak_mb / decoded_mb:.2f} x decoded size "
                  f"({decoded_mb:.0f} MB)")


if __name__ == "__main__":
    main()
