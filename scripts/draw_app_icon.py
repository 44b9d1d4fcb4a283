#!/usr/bin/env python3
"""Draws Garvel's application icon for the desktop's icon theme.

The drawing is a few simple shapes on a 256-unit square (a blue tile with a
car and a wrench). It is written once as SVG (the theme's scalable size) and
rasterised with 8 x 8 supersampling into PNG files of the theme's fixed
sizes:

    python3 scripts/draw_app_icon.py [output folder]   (default: desktop/icons)

gives <folder>/scalable/apps/garvel.svg and <folder>/<N>x<N>/apps/garvel.png, the
layout of the hicolor icon theme. Only the
standard library is used.
"""

import os
import struct
import sys
import zlib

from draw_icons import inside_polygon

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
UNITS = 256.0

TILE = (28, 92, 168)
TILE_EDGE = (18, 62, 120)
BODY = (246, 246, 248)
GLASS = (150, 200, 240)
TYRE = (38, 38, 44)
HUB = (190, 196, 204)
WRENCH = (245, 170, 35)
WRENCH_EDGE = (150, 95, 10)


def rounded_rect(x0, y0, x1, y1, r, colour):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    svg = '<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>' % (x0, y0, x1 - x0, y1 - y0, r, hexcolour(colour))
    return (inside, (x0, y0, x1, y1), colour, svg)


def circle(cx, cy, r, colour):
    svg = '<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, hexcolour(colour))
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r), colour, svg)


def polygon(points, colour):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    svg = '<polygon points="%s" fill="%s"/>' % (" ".join("%g,%g" % p for p in points), hexcolour(colour))
    return (lambda x, y: inside_polygon(points, x, y), (min(xs), min(ys), max(xs), max(ys)), colour, svg)


def bar(x0, y0, x1, y1, width, colour):
    """A straight stroke with round ends."""
    r = width / 2
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= r * r
    svg = '<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" stroke-linecap="round"/>' % (
        x0, y0, x1, y1, hexcolour(colour), width)
    return (inside, (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r), colour, svg)


def hexcolour(c):
    return "#%02x%02x%02x" % c


def drawing():
    """The shapes, painted in order."""
    s = [rounded_rect(12, 12, 244, 244, 44, TILE_EDGE), rounded_rect(20, 20, 236, 236, 38, TILE)]
    # The car, side on.
    s.append(polygon([(30, 170), (34, 140), (50, 128), (82, 122), (104, 90), (162, 90), (190, 122),
                      (216, 128), (228, 144), (228, 170)], BODY))
    s.append(polygon([(112, 100), (130, 100), (130, 122), (94, 122)], GLASS))
    s.append(polygon([(138, 100), (158, 100), (178, 122), (138, 122)], GLASS))
    for cx in (78, 180):
        s.append(circle(cx, 172, 27, TILE))
        s.append(circle(cx, 172, 22, TYRE))
        s.append(circle(cx, 172, 9, HUB))
    # The wrench above the car: handle, then the head with its open jaw.
    s.append(bar(136, 80, 186, 50, 22, WRENCH_EDGE))
    s.append(bar(136, 80, 186, 50, 14, WRENCH))
    s.append(circle(192, 46, 23, WRENCH_EDGE))
    s.append(circle(192, 46, 18, WRENCH))
    s.append(polygon([(188, 40), (196, 52), (217, 38), (209, 26)], TILE))
    return s


def rasterise(shapes, size, sub=8):
    scale = UNITS / size
    step = scale / sub
    rows = []
    for py in range(size):
        row = []
        # The shapes whose boxes meet this pixel row.
        y0, y1 = py * scale, (py + 1) * scale
        near = [sh for sh in shapes if sh[1][1] <= y1 and sh[1][3] >= y0]
        for px in range(size):
            x0, x1 = px * scale, (px + 1) * scale
            here = [sh for sh in near if sh[1][0] <= x1 and sh[1][2] >= x0]
            r = g = b = 0
            covered = 0
            for sy in range(sub):
                y = y0 + (sy + 0.5) * step
                for sx in range(sub):
                    x = x0 + (sx + 0.5) * step
                    colour = None
                    for inside, _, c, _ in here:
                        if inside(x, y):
                            colour = c
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered, (255 * covered + sub * sub // 2) // (sub * sub)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "desktop", "icons")
    shapes = drawing()
    svg = ('<?xml version="1.0" encoding="UTF-8"?>\n'
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n  ' +
           "\n  ".join(sh[3] for sh in shapes) + "\n</svg>\n")
    write(os.path.join(out, "scalable", "apps", "garvel.svg"), svg.encode("ascii"))
    for size in SIZES:
        write(os.path.join(out, "%dx%d" % (size, size), "apps", "garvel.png"), png(rasterise(shapes, size)))


if __name__ == "__main__":
    main()
