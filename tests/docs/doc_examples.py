#!/usr/bin/env python3
"""Runs the examples of a Markdown guide and compares their output.

A fenced block marked `riloscript` (a code module; velmora-rls runs its
function main) or `riloscript-template` (a template) must be followed by a
block marked `output` holding exactly what it writes. Exits 1 and names the
example's line when one differs, fails or has no expected output.

    doc_examples.py VELMORA_RLS GUIDE.md [--show]
"""
import os
import re
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```([A-Za-z-]*)\s*$")


def blocks(text):
    """(language, first line number, body) of every fenced block."""
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        m = FENCE.match(lines[i])
        if not m:
            i += 1
            continue
        start = i + 1
        j = start
        while j < len(lines) and not lines[j].startswith("```"):
            j += 1
        yield m.group(1), start, "\n".join(lines[start:j])
        i = j + 1


def examples(text):
    """(kind, line, source, expected) pairs; expected None when missing."""
    found = list(blocks(text))
    for k, (lang, line, body) in enumerate(found):
        if lang not in ("riloscript", "riloscript-template"):
            continue
        following = found[k + 1] if k + 1 < len(found) else None
        expected = following[2] if following and following[0] == "output" else None
        yield lang, line, body, expected


def run(rls, kind, source, folder):
    suffix = ".rlt" if kind == "riloscript-template" else ".rls"
    path = os.path.join(folder, "example" + suffix)
    # Script files are Windows-1252 with CR LF line ends, as the program writes them.
    with open(path, "wb") as f:
        f.write(source.replace("\n", "\r\n").encode("cp1252"))
    command = [rls, "template", path] if kind == "riloscript-template" else [rls, "run", path]
    done = subprocess.run(command, capture_output=True, timeout=20, cwd=folder)
    return done.returncode, done.stdout.decode("cp1252").replace("\r\n", "\n"), done.stderr.decode("utf-8", "replace")


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    rls, guide = os.path.abspath(sys.argv[1]), sys.argv[2]
    with open(guide, encoding="utf-8") as f:
        text = f.read()
    failures = 0
    count = 0
    with tempfile.TemporaryDirectory() as folder:
        for kind, line, source, expected in examples(text):
            count += 1
            where = "%s:%d" % (guide, line)
            if expected is None:
                print("%s: example without an ```output block after it" % where)
                failures += 1
                continue
            status, out, err = run(rls, kind, source, folder)
            if status != 0 or out.rstrip("\n") != expected.rstrip("\n"):
                failures += 1
                print("%s: example gives (status %d)\n%s\n--- expected ---\n%s\n%s" % (where, status, out, expected, err))
    if count == 0:
        print("%s: no examples found" % guide)
        return 1
    print("%d examples, %d failed" % (count, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
