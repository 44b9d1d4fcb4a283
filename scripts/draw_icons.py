#!/usr/bin/env python3
"""Draws the activity icon library shipped in data/icons/.

Every icon is drawn here from simple shapes (circles, polygons, strokes) on
a 4x supersampled canvas, scaled down to 32 x 32 and written as a 32-bit ICO
file named <index padded to four digits><name>.ico. Run it again after
changing a drawing:

    python3 scripts/draw_icons.py [output folder]   (default: data/icons)

Only the standard library is used.
"""

import math
import os
import struct
import sys

SIZE = 32
SCALE = 4
N = SIZE * SCALE

# Palette (r, g, b).
INK = (35, 35, 40)
STEEL = (150, 158, 168)
LIGHT = (215, 220, 226)
DARK = (80, 86, 96)
RUBBER = (45, 45, 50)
OIL = (222, 170, 30)
RED = (205, 45, 40)
BLUE = (40, 110, 210)
SKY = (120, 190, 240)
GREEN = (60, 160, 70)
WHITE = (250, 250, 250)
YELLOW = (250, 215, 40)
ORANGE = (240, 130, 30)
BROWN = (140, 90, 50)


def inside_polygon(points, x, y):
    """Non-zero winding rule."""
    winding = 0
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        if ay <= y < by or by <= y < ay:
            t = (y - ay) / (by - ay)
            if x < ax + t * (bx - ax):
                winding += 1 if by > ay else -1
    return winding != 0


class Canvas:
    def __init__(self):
        self.px = [[None] * N for _ in range(N)]

    def _fill(self, inside, bbox, colour, alpha=1.0):
        """Paints the samples inside the shape; colour None erases them."""
        x0, y0, x1, y1 = bbox
        sx0 = max(0, int(x0 * SCALE) - 1)
        sy0 = max(0, int(y0 * SCALE) - 1)
        sx1 = min(N, int(math.ceil(x1 * SCALE)) + 1)
        sy1 = min(N, int(math.ceil(y1 * SCALE)) + 1)
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / SCALE
            row = self.px[sy]
            for sx in range(sx0, sx1):
                x = (sx + 0.5) / SCALE
                if not inside(x, y):
                    continue
                old = row[sx]
                if colour is None:
                    row[sx] = None
                elif old is None or alpha >= 1:
                    row[sx] = (colour, alpha)
                else:
                    (c, a) = old
                    mixed = tuple(int(c[i] * (1 - alpha) + colour[i] * alpha) for i in range(3))
                    row[sx] = (mixed, a + alpha * (1 - a))

    def circle(self, cx, cy, r, colour, alpha=1.0):
        self._fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r), colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour):
        self._fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1,
                   (cx - rx, cy - ry, cx + rx, cy + ry), colour)

    def ring(self, cx, cy, r_out, r_in, colour):
        self._fill(lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out,
                   (cx - r_out, cy - r_out, cx + r_out, cy + r_out), colour)

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self._fill(inside, (x0, y0, x1, y1), colour)

    def box(self, x0, y0, x1, y1, colour, radius=0.0, outline=INK, width=1.0):
        """A filled rectangle with a dark outline."""
        self.rect(x0 - width, y0 - width, x1 + width, y1 + width, outline, radius + width if radius else 0)
        self.rect(x0, y0, x1, y1, colour, radius)

    def disc(self, cx, cy, r, colour, outline=INK, width=1.0):
        self.circle(cx, cy, r + width, outline)
        self.circle(cx, cy, r, colour)

    def poly(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self._fill(lambda x, y: inside_polygon(points, x, y), (min(xs), min(ys), max(xs), max(ys)), colour)

    def shape(self, points, colour, outline=INK, width=1.0):
        """A filled polygon with a dark outline."""
        self.poly(points, colour)
        self.polyline(points + [points[0]], width, outline)

    def line(self, x0, y0, x1, y1, width, colour):
        r = width / 2
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx - x, y0 + t * dy - y
            return px * px + py * py <= r * r
        self._fill(inside, (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r), colour)

    def polyline(self, points, width, colour):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], width, colour)

    def arc(self, cx, cy, r, start_deg, end_deg, width, colour, steps=24):
        pts = []
        for i in range(steps + 1):
            a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
            pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
        self.polyline(pts, width, colour)

    def pixels(self):
        """32 x 32 rows of (r, g, b, a), averaged from the samples."""
        out = []
        for y in range(SIZE):
            row = []
            for x in range(SIZE):
                r = g = b = a = 0.0
                for sy in range(y * SCALE, (y + 1) * SCALE):
                    for sx in range(x * SCALE, (x + 1) * SCALE):
                        p = self.px[sy][sx]
                        if p is None:
                            continue
                        (c, alpha) = p
                        r += c[0] * alpha
                        g += c[1] * alpha
                        b += c[2] * alpha
                        a += alpha
                n = SCALE * SCALE
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((int(r / a + 0.5), int(g / a + 0.5), int(b / a + 0.5), int(255 * a / n + 0.5)))
            out.append(row)
        return out


