#!/usr/bin/env python3
"""Draws Varrow's pictures with the standard library only, so that they can be made again.

    scripts/make-artwork.py [ARTWORK_DIR [DATA_DIR [THEME_ICON_DIR]]]
                                         (defaults: artwork, data, packaging/icons)

Writes the button pictures, the program picture and the splash picture as PNG files into
ARTWORK_DIR (each button at 24 pixels and at 48 pixels as NAME@2x.png), the program's icons
"icon.ico" and "hoticon.ico" (16 to 48 pixels) into DATA_DIR, which is copied beside the
executable, and the desktop menu's icon as THEME_ICON_DIR/SIZExSIZE/varrow.png for the icon
theme. Every picture is a list of shapes painted in order and supersampled for smooth edges.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

# ---------------------------------------------------------------------------------------------
# Shapes: each knows its bounding box and whether a point lies inside it, in design units.


class Shape:
    def __init__(self, box):
        self.box = box  # x0, y0, x1, y1

    def covers(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x <= x1 and y0 <= y <= y1 and self.inside(x, y)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        super().__init__((x0, y0, x1, y1))
        self.r = min(radius, (x1 - x0) / 2, (y1 - y0) / 2)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.box
        cx = min(max(x, x0 + self.r), x1 - self.r)
        cy = min(max(y, y0 + self.r), y1 - self.r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= self.r ** 2


class Circle(Shape):
    def __init__(self, cx, cy, r):
        super().__init__((cx - r, cy - r, cx + r, cy + r))
        self.c, self.r2 = (cx, cy), r * r

    def inside(self, x, y):
        return (x - self.c[0]) ** 2 + (y - self.c[1]) ** 2 <= self.r2


class Arc(Shape):
    """A ring between radii r0 and r1, from angle a0 to a1 (degrees, clockwise from east)."""

    def __init__(self, cx, cy, r0, r1, a0=0.0, a1=360.0):
        super().__init__((cx - r1, cy - r1, cx + r1, cy + r1))
        self.c, self.r0, self.r1, self.a0, self.a1 = (cx, cy), r0, r1, a0 % 360, a1 - a0

    def inside(self, x, y):
        dx, dy = x - self.c[0], y - self.c[1]
        if not self.r0 ** 2 <= dx * dx + dy * dy <= self.r1 ** 2:
            return False
        return self.a1 >= 360 or (math.degrees(math.atan2(dy, dx)) - self.a0) % 360 <= self.a1


class Polygon(Shape):
    def __init__(self, points):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        super().__init__((min(xs), min(ys), max(xs), max(ys)))
        self.points = points

    def inside(self, x, y):
        inside, pts = False, self.points
        for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return inside


class Stroke(Shape):
    """A straight line of width w with round ends."""

    def __init__(self, x0, y0, x1, y1, w):
        h = w / 2
        super().__init__((min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))
        self.a, self.d, self.h2 = (x0, y0), (x1 - x0, y1 - y0), h * h
        self.len2 = self.d[0] ** 2 + self.d[1] ** 2 or 1e-9

    def inside(self, x, y):
        px, py = x - self.a[0], y - self.a[1]
        t = min(max((px * self.d[0] + py * self.d[1]) / self.len2, 0.0), 1.0)
        return (px - t * self.d[0]) ** 2 + (py - t * self.d[1]) ** 2 <= self.h2


class Union(Shape):
    def __init__(self, *parts):
        super().__init__((min(p.box[0] for p in parts), min(p.box[1] for p in parts),
                          max(p.box[2] for p in parts), max(p.box[3] for p in parts)))
        self.parts = parts

    def inside(self, x, y):
        return any(p.covers(x, y) for p in self.parts)


class Clip(Shape):
    """The part of `shape` that lies inside `within`."""

    def __init__(self, shape, within):
        super().__init__(shape.box)
        self.shape, self.within = shape, within

    def inside(self, x, y):
        return self.shape.inside(x, y) and self.within.covers(x, y)


class Transformed(Shape):
    """`shape` scaled by `factor` and then moved by (dx, dy)."""

    def __init__(self, shape, factor, dx, dy):
        b = shape.box
        super().__init__((b[0] * factor + dx, b[1] * factor + dy, b[2] * factor + dx,
                          b[3] * factor + dy))
        self.shape, self.factor, self.dx, self.dy = shape, factor, dx, dy

    def inside(self, x, y):
        return self.shape.covers((x - self.dx) / self.factor, (y - self.dy) / self.factor)


# ---------------------------------------------------------------------------------------------
# Paint: a colour, or a vertical or radial gradient, as (r, g, b, a) with values 0..255.


def rgb(hex_colour, alpha=255):
    value = int(hex_colour.lstrip("#"), 16)
    return (value >> 16, (value >> 8) & 255, value & 255, alpha)


def vertical(top, bottom, y0, y1):
    def paint(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return paint


def radial(inner, outer, cx, cy, r):
    def paint(x, y):
        t = min(math.hypot(x - cx, y - cy) / r, 1.0)
        return tuple(a + (b - a) * t for a, b in zip(inner, outer))
    return paint


def render(width, height, units, layers, samples=4):
    """RGBA rows of a picture `units` design units wide, drawn at width x height pixels."""
    scale = units / width
    offsets = [(i + 0.5) / samples for i in range(samples)]
    rows = []
    for py in range(height):
        row = bytearray()
        y_band = (py * scale, (py + 1) * scale)
        band = [(s, p) for s, p in layers if s.box[1] <= y_band[1] and s.box[3] >= y_band[0]]
        for px in range(width):
            x_band = (px * scale, (px + 1) * scale)
            here = [(s, p) for s, p in band if s.box[0] <= x_band[1] and s.box[2] >= x_band[0]]
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for oy in offsets:
                y = (py + oy) * scale
                for ox in offsets:
                    x = (px + ox) * scale
                    r = g = b = a = 0.0
                    for shape, paint in here:
                        if shape.covers(x, y):
                            c = paint(x, y) if callable(paint) else paint
                            alpha = c[3] / 255
                            r = c[0] * alpha + r * (1 - alpha)
                            g = c[1] * alpha + g * (1 - alpha)
                            b = c[2] * alpha + b * (1 - alpha)
                            a = alpha + a * (1 - alpha)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha <= 0:
                row += bytes(4)
            else:
                row += bytes([min(255, round(acc[0] / n / alpha)), min(255, round(acc[1] / n / alpha)),
                              min(255, round(acc[2] / n / alpha)), min(255, round(alpha * 255))])
        rows.append(bytes(row))
    return rows


# ---------------------------------------------------------------------------------------------
# File formats.


def png(width, height, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def ico(images):
    """An icon file with one 32-bit bitmap entry per (size, rows), smallest first."""
    entries, bodies = [], []
    offset = 6 + 16 * len(images)
    for size, rows in images:
        xor = b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
                       for row in reversed(rows) for i in range(0, 4 * size, 4))
        mask_stride = (size + 31) // 32 * 4
        mask = b""
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x in range(size):
                if row[4 * x + 3] < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        body = info + xor + mask
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body),
                                   offset))
        bodies.append(body)
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(bodies)


# ---------------------------------------------------------------------------------------------
# The pictures. Buttons and icons are designed on a 48-unit square.

WHITE = rgb("#ffffff")
SHADOW = rgb("#000000", 60)


def arrow_right(cx, cy, size):
    """A bold arrow pointing right, centred on (cx, cy)."""
    s = size / 2
    return Polygon([(cx - s, cy - s * 0.28), (cx + s * 0.05, cy - s * 0.28),
                    (cx + s * 0.05, cy - s * 0.75), (cx + s, cy), (cx + s * 0.05, cy + s * 0.75),
                    (cx + s * 0.05, cy + s * 0.28), (cx - s, cy + s * 0.28)])


def mirrored(polygon, axis=24.0):
    return Polygon([(2 * axis - x, y) for x, y in polygon.points])


def round_button(fill_top, fill_bottom, ring):
    return [(Circle(24, 25.5, 21), SHADOW),
            (Circle(24, 24, 21), ring),
            (Circle(24, 24, 19), vertical(fill_top, fill_bottom, 5, 43)),
            (Clip(Circle(24, 13, 17), Circle(24, 24, 19)), rgb("#ffffff", 50))]


def back_button():
    blue = round_button(rgb("#5aa9f0"), rgb("#1d63bf"), rgb("#174f99"))
    return blue + [(mirrored(arrow_right(24, 24, 26)), WHITE)]


def forward_button():
    blue = round_button(rgb("#5aa9f0"), rgb("#1d63bf"), rgb("#174f99"))
    return blue + [(arrow_right(24, 24, 26), WHITE)]


def octagon(cx, cy, r):
    return Polygon([(cx + r * math.cos(math.radians(22.5 + 45 * i)),
                     cy + r * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)])


def stop_button():
    return [(octagon(24, 25.5, 21), SHADOW),
            (octagon(24, 24, 21), rgb("#9c1f17")),
            (octagon(24, 24, 19), vertical(rgb("#f26b5e"), rgb("#c0281d"), 5, 43)),
            (Stroke(16, 16, 32, 32, 6), WHITE),
            (Stroke(32, 16, 16, 32, 6), WHITE)]


def arrow_head(cx, cy, angle, r0, r1, length):
    """The head of an arrow running clockwise round (cx, cy), across the ring r0..r1 at `angle`."""
    t = math.radians(angle)
    def at(radius):
        return (cx + radius * math.cos(t), cy + radius * math.sin(t))
    mid = at((r0 + r1) / 2)
    tip = (mid[0] - length * math.sin(t), mid[1] + length * math.cos(t))
    return Polygon([at(r0), at(r1), tip])


def refresh_button():
    green = vertical(rgb("#5fcf7a"), rgb("#23883f"), 4, 44)
    dark = rgb("#1b6d33")
    return [(Arc(24, 25.5, 10, 19, 290, 590), SHADOW),
            (arrow_head(24, 25.5, 230, 3, 26, 13), SHADOW),
            (Arc(24, 24, 10, 19, 290, 590), dark),
            (arrow_head(24, 24, 230, 3, 26, 13), dark),
            (Arc(24, 24, 11.5, 17.5, 292, 588), green),
            (arrow_head(24, 24, 229, 5.5, 23.5, 10.5), green)]


def updir_button():
    folder = vertical(rgb("#ffd970"), rgb("#e6a92b"), 10, 42)
    return [(RoundRect(4, 12, 44, 42, 3), SHADOW),
            (RoundRect(4, 8, 22, 16, 2), rgb("#d69a22")),
            (RoundRect(4, 11, 44, 40, 3), rgb("#c78f1f")),
            (RoundRect(5, 12, 43, 39, 2.5), folder),
            (Polygon([(24, 15), (34, 26), (28, 26), (28, 35), (20, 35), (20, 26), (14, 26)]),
             rgb("#1d63bf")),
            (Polygon([(24, 17.5), (31.5, 25), (26.5, 25), (26.5, 33.5), (21.5, 33.5),
                      (21.5, 25), (16.5, 25)]), rgb("#5aa9f0"))]


def page(x0, y0, x1, y1, fold):
    return Polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])


def sendtoie_button():
    lines = [(RoundRect(9, y, 27, y + 2, 1), rgb("#9aa7b8")) for y in (17, 22, 27, 32)]
    return ([(page(5, 5, 33, 45, 8), SHADOW),
             (page(5, 3, 33, 43, 8), rgb("#7d8a9c")),
             (page(6, 4, 32, 42, 7.5), vertical(rgb("#ffffff"), rgb("#e3e8ef"), 4, 42)),
             (Polygon([(25, 4), (32, 11), (25, 11)]), rgb("#c5cdd8"))] + lines +
            [(arrow_right(34, 32, 24), rgb("#174f99")),
             (arrow_right(34, 32, 19), vertical(rgb("#6fd38a"), rgb("#23883f"), 22, 42))])


def globe(cx, cy, r):
    sea = radial(rgb("#8fd0ff"), rgb("#1d63bf"), cx - r * 0.35, cy - r * 0.4, r * 1.5)
    land = rgb("#3fae5a")
    ball = Circle(cx, cy, r)
    continents = [Clip(Circle(cx - r * 0.35, cy - r * 0.25, r * 0.42), ball),
                  Clip(Circle(cx + r * 0.45, cy + r * 0.35, r * 0.38), ball),
                  Clip(Circle(cx - r * 0.1, cy + r * 0.75, r * 0.3), ball)]
    lines = rgb("#ffffff", 110)
    grid = [Clip(Arc(cx, cy + r * 1.6, r * 1.9, r * 1.9 + 1.4), ball),
            Clip(Arc(cx, cy - r * 1.6, r * 1.9, r * 1.9 + 1.4), ball),
            Clip(RoundRect(cx - r, cy - 0.7, cx + r, cy + 0.7), ball),
            Clip(Arc(cx + r * 0.9, cy, r * 1.35, r * 1.35 + 1.4), ball),
            Clip(Arc(cx - r * 0.9, cy, r * 1.35, r * 1.35 + 1.4), ball),
            Clip(RoundRect(cx - 0.7, cy - r, cx + 0.7, cy + r), ball)]
    return ([(Circle(cx, cy + 1.5, r + 1.5), SHADOW), (Circle(cx, cy, r + 1.5), rgb("#174f99")),
             (ball, sea)] + [(c, land) for c in continents] + [(g, lines) for g in grid] +
            [(Clip(Circle(cx - r * 0.3, cy - r * 0.55, r * 0.6), ball), rgb("#ffffff", 45))])


def website_button():
    return globe(24, 24, 19)


def go_button():
    return [(arrow_right(24, 25.5, 40), SHADOW),
            (arrow_right(24, 24, 40), rgb("#1b6d33")),
            (arrow_right(24.5, 24, 34), vertical(rgb("#7ddc95"), rgb("#23883f"), 8, 40))]


def program_emblem(tile_top, tile_bottom, sun):
    """The program's picture: a photograph lifted off a page, on a rounded tile."""
    photo = RoundRect(10, 13, 38, 35, 1.5)
    sky = vertical(rgb("#8fd0ff"), rgb("#d9f1ff"), 14, 30)
    return [(RoundRect(2, 3.5, 46, 47.5, 9), SHADOW),
            (RoundRect(2, 2, 46, 46, 9), vertical(tile_top, tile_bottom, 2, 46)),
            (Clip(Circle(24, -20, 46), RoundRect(2, 2, 46, 46, 9)), rgb("#ffffff", 40)),
            (RoundRect(8.5, 12.5, 39.5, 37.5, 2), rgb("#000000", 70)),
            (RoundRect(8, 11, 40, 37, 2), WHITE),
            (photo, sky),
            (Clip(Circle(31, 20, 4.2), photo), sun),
            (Clip(Circle(17, 44, 17), photo), rgb("#3fae5a")),
            (Clip(Circle(36, 48, 17), photo), rgb("#23883f"))]


