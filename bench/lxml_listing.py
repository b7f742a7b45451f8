#!/usr/bin/env python3
"""Lists what the capture lists, with a real HTML parser, to compare the capture's speed with.

Usage: lxml_listing.py RUNS SECONDS ADDRESS FILE...

Parses each FILE (body markup) with lxml, lists every img src and every a href that names a
.bmp, .gif, .jpeg or .jpg file, each resolved against ADDRESS with urljoin, and prints one line per
file: the best processor time of at least RUNS runs, run until they took SECONDS of processor time
in all, in seconds, a tab, and how many addresses it listed.
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
    if len(arguments) < 4:
        sys.stderr.write(__doc__)
        return 2
    runs, least, address = int(arguments[0]), float(arguments[1]), arguments[2]
    files = arguments[3:]
    for path in files:
        with open(path, "rb") as stream:
            markup = stream.read()
        best, spent, run = float("inf"), 0.0, 0
        while run < runs or spent < least:
            start = time.process_time()
            found = listing(markup, address)
            took = time.process_time() - start
            best, spent, run = min(best, took), spent + took, run + 1
        print(f"{best:.6f}\t{len(found)}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