def write_ico(path, rows):
    """One 32 x 32 image, 32 bits with alpha, plus the AND mask."""
    pixels = b""
    for row in reversed(rows):  # bottom-up
        for (r, g, b, a) in row:
            pixels += bytes((b, g, r, a))
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    data = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


# ---- the drawings --------------------------------------------------------

def oil_change(c):
    c.shape([(4, 14), (22, 14), (27, 9), (29, 10), (25, 17), (25, 26), (4, 26)], OIL)
    c.box(8, 10, 13, 14, OIL)
    c.line(22, 14, 28, 9.5, 2, INK)
    c.shape([(28, 17), (30, 21.5), (29, 23.5), (27, 23.5), (26, 21.5)], (120, 80, 10), width=0.8)
    c.rect(7, 18, 18, 22, (250, 240, 200))


def brakes(c):
    c.disc(15, 16, 12, STEEL)
    c.ring(15, 16, 12, 10.5, DARK)
    c.disc(15, 16, 4.5, LIGHT)
    for i in range(5):
        a = math.radians(90 + i * 72)
        c.circle(15 + 3 * math.cos(a), 16 - 3 * math.sin(a), 0.9, INK)
    for i in range(8):
        a = math.radians(i * 45 + 20)
        c.circle(15 + 8 * math.cos(a), 16 - 8 * math.sin(a), 0.8, DARK)
    c.shape([(22, 5), (29, 9), (29, 23), (22, 27), (24, 16)], RED)


def tyres(c):
    c.disc(16, 16, 13.5, RUBBER, outline=INK)
    for i in range(16):
        a = math.radians(i * 22.5)
        c.line(16 + 11.5 * math.cos(a), 16 - 11.5 * math.sin(a), 16 + 13.5 * math.cos(a), 16 - 13.5 * math.sin(a),
               1.2, (90, 90, 95))
    c.disc(16, 16, 7.5, LIGHT)
    c.disc(16, 16, 2.5, DARK)
    for i in range(5):
        a = math.radians(90 + i * 72)
        c.circle(16 + 5 * math.cos(a), 16 - 5 * math.sin(a), 1, DARK)


def oil_filter(c):
    c.box(7, 8, 25, 28, BLUE, radius=3)
    for x in (10, 13, 16, 19, 22):
        c.line(x, 11, x, 25, 1, (25, 75, 160))
    c.box(9, 4, 23, 8, STEEL, radius=1)
    c.rect(10, 15, 22, 20, WHITE)
    c.line(12, 17.5, 20, 17.5, 1.2, BLUE)


def air_filter(c):
    c.box(3, 8, 29, 25, (240, 235, 220), radius=2)
    pts = []
    for i in range(13):
        pts.append((4.5 + i * 2, 10 if i % 2 == 0 else 23))
    c.polyline(pts, 1.2, (170, 150, 110))
    c.rect(3, 8, 29, 10, DARK)
    c.rect(3, 23, 29, 25, DARK)


def battery(c):
    c.box(3, 10, 29, 27, DARK, radius=2)
    c.rect(3, 10, 29, 14, (60, 64, 72))
    c.box(6, 6, 11, 10, RED)
    c.box(21, 6, 26, 10, INK)
    c.line(6, 19, 12, 19, 2, RED)
    c.line(9, 16, 9, 22, 2, RED)
    c.line(20, 19, 26, 19, 2, WHITE)