def icon_picture():
    return program_emblem(rgb("#3f8ae0"), rgb("#123e7c"), rgb("#ffc94a"))


def hot_icon_picture():
    return program_emblem(rgb("#ffb347"), rgb("#e0621b"), rgb("#fff07a"))


# The splash picture: the program's name beside a browser window full of pictures, designed on
# 478 x 254 units, the size of the splash window's picture area.

SPLASH_W, SPLASH_H = 478, 254


def letters(x, base, height, weight):
    """The strokes of the word "Varrow" from (x, base), `height` high; returns (shapes, width)."""
    cap, xh, w = height, height * 0.68, weight
    shapes = []
    # V
    shapes += [Stroke(x, base - cap, x + cap * 0.36, base, w),
               Stroke(x + cap * 0.72, base - cap, x + cap * 0.36, base, w)]
    x += cap * 0.72 + w * 1.6
    # a
    r = xh / 2
    shapes += [Arc(x + r, base - r, r - w / 2, r + w / 2 - 0.01),
               Stroke(x + 2 * r, base - xh + w * 0.2, x + 2 * r, base, w)]
    x += 2 * r + w * 1.5
    # r, r
    for _ in range(2):
        shapes += [Stroke(x, base - xh, x, base, w),
                   Arc(x + r * 0.9, base - xh + r * 0.9, r * 0.9 - w / 2, r * 0.9 + w / 2,
                       180, 300)]
        x += r * 1.35 + w * 1.4
    # o
    shapes += [Arc(x + r, base - r, r - w / 2, r + w / 2)]
    x += 2 * r + w * 1.5
    # w
    ww = xh * 1.3
    shapes += [Stroke(x, base - xh, x + ww * 0.25, base, w),
               Stroke(x + ww * 0.25, base, x + ww * 0.5, base - xh * 0.72, w),
               Stroke(x + ww * 0.5, base - xh * 0.72, x + ww * 0.75, base, w),
               Stroke(x + ww * 0.75, base, x + ww, base - xh, w)]
    return shapes


