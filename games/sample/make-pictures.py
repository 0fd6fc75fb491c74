#!/usr/bin/env python3
"""Draw the scene pictures of the sample story (games/sample/grf/*.dat).

Run it from anywhere:

    python3 games/sample/make-pictures.py

It needs only python3 (standard library) and ImageMagick's `convert` on PATH.
Every picture is drawn here, pixel by pixel, from simple shapes and gradients.
The script writes the Windows bitmaps (BMP) itself and hands the other pictures
to `convert` to store them as JPEG or GIF. The game tells the format from the
file content, so every file ends in ".dat" whatever it holds:

    grf/town.dat       BMP  320x240, 24-bit   morning, the harbour town on the hill
    grf/beach.dat      JPEG 400x300           noon on the beach
    grf/festival.dat   GIF  400x300           dusk, lanterns at the shrine
    grf/fireworks.dat  JPEG 400x300           night, fireworks over the harbour
    grf/station.dat    BMP  320x240, 24-bit   morning, the little station by the sea
    grf/sky.dat        GIF  320x240           a big summer sky

The output is the same on every run (the random parts use fixed seeds).
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "grf")

SS = 2  # supersampling: shapes are drawn at twice the size and averaged down


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hexcol(s):
    s = s.lstrip("#")
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


class Canvas:
    """An RGB picture of floats, drawn at SS times the final size.

    All coordinates given to the drawing methods are in final pixels.
    """

    def __init__(self, w, h, bg=(0, 0, 0)):
        self.w, self.h = w, h
        self.W, self.H = w * SS, h * SS
        n = self.W * self.H
        self.r = [float(bg[0])] * n
        self.g = [float(bg[1])] * n
        self.b = [float(bg[2])] * n

    # -- pixels -------------------------------------------------------------
    def _blend(self, i, c, a):
        if a >= 1.0:
            self.r[i], self.g[i], self.b[i] = c
        elif a > 0.0:
            self.r[i] += (c[0] - self.r[i]) * a
            self.g[i] += (c[1] - self.g[i]) * a
            self.b[i] += (c[2] - self.b[i]) * a

    def _add(self, i, c, a):
        self.r[i] = min(255.0, self.r[i] + c[0] * a)
        self.g[i] = min(255.0, self.g[i] + c[1] * a)
        self.b[i] = min(255.0, self.b[i] + c[2] * a)

    def _range(self, lo, hi, n):
        return max(0, int(math.floor(lo * SS))), min(n, int(math.ceil(hi * SS)))

    # -- fills --------------------------------------------------------------
    def vgradient(self, stops, y0=0, y1=None, x0=0, x1=None):
        """Vertical gradient; stops are (t, colour) with t from 0 (top) to 1."""
        y1 = self.h if y1 is None else y1
        x1 = self.w if x1 is None else x1
        ya, yb = self._range(y0, y1, self.H)
        xa, xb = self._range(x0, x1, self.W)
        span = max(1e-6, (y1 - y0) * SS)
        for Y in range(ya, yb):
            t = (Y + 0.5 - y0 * SS) / span
            for k in range(len(stops) - 1):
                if t <= stops[k + 1][0] or k == len(stops) - 2:
                    t0, c0 = stops[k]
                    t1, c1 = stops[k + 1]
                    u = 0.0 if t1 == t0 else min(1.0, max(0.0, (t - t0) / (t1 - t0)))
                    c = mix(c0, c1, u)
                    break
            row = Y * self.W
            for X in range(xa, xb):
                self.r[row + X], self.g[row + X], self.b[row + X] = c

    def rect(self, x0, y0, x1, y1, c, a=1.0):
        ya, yb = self._range(y0, y1, self.H)
        xa, xb = self._range(x0, x1, self.W)
        for Y in range(ya, yb):
            row = Y * self.W
            for X in range(xa, xb):
                self._blend(row + X, c, a)

    def ellipse(self, cx, cy, rx, ry, c, a=1.0):
        ya, yb = self._range(cy - ry, cy + ry, self.H)
        xa, xb = self._range(cx - rx, cx + rx, self.W)
        for Y in range(ya, yb):
            dy = ((Y + 0.5) / SS - cy) / ry
            if dy * dy > 1.0:
                continue
            row = Y * self.W
            for X in range(xa, xb):
                dx = ((X + 0.5) / SS - cx) / rx
                if dx * dx + dy * dy <= 1.0:
                    self._blend(row + X, c, a)

    def circle(self, cx, cy, rad, c, a=1.0):
        self.ellipse(cx, cy, rad, rad, c, a)

    def glow(self, cx, cy, rad, c, strength=1.0):
        """Soft light, added onto what is there."""
        ya, yb = self._range(cy - rad, cy + rad, self.H)
        xa, xb = self._range(cx - rad, cx + rad, self.W)
        for Y in range(ya, yb):
            dy = ((Y + 0.5) / SS - cy) / rad
            row = Y * self.W
            for X in range(xa, xb):
                dx = ((X + 0.5) / SS - cx) / rad
                d = dx * dx + dy * dy
                if d < 1.0:
                    f = (1.0 - d) ** 2 * strength
                    self._add(row + X, c, f)

    def polygon(self, pts, c, a=1.0):
        """Filled polygon (even-odd rule)."""
        ys = [p[1] for p in pts]
        ya, yb = self._range(min(ys), max(ys), self.H)
        n = len(pts)
        for Y in range(ya, yb):
            y = (Y + 0.5) / SS
            xs = []
            for k in range(n):
                x0, y0 = pts[k]
                x1, y1 = pts[(k + 1) % n]
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            row = Y * self.W
            for k in range(0, len(xs) - 1, 2):
                xa = max(0, int(math.ceil(xs[k] * SS - 0.5)))
                xb = min(self.W, int(math.ceil(xs[k + 1] * SS - 0.5)))
                for X in range(xa, xb):
                    self._blend(row + X, c, a)

    def line(self, x0, y0, x1, y1, width, c, a=1.0):
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln * width / 2, dx / ln * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                      (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], c, a)

    def cloud(self, cx, cy, size, rng, lit=(255, 255, 255), shade=(200, 210, 228), a=1.0, puffs=9):
        """A heap of round puffs, lit from above, with a flat-ish base."""
        blobs = []
        for _ in range(puffs):
            ox = rng.uniform(-1.0, 1.0) * size
            oy = -abs(rng.gauss(0, 0.35)) * size
            r = rng.uniform(0.35, 0.6) * size * (1.0 - abs(ox) / size * 0.45)
            blobs.append((cx + ox, cy + oy, r))
        for bx, by, r in blobs:  # shadow side first
            self.circle(bx, by + r * 0.12, r, shade, a)
        for bx, by, r in blobs:
            self.circle(bx - r * 0.08, by - r * 0.1, r * 0.88, lit, a)

    # -- output -------------------------------------------------------------
    def pixels(self):
        """Rows top to bottom of (r, g, b) byte triples at the final size."""
        rows = []
        inv = 1.0 / (SS * SS)
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                sr = sg = sb = 0.0
                for j in range(SS):
                    base = (y * SS + j) * self.W + x * SS
                    for i in range(SS):
                        sr += self.r[base + i]
                        sg += self.g[base + i]
                        sb += self.b[base + i]
                row += bytes((int(min(255, max(0, sr * inv + 0.5))),
                              int(min(255, max(0, sg * inv + 0.5))),
                              int(min(255, max(0, sb * inv + 0.5)))))
            rows.append(bytes(row))
        return rows


def write_bmp(path, w, h, rows):
    """24-bit Windows bitmap, BITMAPINFOHEADER, bottom-up rows."""
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    body = bytearray()
    for row in reversed(rows):
        bgr = bytearray(len(row))
        bgr[0::3] = row[2::3]
        bgr[1::3] = row[1::3]
        bgr[2::3] = row[0::3]
        body += bgr + pad
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def write_ppm(path, w, h, rows):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        for row in rows:
            f.write(row)


def save(canvas, name, kind):
    path = os.path.join(OUT, name + ".dat")
    rows = canvas.pixels()
    if kind == "bmp":
        write_bmp(path, canvas.w, canvas.h, rows)
    else:
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "in.ppm")
            write_ppm(src, canvas.w, canvas.h, rows)
            if kind == "jpeg":
                args = [src, "-strip", "-sampling-factor", "2x2", "-quality", "90", "JPEG:" + path]
            elif kind == "gif":
                args = [src, "-strip", "-dither", "FloydSteinberg", "-colors", "256", "GIF:" + path]
            else:
                raise ValueError(kind)
            subprocess.run(["convert"] + args, check=True)
    print("%-22s %-4s %dx%d  %d bytes" % (os.path.relpath(path, HERE), kind, canvas.w, canvas.h,
                                          os.path.getsize(path)))


# ---------------------------------------------------------------------------
# shared scenery

def sea(c, y0, y1, top, bottom, rng, sparkle=(255, 255, 255), n_glints=120, glint_a=0.55):
    c.vgradient([(0, top), (1, bottom)], y0, y1)
    for _ in range(n_glints):
        y = rng.uniform(y0 + 1, y1)
        t = (y - y0) / (y1 - y0)
        ln = 2 + t * 14 * rng.random()
        x = rng.uniform(-10, c.w)
        c.rect(x, y, x + ln, y + 0.5 + t, sparkle, glint_a * (0.4 + 0.6 * rng.random()))


def house(c, x, y, w, h, wall, roof, window=(70, 90, 120), lit=None):
    c.rect(x, y, x + w, y + h, wall)
    c.polygon([(x - 2, y + 1), (x + w / 2, y - h * 0.55), (x + w + 2, y + 1)], roof)
    ww = max(2.0, w * 0.18)
    for k in (0.22, 0.6):
        c.rect(x + w * k, y + h * 0.3, x + w * k + ww, y + h * 0.3 + ww, lit or window)


def figure(c, x, y, s, col, skirt=False):
    """A tiny standing person seen from afar; (x, y) is the feet."""
    c.circle(x, y - 9.2 * s, 1.9 * s, col)
    if skirt:
        c.polygon([(x - 1.4 * s, y - 7.4 * s), (x + 1.4 * s, y - 7.4 * s),
                   (x + 2.6 * s, y - 2.6 * s), (x - 2.6 * s, y - 2.6 * s)], col)
    else:
        c.rect(x - 1.5 * s, y - 7.4 * s, x + 1.5 * s, y - 2.8 * s, col)
    c.rect(x - 1.3 * s, y - 3.0 * s, x - 0.3 * s, y, col)
    c.rect(x + 0.3 * s, y - 3.0 * s, x + 1.3 * s, y, col)


# ---------------------------------------------------------------------------
# the pictures

def draw_town():
    """Morning: the harbour town on the hillside, sea behind, a clear sky."""
    rng = random.Random(1)
    c = Canvas(320, 240)
    c.vgradient([(0, hexcol("3f8fd8")), (0.55, hexcol("8cc6ef")), (1, hexcol("d9eef8"))], 0, 120)
    c.glow(262, 38, 60, (255, 240, 200), 0.55)
    c.circle(262, 38, 13, (255, 252, 232))
    c.cloud(70, 52, 26, rng, puffs=8)
    c.cloud(175, 70, 16, rng, puffs=6)
    # far island and the sea
    c.polygon([(0, 121), (30, 112), (70, 109), (110, 116), (130, 121)], hexcol("7da5bd"))
    sea(c, 120, 240, hexcol("5aa4d6"), hexcol("2a6fa8"), rng, n_glints=160)
    # the hill with its houses
    hill = [(0, 240), (0, 150), (60, 138), (130, 140), (200, 152), (260, 170), (320, 186), (320, 240)]
    c.polygon(hill, hexcol("5f9e4f"))
    c.polygon([(0, 240), (0, 178), (90, 168), (190, 180), (320, 214), (320, 240)], hexcol("4d8a41"))
    roofs = ["c0503f", "3f6fa0", "a04f3a", "5a6e8c", "c9823f", "7a4a6a", "3f7f6f"]
    walls = ["f3ecdc", "e9e2d0", "f6f0e6", "e2d8c4"]
    spots = [(12, 146, 20, 14), (40, 142, 18, 13), (66, 140, 22, 15), (96, 141, 18, 13),
             (124, 143, 20, 14), (150, 147, 18, 13), (176, 152, 22, 15), (208, 158, 18, 13),
             (234, 165, 20, 14), (22, 170, 24, 16), (58, 168, 20, 15), (94, 166, 24, 16),
             (132, 170, 20, 15), (166, 176, 24, 16), (206, 184, 20, 15), (246, 194, 22, 15),
             (282, 200, 20, 14)]
    for k, (x, y, w, h) in enumerate(spots):
        house(c, x, y, w, h, hexcol(walls[k % len(walls)]), hexcol(roofs[k % len(roofs)]))
    # trees between the houses
    for x, y in [(34, 160), (88, 158), (118, 162), (160, 168), (198, 174), (230, 185), (270, 190), (8, 188)]:
        c.circle(x, y, 6, hexcol("3c7a36"))
        c.circle(x - 2, y - 2, 4, hexcol("56a04a"))
    # the slope road in front, with a little railing
    c.polygon([(150, 240), (185, 205), (205, 205), (230, 240)], hexcol("d8cfbf"))
    c.polygon([(150, 240), (185, 205), (188, 205), (156, 240)], hexcol("b8ae9c"))
    # a utility pole and its wire, as in every small town
    c.rect(292, 120, 296, 240, hexcol("6b5d4f"))
    c.rect(284, 128, 304, 131, hexcol("6b5d4f"))
    for k in range(60):
        t = k / 59.0
        x = 294 - t * 300
        y = 129 + math.sin(t * math.pi) * 16 + t * 10
        c.rect(x, y, x + 5.5, y + 0.6, hexcol("3a3a44"))
    return c


def draw_beach():
    """Noon: a white beach, a tall summer cloud, the sea glittering."""
    rng = random.Random(2)
    c = Canvas(400, 300)
    c.vgradient([(0, hexcol("1f6fd0")), (0.7, hexcol("6db6ee")), (1, hexcol("c8e7f8"))], 0, 150)
    # the big cloud
    c.cloud(250, 118, 70, rng, puffs=14, shade=(206, 216, 234))
    c.cloud(260, 76, 46, rng, puffs=10, shade=(214, 222, 238))
    c.cloud(240, 44, 26, rng, puffs=7, shade=(220, 228, 240))
    c.cloud(60, 120, 20, rng, puffs=5)
    sea(c, 150, 225, hexcol("3fa7d8"), hexcol("1e82b8"), rng, n_glints=260, glint_a=0.7)
    # surf and wet sand
    pts = [(0, 232)]
    for k in range(41):
        x = k * 10
        pts.append((x, 224 + 4 * math.sin(k * 0.9) + 2 * math.sin(k * 2.3)))
    pts += [(400, 300), (0, 300)]
    c.polygon(pts, hexcol("f4fbff"))
    c.vgradient([(0, hexcol("e5d3ad")), (1, hexcol("f1e4c6"))], 232, 300)
    for k in range(41):  # lace of foam on the sand
        x = k * 10
        c.ellipse(x + 5, 231 + 2 * math.sin(k * 1.7), 6, 1.6, hexcol("fbfdff"), 0.9)
    for _ in range(900):  # grains
        x, y = rng.uniform(0, 400), rng.uniform(234, 300)
        c.rect(x, y, x + 1, y + 1, hexcol("c9b58c"), 0.45)
    # a parasol and its shadow
    c.ellipse(96, 286, 40, 6, hexcol("cbb48a"), 0.8)
    c.line(92, 290, 104, 226, 2.2, hexcol("7a6a58"))
    colours = ["e8503a", "f7f2e8"]
    for k in range(8):
        a0 = math.pi + k * math.pi / 8
        a1 = a0 + math.pi / 8
        c.polygon([(104, 226), (104 + 46 * math.cos(a0), 232 + 18 * math.sin(a0)),
                   (104 + 46 * math.cos(a1), 232 + 18 * math.sin(a1))], hexcol(colours[k % 2]))
    # a straw hat and a pair of sandals left on the sand
    c.ellipse(168, 272, 17, 5, hexcol("e6c67a"))
    c.ellipse(168, 268, 9, 6, hexcol("dcb566"))
    c.rect(159, 268, 177, 270.5, hexcol("d2554a"))
    c.ellipse(204, 281, 3.5, 7, hexcol("4aa0c8"))
    c.ellipse(214, 283, 3.5, 7, hexcol("4aa0c8"))
    # a little pink shell
    c.ellipse(300, 270, 5, 4, hexcol("f2b8c0"))
    c.ellipse(299, 269, 2.2, 1.8, hexcol("fbe0e4"))
    # two gulls
    for gx, gy in [(120, 60), (138, 72)]:
        c.line(gx - 7, gy - 3, gx, gy, 1.2, hexcol("3a4a5a"))
        c.line(gx, gy, gx + 7, gy - 3, 1.2, hexcol("3a4a5a"))
    return c


def lantern(c, x, y, s=1.0):
    c.glow(x, y, 26 * s, (255, 120, 40), 0.45)
    c.rect(x - 0.6 * s, y - 13 * s, x + 0.6 * s, y - 8 * s, hexcol("2a1a14"))
    c.ellipse(x, y, 7 * s, 9 * s, hexcol("ff6a3a"))
    c.ellipse(x - 1.5 * s, y - 1.5 * s, 4 * s, 6 * s, hexcol("ffc070"))
    for k in (-5, 0, 5):
        c.rect(x - 6.4 * s, y + k * s, x + 6.4 * s, y + k * s + 0.5 * s, hexcol("c0402a"), 0.6)
    c.rect(x - 4 * s, y - 9.6 * s, x + 4 * s, y - 7.6 * s, hexcol("2a1a14"))
    c.rect(x - 4 * s, y + 7.6 * s, x + 4 * s, y + 9.6 * s, hexcol("2a1a14"))


def draw_festival():
    """Dusk: the shrine gate, rows of paper lanterns, the night stalls."""
    rng = random.Random(3)
    c = Canvas(400, 300)
    c.vgradient([(0, hexcol("2b2a5e")), (0.45, hexcol("7a4a86")), (0.75, hexcol("e07a5f")),
                 (1, hexcol("f6b26b"))], 0, 200)
    for _ in range(40):
        x, y = rng.uniform(0, 400), rng.uniform(0, 70)
        c.circle(x, y, rng.uniform(0.4, 0.9), (255, 250, 230), rng.uniform(0.4, 0.9))
    c.circle(330, 52, 11, hexcol("fff3d0"))
    c.glow(330, 52, 34, (255, 230, 190), 0.25)
    # wooded hill behind the shrine
    for k in range(30):
        x = k * 14 - 4
        c.circle(x, 176 - 14 * math.sin(k * 0.45) - rng.uniform(0, 8), rng.uniform(14, 22), hexcol("2c2436"))
    c.rect(0, 176, 400, 300, hexcol("2c2436"))
    # the torii
    red, dark = hexcol("c8321e"), hexcol("8a1f12")
    c.polygon([(110, 92), (290, 92), (298, 84), (102, 84)], hexcol("2a1a1a"))
    c.rect(116, 92, 284, 100, red)
    c.rect(128, 110, 272, 117, red)
    c.rect(194, 100, 206, 110, red)
    c.polygon([(138, 100), (152, 100), (156, 250), (134, 250)], red)
    c.polygon([(248, 100), (262, 100), (266, 250), (244, 250)], red)
    c.rect(138, 100, 142, 250, dark, 0.6)
    c.rect(248, 100, 252, 250, dark, 0.6)
    # stone path and the ground
    c.vgradient([(0, hexcol("3a2c3a")), (1, hexcol("5a4038"))], 236, 300)
    c.polygon([(170, 236), (230, 236), (300, 300), (100, 300)], hexcol("6e5a52"))
    for k in range(6):
        y = 240 + k * 11
        c.rect(0, y, 400, y + 0.8, hexcol("2c2030"), 0.35)
    # the stalls on both sides
    for x0, x1, cloth in [(0, 96, "f0eee4"), (304, 400, "f0eee4")]:
        c.rect(x0, 196, x1, 262, hexcol("3a2828"))
        c.rect(x0 + 4, 214, x1 - 4, 250, hexcol("ffcf7a"), 0.9)
        c.glow((x0 + x1) / 2, 232, 52, (255, 180, 90), 0.35)
        for k in range(8):
            xa = x0 + k * (x1 - x0) / 8
            col = hexcol("d23a2a") if k % 2 == 0 else hexcol(cloth)
            c.polygon([(xa, 190), (xa + (x1 - x0) / 8, 190), (xa + (x1 - x0) / 8, 206), (xa, 206)], col)
    # wind chimes hanging at the right stall
    for k in range(5):
        x = 318 + k * 16
        c.rect(x - 0.3, 206, x + 0.3, 214, hexcol("404040"))
        c.ellipse(x, 217, 4, 4, hexcol("bfe6ff"), 0.9)
        c.rect(x - 1.5, 221, x + 1.5, 228, hexcol("f4f0e0"))
    # two strings of lanterns
    for y0, sag in [(150, 12), (172, 10)]:
        for k in range(11):
            t = k / 10.0
            x = 6 + t * 388
            y = y0 + sag * math.sin(t * math.pi)
            lantern(c, x, y, 0.9)
        for k in range(100):
            t = k / 99.0
            c.rect(6 + t * 388, y0 - 12 + sag * math.sin(t * math.pi),
                   10 + t * 388, y0 - 11.4 + sag * math.sin(t * math.pi), hexcol("1a1212"))
    # two small figures walking to the gate: a boy and a girl in a yukata
    figure(c, 186, 262, 2.2, hexcol("1c1826"))
    figure(c, 208, 262, 2.2, hexcol("24305a"), skirt=True)
    return c


def burst(c, cx, cy, rad, col, rng, rays=44):
    c.glow(cx, cy, rad * 1.5, col, 0.22)
    for k in range(rays):
        a = k * 2 * math.pi / rays + rng.uniform(-0.04, 0.04)
        for j in range(1, 9):
            t = j / 8.0
            r = rad * t
            x = cx + math.cos(a) * r
            y = cy + math.sin(a) * r + t * t * rad * 0.18
            c.circle(x, y, 0.5 + 0.9 * t, mix((255, 255, 240), col, t), 0.35 + 0.6 * t)
    c.circle(cx, cy, 2.5, (255, 255, 235), 0.9)


def draw_fireworks():
    """Night: fireworks over the harbour, two people sitting on the breakwater."""
    rng = random.Random(4)
    c = Canvas(400, 300)
    c.vgradient([(0, hexcol("070a22")), (0.7, hexcol("16204a")), (1, hexcol("2a2f5e"))], 0, 190)
    for _ in range(70):
        x, y = rng.uniform(0, 400), rng.uniform(0, 180)
        c.circle(x, y, rng.uniform(0.3, 0.8), (230, 235, 255), rng.uniform(0.3, 0.8))
    shots = [(120, 70, 58, (255, 90, 120)), (270, 56, 48, (120, 220, 255)),
             (340, 126, 30, (255, 210, 90)), (196, 124, 26, (150, 255, 150))]
    for cx, cy, r, col in shots:
        burst(c, cx, cy, r, col, rng)
    # a rising trail
    for k in range(30):
        c.circle(52, 176 - k * 2.8, 0.8, (255, 220, 160), 0.15 + k / 40.0)
    # far shore with town lights
    c.polygon([(0, 190), (60, 182), (140, 186), (230, 180), (320, 186), (400, 182), (400, 196), (0, 196)],
              hexcol("0c0e1e"))
    for _ in range(60):
        x = rng.uniform(0, 400)
        c.rect(x, rng.uniform(186, 194), x + 1.2, 196, (255, 214, 140), rng.uniform(0.4, 0.9))
    # the sea, with the bursts mirrored in it
    c.vgradient([(0, hexcol("121a3c")), (1, hexcol("070a1c"))], 196, 300)
    for cx, cy, r, col in shots:
        my = 196 + (196 - cy) * 0.5
        for k in range(26):
            y = my - r * 0.35 + k * r * 0.7 / 26
            w = rng.uniform(4, r * 0.9)
            x = cx + rng.uniform(-r * 0.5, r * 0.5)
            c.rect(x - w / 2, y, x + w / 2, y + 0.9, col, 0.35)
    for _ in range(160):
        x, y = rng.uniform(0, 400), rng.uniform(198, 300)
        c.rect(x, y, x + rng.uniform(3, 10), y + 0.6, (120, 140, 200), 0.25)
    # the breakwater and two people sitting side by side
    c.polygon([(0, 262), (250, 250), (250, 256), (0, 300)], hexcol("2b2c3c"))
    c.polygon([(0, 268), (250, 256), (260, 256), (260, 300), (0, 300)], hexcol("191a26"))
    c.rect(0, 262, 250, 264, hexcol("3e4056"), 0.5)
    for x, col, yk in [(150, hexcol("0d0d16"), False), (166, hexcol("10142a"), True)]:
        y = 254
        c.circle(x, y - 17, 4.0, col)
        c.polygon([(x - 4.5, y - 13), (x + 4.5, y - 13), (x + 6, y), (x - 6, y)], col)
        c.rect(x - 1, y, x + 7, y + 3, col)
        c.rect(x + 5, y, x + 8, y + 10, col)
        if yk:  # a hair ornament catching the light
            c.circle(x + 3, y - 20, 1.1, (255, 150, 170))
    return c


def draw_station():
    """Morning: a one-platform station by the sea, a one-car train coming in."""
    rng = random.Random(5)
    c = Canvas(320, 240)
    c.vgradient([(0, hexcol("66aee6")), (0.6, hexcol("b4dcf4")), (1, hexcol("f2f4ea"))], 0, 110)
    c.cloud(240, 70, 22, rng, puffs=8)
    c.cloud(90, 44, 14, rng, puffs=6)
    sea(c, 110, 150, hexcol("6eb8de"), hexcol("3c8cc0"), rng, n_glints=90)
    # grass bank and rails
    c.rect(0, 150, 320, 240, hexcol("88b45a"))
    c.vgradient([(0, hexcol("9c9286")), (1, hexcol("857b70"))], 168, 206)
    for k in range(26):
        x = k * 13
        c.polygon([(x, 178), (x + 6, 178), (x + 10, 200), (x + 2, 200)], hexcol("6e5a48"))
    c.rect(0, 180, 320, 182.5, hexcol("c9ccd2"))
    c.rect(0, 195, 320, 198, hexcol("c9ccd2"))
    # the train coming from the left
    c.polygon([(0, 128), (96, 128), (110, 136), (112, 184), (0, 184)], hexcol("f4f1e8"))
    c.rect(0, 160, 112, 168, hexcol("2f7fc0"))
    c.rect(0, 168, 112, 171, hexcol("e2a43a"))
    for x in (10, 36, 62):
        c.rect(x, 138, x + 20, 154, hexcol("3a5670"))
        c.rect(x + 2, 140, x + 9, 152, hexcol("8fb8d8"), 0.5)
    c.polygon([(96, 136), (108, 140), (109, 156), (96, 156)], hexcol("3a5670"))
    c.circle(104, 176, 2.2, hexcol("ffe27a"))
    c.rect(0, 184, 112, 188, hexcol("2a2a30"))
    # the platform, its little roof and the sign
    c.polygon([(140, 172), (320, 172), (320, 240), (110, 240)], hexcol("bdb6aa"))
    c.rect(140, 172, 320, 176, hexcol("f4f0e2"))
    c.rect(140, 176, 320, 178, hexcol("e8c64a"))
    c.rect(200, 96, 320, 104, hexcol("8a3a2e"))
    c.polygon([(194, 104), (320, 104), (320, 110), (200, 110)], hexcol("6a2a22"))
    for x in (214, 284):
        c.rect(x, 110, x + 5, 174, hexcol("5a4a40"))
    c.rect(236, 148, 268, 160, hexcol("f8f8f4"))
    c.rect(236, 148, 268, 150, hexcol("2f7fc0"))
    c.rect(250, 160, 252, 174, hexcol("5a4a40"))
    # a bench, and a boy and a girl waiting
    c.rect(292, 158, 318, 161, hexcol("7a5a3e"))
    c.rect(294, 161, 296, 170, hexcol("5a4230"))
    c.rect(314, 161, 316, 170, hexcol("5a4230"))
    figure(c, 178, 196, 2.7, hexcol("2a3446"))
    figure(c, 196, 196, 2.6, hexcol("e8e2d2"), skirt=True)
    c.ellipse(196, 171.5, 6.5, 1.6, hexcol("e6c67a"))  # her straw hat
    c.ellipse(196, 170, 3.2, 2.4, hexcol("dcb566"))
    c.rect(193, 169.5, 199, 171, hexcol("d2554a"))
    # summer flowers along the fence
    for k in range(16):
        x = 132 + k * 12 + rng.uniform(-2, 2)
        c.rect(x - 0.5, 218, x + 0.5, 240, hexcol("4e7a36"))
        c.circle(x, 217, 4.2, hexcol("f2c230"))
        c.circle(x, 217, 1.8, hexcol("6a4020"))
    return c


def draw_sky():
    """A big summer sky over a green slope, a single tall cloud."""
    rng = random.Random(6)
    c = Canvas(320, 240)
    c.vgradient([(0, hexcol("1a5fc4")), (0.6, hexcol("5fa8e8")), (1, hexcol("cfe8f8"))], 0, 190)
    c.glow(60, 40, 70, (255, 250, 220), 0.5)
    c.cloud(196, 150, 58, rng, puffs=14, shade=(200, 212, 232))
    c.cloud(204, 106, 42, rng, puffs=11, shade=(210, 220, 236))
    c.cloud(210, 70, 26, rng, puffs=8, shade=(218, 226, 240))
    c.cloud(40, 160, 18, rng, puffs=5)
    # a faint contrail
    c.line(0, 60, 130, 20, 1.6, (255, 255, 255), 0.55)
    # the sea at the foot of the sky, then the slope
    sea(c, 176, 224, hexcol("4f9ed0"), hexcol("2c78b0"), rng, n_glints=50)
    c.polygon([(0, 240), (0, 186), (80, 182), (180, 196), (320, 214), (320, 240)], hexcol("5a9a44"))
    c.polygon([(0, 240), (0, 206), (120, 204), (320, 232), (320, 240)], hexcol("4a8638"))
    for _ in range(260):
        x = rng.uniform(0, 320)
        y = rng.uniform(200, 240)
        c.line(x, y, x + rng.uniform(-1.5, 1.5), y - rng.uniform(2, 5), 0.8, hexcol("76b65a"), 0.8)
    # birds
    for gx, gy in [(110, 92), (124, 84), (98, 100)]:
        c.line(gx - 5, gy - 2, gx, gy, 1.0, hexcol("2a3a50"))
        c.line(gx, gy, gx + 5, gy - 2, 1.0, hexcol("2a3a50"))
    return c


PICTURES = [
    ("town", draw_town, "bmp"),
    ("beach", draw_beach, "jpeg"),
    ("festival", draw_festival, "gif"),
    ("fireworks", draw_fireworks, "jpeg"),
    ("station", draw_station, "bmp"),
    ("sky", draw_sky, "gif"),
]


def main(argv):
    only = set(argv[1:])
    os.makedirs(OUT, exist_ok=True)
    for name, draw, kind in PICTURES:
        if only and name not in only:
            continue
        save(draw(), name, kind)


if __name__ == "__main__":
    main(sys.argv)