def diagnostics(c):
    c.box(3, 5, 29, 22, INK, radius=2, outline=INK)
    c.rect(5, 7, 27, 20, (20, 60, 40))
    c.polyline([(6, 14), (10, 14), (12, 9), (15, 18), (18, 11), (20, 14), (26, 14)], 1.5, (90, 240, 120))
    c.shape([(12, 22), (20, 22), (22, 27), (10, 27)], STEEL)


def exhaust(c):
    c.line(2, 22, 9, 22, 4, STEEL)
    c.box(9, 16, 22, 27, STEEL, radius=4)
    c.line(22, 22, 27, 22, 3.5, STEEL)
    c.line(2, 22, 9, 22, 2, LIGHT)
    c.circle(25, 12, 3, (170, 170, 170), alpha=0.8)
    c.circle(28, 7, 2.5, (190, 190, 190), alpha=0.7)
    c.circle(22, 7, 2, (200, 200, 200), alpha=0.6)


def air_conditioning(c):
    for i in range(3):
        a = math.radians(i * 60)
        dx, dy = 12 * math.cos(a), 12 * math.sin(a)
        c.line(16 - dx, 16 - dy, 16 + dx, 16 + dy, 4, INK)
    for i in range(3):
        a = math.radians(i * 60)
        dx, dy = 12 * math.cos(a), 12 * math.sin(a)
        c.line(16 - dx, 16 - dy, 16 + dx, 16 + dy, 2.2, SKY)
        for s in (-1, 1):
            bx, by = 16 + s * 0.65 * dx, 16 + s * 0.65 * dy
            for t in (-1, 1):
                b = a + s * 0 + t * math.radians(45) + (math.pi if s < 0 else 0)
                c.line(bx, by, bx + 3.5 * math.cos(b), by + 3.5 * math.sin(b), 1.6, SKY)
    c.disc(16, 16, 2.5, WHITE)


def lights(c):
    c.shape([(4, 8), (13, 6), (17, 16), (13, 26), (4, 24)], YELLOW)
    c.line(5, 10, 5, 22, 1.5, WHITE)
    for y, dy in ((9, -3), (16, 0), (23, 3)):
        c.line(20, y, 29, y + dy, 2.2, INK)
        c.line(20, y, 29, y + dy, 1.2, YELLOW)


def inspection(c):
    c.box(6, 5, 26, 29, WHITE, radius=1.5)
    c.box(11, 3, 21, 7, STEEL, radius=1)
    for y in (12, 17, 22):
        c.line(10, y, 15, y, 1.2, DARK)
    c.polyline([(17, 17), (20, 21), (27, 10)], 3, GREEN)


def bodywork(c):
    c.shape([(2, 20), (4, 14), (10, 13), (14, 8), (23, 8), (27, 13), (30, 15), (30, 21), (2, 21)], RED)
    c.poly([(15, 10), (22, 10), (25, 13), (15, 13)], SKY)
    c.poly([(11, 13), (14, 10), (14, 13)], SKY)
    c.disc(9, 22, 3.5, RUBBER)
    c.disc(24, 22, 3.5, RUBBER)
    c.circle(9, 22, 1.4, LIGHT)
    c.circle(24, 22, 1.4, LIGHT)


def painting(c):
    c.box(4, 10, 18, 17, STEEL, radius=2)
    c.shape([(10, 17), (14, 17), (13, 27), (10, 27)], DARK)
    c.box(8, 3, 14, 10, BLUE, radius=1)
    c.line(18, 13.5, 22, 13.5, 2, INK)
    for i, (dx, dy) in enumerate(((5, -4), (7, 0), (5, 4), (9, -2), (9, 3))):
        c.circle(23 + dx, 13.5 + dy, 1.3 - i * 0.1, BLUE)


def alignment(c):
    c.box(11, 6, 21, 26, RUBBER, radius=3)
    c.rect(13, 13, 19, 19, LIGHT)
    for (tip, base) in ((2, 9), (30, 23)):
        c.line(tip, 16, base, 16, 3.2, INK)
        c.line(tip, 16, base, 16, 1.6, YELLOW)
        c.shape([(tip, 16), (tip + (3 if tip < 16 else -3), 12.5), (tip + (3 if tip < 16 else -3), 19.5)], YELLOW,
                width=0.8)
    c.line(16, 2, 16, 30, 1, RED)