def thumbnail(x0, y0, x1, y1, sky_top, sky_bottom, ground, sun):
    frame = RoundRect(x0, y0, x1, y1, 2)
    w, h = x1 - x0, y1 - y0
    return [(frame, vertical(sky_top, sky_bottom, y0, y1)),
            (Clip(Circle(x0 + w * 0.7, y0 + h * 0.35, h * 0.16), frame), sun),
            (Clip(Circle(x0 + w * 0.25, y1 + h * 0.55, h * 0.85), frame), ground),
            (Clip(Circle(x0 + w * 0.85, y1 + h * 0.7, h * 0.8), frame), rgb("#000000", 40))]


def splash_picture():
    layers = [(RoundRect(0, 0, SPLASH_W, SPLASH_H),
               vertical(rgb("#1f5596"), rgb("#0d2b52"), 0, SPLASH_H)),
              (Circle(120, 40, 190), rgb("#ffffff", 14)),
              (Circle(420, 260, 120), rgb("#ffffff", 10))]
    # A browser window, leaning slightly, with its tab strip and a gallery of pictures.
    wx0, wy0, wx1, wy1 = 24, 34, 226, 222
    layers += [(RoundRect(wx0 + 4, wy0 + 6, wx1 + 4, wy1 + 6, 8), rgb("#000000", 70)),
               (RoundRect(wx0, wy0, wx1, wy1, 8), rgb("#eef2f7")),
               (RoundRect(wx0, wy0, wx1, wy0 + 26, 8), rgb("#c9d4e3")),
               (RoundRect(wx0, wy0 + 16, wx1, wy0 + 26), rgb("#c9d4e3")),
               (Circle(wx0 + 13, wy0 + 13, 4), rgb("#e0483e")),
               (Circle(wx0 + 25, wy0 + 13, 4), rgb("#f2b53c")),
               (Circle(wx0 + 37, wy0 + 13, 4), rgb("#3fae5a")),
               (RoundRect(wx0 + 52, wy0 + 7, wx1 - 10, wy0 + 20, 6), WHITE),
               (RoundRect(wx0 + 8, wy0 + 32, wx0 + 62, wy0 + 46, 3), rgb("#d5deea")),
               (RoundRect(wx0 + 66, wy0 + 32, wx0 + 134, wy0 + 46, 3), rgb("#d5deea")),
               (RoundRect(wx0 + 138, wy0 + 32, wx0 + 190, wy0 + 46, 3), rgb("#2f6fbd"))]
    themes = [("#8fd0ff", "#d9f1ff", "#3fae5a", "#ffc94a"),
              ("#ffb36b", "#ffe0b3", "#7d5ba6", "#fff07a"),
              ("#5b7fd6", "#b9c9f2", "#2d3f73", "#f2f2f2"),
              ("#ff8a7a", "#ffd2c2", "#b3462f", "#fff3b0"),
              ("#6fd3c4", "#d3f5ee", "#1f7a6a", "#ffffff"),
              ("#c7a3f0", "#efe2ff", "#5d3f99", "#ffd970")]
    for i, (top, bottom, ground, sun) in enumerate(themes):
        col, row = i % 3, i // 3
        x0 = wx0 + 10 + col * 63
        y0 = wy0 + 56 + row * 64
        layers += [(RoundRect(x0 - 1, y0 - 1, x0 + 57, y0 + 57, 3), rgb("#b8c4d6"))]
        layers += thumbnail(x0, y0, x0 + 56, y0 + 56, rgb(top), rgb(bottom), rgb(ground), rgb(sun))
    # The name with its shadow, an underline in the warm colour of the highlighted icon, and the
    # program's emblem.
    word = letters(250, 118, 40, 7)
    layers += [(Union(*[Transformed(s, 1.0, 2, 3) for s in word]), rgb("#000000", 70)),
               (Union(*word), WHITE),
               (RoundRect(251, 134, 452, 139, 2.5),
                vertical(rgb("#ffb347"), rgb("#e0621b"), 134, 139))]
    layers += [(Transformed(s, 1.25, 392, 158), p) for s, p in icon_picture()]
    return layers


