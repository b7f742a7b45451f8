#!/usr/bin/env python3
"""Lists what the capture lists, with a real HTML parser, to compare the capture's speed with.

Usage: lxml_listing.py RUNS ADDRESS FILE...

Parses each FILE (body markup) with lxml, lists every img src and every a href that names a
.bmp, .gif, .jpeg or .jpg file, each resolved against ADDRESS with urljoin, and prints one line per
file: the best processor time of RUNS runs in seconds, a tab, and how many addresses it listed.
"""

import sys
import time
from urllib.parse import urljoin, urlsplit

import lxml.html

IMAGE_EXTENSIONS = (".bmp", ".gif", ".jpeg", ".jpg")


def listing(markup, address):
    root = lxml.html.fromstring(markup)
    found = [urljoin(address, src) for src in root.xpath("//img/@src")]
    for href in root.xpath("//a/@href"):
        if urlsplit(href).path.lower().endswith(IMAGE_EXTENSIONS):
            found.append(urljoin(address, href))
    return found


def main(arguments):
    if len(arguments) < 3:
        sys.stderr.write(__doc__)
        return 2
    runs, address, files = int(arguments[0]), arguments[1], arguments[2:]
    for path in files:
        with open(path, "rb") as stream:
            markup = stream.read()
        best = float("inf")
        for _ in range(runs):
            start = time.process_time()
            found = listing(markup, address)
            best = min(best, time.process_time() - start)
        print(f"{best:.6f}\t{len(found)}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
