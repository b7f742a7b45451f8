#!/usr/bin/env python3
"""Draws the start page's pictures (PNG, standard library only), so they can be made again."""
import math
import struct
import sys
import zlib
from pathlib import Path


def png(width, height, pixel):
    rows = b"".join(
        b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP: browsers show it, and its extension marks a link as a picture."""
    pad = (4 - width * 3 % 4) % 4
    rows = b"".join(
        b"".join(bytes(reversed(pixel(x, y))) for x in range(width)) + b"\0" * pad
        for y in reversed(range(height)))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def sunrise(x, y, w=320, h=200):
    sky = mix((255, 183, 94), (94, 129, 200), y / h)
    sun = math.hypot(x - w * 0.5, y - h * 0.72) < h * 0.22
    hill = y > h * 0.75 + 14 * math.sin(x / 37.0)
    if hill:
        return mix((46, 110, 64), (22, 64, 36), (y - h * 0.7) / (h * 0.3))
    return (255, 226, 120) if sun else sky


def tiles(x, y):
    shade = ((x // 40) + (y // 40)) % 2
    return mix((38, 70, 120), (72, 160, 190), (x + y) / 520) if shade else (236, 240, 244)


def rings(x, y, w=200, h=200):
    r = math.hypot(x - w / 2, y - h / 2)
    return mix((140, 40, 90), (250, 200, 90), (math.sin(r / 9.0) + 1) / 2)


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    (out / "sunrise.png").write_bytes(png(320, 200, sunrise))
    (out / "tiles.png").write_bytes(png(280, 200, tiles))
    (out / "rings.bmp").write_bytes(bmp(200, 200, rings))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/start/images")
