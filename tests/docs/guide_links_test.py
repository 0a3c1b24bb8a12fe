#!/usr/bin/env python3
"""Every link between the rendered pages of the user guide leads somewhere:
the page exists and, for a link with #anchor, the page has that id.

    guide_links_test.py HTML_DIR
Exits 77 (skipped) when the guide was not rendered (no python3-markdown).
"""
import os
import re
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids = set()
        self.links = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        for name in ("href", "src"):
            value = attrs.get(name)
            if value and not re.match(r"^[a-z]+:", value) and not value.startswith("{"):
                self.links.append(value)


def main():
    root = sys.argv[1]
    if not os.path.isfile(os.path.join(root, "index.html")):
        print("the guide was not rendered: skipped")
        return 77
    pages = {}
    for folder, _, files in os.walk(root):
        for name in files:
            if name.endswith(".html"):
                path = os.path.normpath(os.path.join(folder, name))
                page = Page()
                with open(path, encoding="utf-8") as f:
                    page.feed(f.read())
                pages[path] = page
    broken = []
    for path, page in pages.items():
        for link in page.links:
            target, _, anchor = link.partition("#")
            target_path = os.path.normpath(os.path.join(os.path.dirname(path), target)) if target else path
            if not os.path.exists(target_path):
                broken.append("%s: %s (no such file)" % (path, link))
            elif anchor and target_path in pages and anchor not in pages[target_path].ids:
                broken.append("%s: %s (no such anchor)" % (path, link))
    for line in broken:
        print(line)
    print("%d pages, %d broken links" % (len(pages), len(broken)))
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
