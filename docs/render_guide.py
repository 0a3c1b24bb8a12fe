#!/usr/bin/env python3
"""Renders the user guide's Markdown pages to HTML with python3-markdown.

    render_guide.py OUT_DIR SOURCE_DIR:PAGE.md ...

Each page becomes OUT_DIR/<same relative path>.html inside a common frame with
the guide's navigation. Links between pages are written as .html already.
"""
import html
import os
import sys

import markdown

NAV = [
    ("index.html", "Contents"),
    ("guide.html", "User guide"),
    ("riloscript.html", "RiloScript"),
    ("reference/settings.html", "Settings"),
    ("reference/builtins.html", "Built-in functions"),
    ("reference/context-variables.html", "Context variables"),
    ("reference/template-keys.html", "Template snippets"),
    ("reference/clone-list.html", "Clone list"),
    ("reference/messages.html", "Messages"),
]

FRAME = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title} - Velmora</title>
<style>
body {{ font-family: sans-serif; line-height: 1.5; max-width: 60rem; margin: 0 auto; padding: 1rem; color: #222; }}
nav {{ border-bottom: 1px solid #ccc; padding-bottom: .5rem; margin-bottom: 1rem; }}
nav a {{ margin-right: 1rem; }}
code, pre {{ background: #f4f4f4; }}
pre {{ padding: .5rem; overflow-x: auto; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #ccc; padding: .2rem .4rem; vertical-align: top; }}
</style>
</head>
<body>
<nav>{nav}</nav>
<main>
{body}
</main>
</body>
</html>
"""


def render(out_dir, source_dir, page):
    with open(os.path.join(source_dir, page), encoding="utf-8") as f:
        text = f.read()
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "attr_list", "toc"], output_format="html")
    target = os.path.join(out_dir, page[:-3] + ".html")
    depth = page.count("/")
    up = "../" * depth
    nav = " ".join('<a href="%s%s">%s</a>' % (up, link, html.escape(name)) for link, name in NAV)
    title = next((line[2:].strip() for line in text.splitlines() if line.startswith("# ")), "Velmora")
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="utf-8") as f:
        f.write(FRAME.format(title=html.escape(title), nav=nav, body=body))


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    out_dir = sys.argv[1]
    for item in sys.argv[2:]:
        source_dir, page = item.rsplit(":", 1)
        render(out_dir, source_dir, page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