def coolant(c):
    c.line(12, 5, 12, 21, 6, INK)
    c.line(12, 5, 12, 21, 3.5, WHITE)
    c.disc(12, 24, 4.5, RED)
    c.line(12, 12, 12, 22, 2, RED)
    for y in (9, 13, 17):
        c.line(15, y, 17, y, 1, INK)
    for y in (23, 27):
        c.polyline([(19, y), (21, y - 1.5), (23, y), (25, y - 1.5), (27, y), (29, y - 1.5)], 1.4, BLUE)


def timing_belt(c):
    c.disc(9, 22, 6, STEEL)
    c.disc(23, 10, 6, STEEL)
    c.circle(9, 22, 2, INK)
    c.circle(23, 10, 2, INK)
    c.line(4.5, 18, 18.5, 6, 2, INK)
    c.line(13.5, 26, 27.5, 14, 2, INK)
    c.arc(9, 22, 6.3, 140, 320, 2, INK)
    c.arc(23, 10, 6.3, -40, 140, 2, INK)


def clutch(c):
    c.disc(16, 16, 13, (190, 150, 110))
    c.ring(16, 16, 13, 9, (150, 110, 75))
    c.disc(16, 16, 8.5, STEEL, width=0.8)
    for i in range(6):
        a = math.radians(i * 60)
        c.line(16 + 3 * math.cos(a), 16 + 3 * math.sin(a), 16 + 7.5 * math.cos(a), 16 + 7.5 * math.sin(a), 1.2, DARK)
    c.disc(16, 16, 2.5, INK, width=0)
    c.circle(16, 16, 1.3, LIGHT)


def shock_absorber(c):
    c.box(13, 3, 19, 13, STEEL, radius=1)
    c.box(14.5, 13, 17.5, 29, LIGHT)
    pts = []
    for i in range(9):
        pts.append((8 if i % 2 == 0 else 24, 8 + i * 2.6))
    c.polyline(pts, 2.6, INK)
    c.polyline(pts, 1.4, ORANGE)
    c.box(10, 28, 22, 30, DARK)
    c.box(10, 2, 22, 4, DARK)


def spark_plug(c):
    c.box(13, 2, 19, 8, DARK)
    c.box(11, 8, 21, 17, WHITE, radius=2)
    for y in (10, 12.5, 15):
        c.line(11.5, y, 20.5, y, 0.8, (190, 190, 190))
    c.box(10, 17, 22, 21, STEEL)
    c.box(12.5, 21, 19.5, 27, STEEL)
    for y in (22.5, 24.5):
        c.line(12.5, y, 19.5, y, 0.8, DARK)
    c.line(16, 27, 16, 30, 1.5, INK)
    c.line(16, 30, 19, 30, 1.2, INK)


def wipers(c):
    c.shape([(2, 27), (6, 6), (26, 6), (30, 27)], SKY)
    c.line(16, 27, 6, 11, 3, INK)
    c.line(16, 27, 6, 11, 1.5, DARK)
    c.line(3.5, 15, 9, 7, 2.5, RUBBER)
    c.circle(16, 27, 2.2, INK)
    for x, y in ((20, 12), (23, 17), (19, 20)):
        c.shape([(x, y - 2), (x + 1.3, y + 0.5), (x, y + 1.6), (x - 1.3, y + 0.5)], WHITE, outline=BLUE, width=0.6)


def gearbox(c):
    teeth = 10
    pts = []
    for i in range(teeth * 4):
        a = math.radians(i * 360 / (teeth * 4))
        r = 13 if (i % 4) in (0, 1) else 10
        pts.append((16 + r * math.cos(a), 16 + r * math.sin(a)))
    c.shape(pts, STEEL)
    c.disc(16, 16, 5, LIGHT)
    c.circle(16, 16, 2.5, INK)


def electrics(c):
    c.shape([(18, 2), (7, 18), (15, 18), (12, 30), (25, 12), (17, 12), (21, 2)], YELLOW)


def windscreen(c):
    c.shape([(2, 26), (6, 5), (26, 5), (30, 26)], SKY)
    c.polyline([(13, 10), (16, 14), (14, 18), (18, 22)], 1.2, WHITE)
    c.polyline([(16, 14), (21, 13), (24, 16)], 1.2, WHITE)
    c.polyline([(14, 18), (9, 20)], 1.2, WHITE)
    c.line(3, 29, 29, 29, 2, DARK)