# ---------------------------------------------------------------------------------------------

BUTTONS = {
    "back": back_button, "forward": forward_button, "stop": stop_button,
    "refresh": refresh_button, "updir": updir_button, "sendtoie": sendtoie_button,
    "website": website_button, "go": go_button,
}
ICON_SIZES = (16, 20, 24, 32, 48)
THEME_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def write_png(path, size, units, layers, samples=4):
    width, height = size
    path.write_bytes(png(width, height, render(width, height, units, layers, samples)))


def main(artwork, data, theme_icons):
    artwork.mkdir(parents=True, exist_ok=True)
    data.mkdir(parents=True, exist_ok=True)
    for name, picture in BUTTONS.items():
        write_png(artwork / f"{name}.png", (24, 24), 48, picture())
        write_png(artwork / f"{name}@2x.png", (48, 48), 48, picture())
    write_png(artwork / "icon.png", (32, 32), 48, icon_picture())
    write_png(artwork / "icon@2x.png", (64, 64), 48, icon_picture())
    write_png(artwork / "about.png", (96, 96), 48, icon_picture())
    write_png(artwork / "about@2x.png", (192, 192), 48, icon_picture())
    write_png(artwork / "splash.png", (SPLASH_W * 2, SPLASH_H * 2), SPLASH_W, splash_picture(), 2)
    for name, picture in (("icon.ico", icon_picture), ("hoticon.ico", hot_icon_picture)):
        images = [(s, render(s, s, 48, picture())) for s in ICON_SIZES]
        (data / name).write_bytes(ico(images))
    for size in THEME_ICON_SIZES:
        folder = theme_icons / f"{size}x{size}"
        folder.mkdir(parents=True, exist_ok=True)
        write_png(folder / "varrow.png", (size, size), 48, icon_picture())


if __name__ == "__main__":
    main(Path(sys.argv[1] if len(sys.argv) > 1 else "artwork"),
         Path(sys.argv[2] if len(sys.argv) > 2 else "data"),
         Path(sys.argv[3] if len(sys.argv) > 3 else "packaging/icons"))