def interior_cleaning(c):
    c.box(8, 13, 20, 29, GREEN, radius=3)
    c.box(10, 8, 17, 13, WHITE)
    c.shape([(10, 4), (21, 4), (21, 8), (10, 8)], WHITE)
    c.line(21, 6, 24, 6, 1.5, INK)
    for x, y, r in ((27, 4, 1.5), (28, 9, 1.8), (25, 13, 1.3)):
        c.ring(x, y, r + 0.6, r - 0.4, SKY)
    c.rect(10, 18, 18, 22, WHITE)


def car_wash(c):
    c.shape([(6, 13), (26, 13), (23, 29), (9, 29)], BLUE)
    c.arc(16, 13, 9, 0, 180, 1.6, INK)
    c.rect(6, 16, 26, 18, (25, 75, 160))
    for x, y in ((10, 6), (16, 3), (22, 7)):
        c.shape([(x, y - 3), (x + 2, y + 1), (x, y + 3), (x - 2, y + 1)], SKY, outline=BLUE, width=0.6)


def steering(c):
    c.ring(16, 16, 13.5, 10.5, INK)
    c.ring(16, 16, 13, 11, DARK)
    c.disc(16, 16, 4, DARK)
    c.line(6, 14, 12, 15, 3, DARK)
    c.line(26, 14, 20, 15, 3, DARK)
    c.line(16, 20, 16, 27, 3, DARK)
    c.circle(16, 16, 2, RED)


def fuel(c):
    c.box(5, 7, 19, 29, RED, radius=2)
    c.rect(8, 10, 16, 16, WHITE)
    c.line(19, 12, 24, 12, 2, INK)
    c.polyline([(24, 12), (27, 15), (27, 25), (24, 27)], 2, INK)
    c.box(23, 7, 27, 12, DARK)
    c.rect(5, 26, 19, 29, DARK)


def engine(c):
    c.box(6, 10, 24, 25, DARK, radius=1)
    c.box(9, 6, 21, 10, STEEL)
    c.box(12, 3, 18, 6, DARK)
    c.box(24, 13, 28, 21, STEEL)
    c.box(2, 14, 6, 20, STEEL)
    c.line(8, 28, 22, 28, 2, INK)
    for x in (10, 14, 18):
        c.circle(x + 1, 17, 1.5, LIGHT)


def balancing(c):
    c.disc(13, 16, 11, RUBBER)
    c.disc(13, 16, 6, LIGHT)
    c.circle(13, 16, 2, DARK)
    c.box(21, 12, 26, 20, (190, 190, 70), radius=1)
    c.line(28, 5, 28, 27, 1, DARK)
    c.poly([(28, 5), (26, 9), (30, 9)], DARK)
    c.poly([(28, 27), (26, 23), (30, 23)], DARK)


def general_service(c):
    c.line(7, 25, 21, 11, 5.5, INK)
    c.line(7, 25, 21, 11, 3.5, STEEL)
    c.disc(23, 9, 6.5, STEEL)
    c.circle(25.5, 6.5, 3.2, None)  # the open jaw
    c.line(22, 10, 24, 8, 1.2, INK)
    c.disc(6, 26, 3, STEEL)
    c.circle(6, 26, 1.2, INK)


def tools(c):
    c.line(5, 27, 25, 7, 3.8, INK)
    c.line(5, 27, 25, 7, 2.2, STEEL)
    c.disc(26, 6, 4, STEEL)
    c.circle(27.5, 4.5, 2, INK)
    c.line(6, 6, 20, 20, 2, INK)
    c.line(6, 6, 20, 20, 1, LIGHT)
    c.line(19, 19, 27, 27, 5, INK)
    c.line(19, 19, 27, 27, 3.2, ORANGE)


def fluids(c):
    c.shape([(16, 2), (24, 15), (25, 20), (22, 26), (16, 29), (10, 26), (7, 20), (8, 15)], BLUE)
    c.arc(16, 19, 6, 190, 250, 1.6, WHITE)


def keys(c):
    c.disc(9, 12, 6.5, YELLOW)
    c.circle(9, 12, 2.2, None)  # the ring hole
    c.line(14, 16, 27, 27, 4.5, INK)
    c.line(14, 16, 27, 27, 2.8, YELLOW)
    c.line(22, 23, 20, 26, 2.5, INK)
    c.line(25, 26, 23, 29, 2.5, INK)


def towing(c):
    c.box(2, 12, 18, 23, ORANGE, radius=1)
    c.box(5, 7, 13, 12, ORANGE)
    c.rect(6.5, 8.5, 11.5, 11.5, SKY)
    c.line(16, 12, 26, 5, 2, INK)
    c.line(26, 5, 26, 16, 1.2, INK)
    c.arc(24.5, 17.5, 2, 180, 360, 1.4, INK)
    c.disc(6, 24, 3, RUBBER)
    c.disc(15, 24, 3, RUBBER)


def tyre_change(c):
    for y in (24, 16, 8):
        c.ellipse(16, y + 0.8, 13.5, 5.6, INK)
        c.ellipse(16, y, 12.5, 4.8, RUBBER)
        c.ellipse(16, y, 6, 2.3, (90, 90, 95))
    c.ellipse(16, 7.5, 4, 1.6, INK)


def leak_check(c):
    c.shape([(11, 3), (17, 13), (17.5, 17), (15, 21), (11, 22), (7, 21), (4.5, 17), (5, 13)], OIL)
    c.ring(20, 20, 7, 5, INK)
    c.circle(20, 20, 5, WHITE, alpha=0.5)
    c.line(25, 25, 30, 30, 3.5, INK)


def suspension_check(c):
    c.disc(16, 18, 11, RUBBER)
    c.disc(16, 18, 5.5, LIGHT)
    c.circle(16, 18, 1.8, DARK)
    c.shape([(16, 1.5), (21.5, 7.5), (18, 7.5), (18, 10.5), (14, 10.5), (14, 7.5), (10.5, 7.5)], YELLOW, width=0.9)


def glow_plugs(c):
    c.box(12, 2, 20, 9, DARK)
    c.box(13.5, 9, 18.5, 20, STEEL)
    for y in (11, 13.5, 16):
        c.line(13.5, y, 18.5, y, 0.8, DARK)
    c.line(16, 20, 16, 28, 3, ORANGE)
    c.circle(16, 28, 3.2, RED, alpha=0.6)
    c.circle(16, 28, 1.5, YELLOW)


ICONS = [
    ("Výměna oleje", oil_change),
    ("Brzdy", brakes),
    ("Pneumatiky", tyres),
    ("Olejový filtr", oil_filter),
    ("Vzduchový filtr", air_filter),
    ("Baterie", battery),
    ("Diagnostika", diagnostics),
    ("Výfuk", exhaust),
    ("Klimatizace", air_conditioning),
    ("Světla", lights),
    ("Technická kontrola", inspection),
    ("Karoserie", bodywork),
    ("Lakování", painting),
    ("Geometrie", alignment),
    ("Chladicí kapalina", coolant),
    ("Rozvody", timing_belt),
    ("Spojka", clutch),
    ("Tlumiče a pružiny", shock_absorber),
    ("Zapalovací svíčky", spark_plug),
    ("Stěrače", wipers),
    ("Převodovka", gearbox),
    ("Elektroinstalace", electrics),
    ("Čelní sklo", windscreen),
    ("Čištění interiéru", interior_cleaning),
    ("Mytí vozu", car_wash),
    ("Řízení", steering),
    ("Palivová soustava", fuel),
    ("Motor", engine),
    ("Vyvážení kol", balancing),
    ("Servis", general_service),
    ("Nářadí", tools),
    ("Provozní kapaliny", fluids),
    ("Klíče a zámky", keys),
    ("Odtah", towing),
    ("Přezutí", tyre_change),
    ("Kontrola úniků", leak_check),
    ("Podvozek", suspension_check),
    ("Žhavicí svíčky", glow_plugs),
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "icons")
    os.makedirs(out, exist_ok=True)
    for index, (name, draw) in enumerate(ICONS):
        canvas = Canvas()
        draw(canvas)
        write_ico(os.path.join(out, "%04d%s.ico" % (index, name)), canvas.pixels())
    print("%d icons written to %s" % (len(ICONS), os.path.normpath(out)))


if __name__ == "__main__":
    main()
