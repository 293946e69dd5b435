"""The dark cloud that drifts after a completed colour, and the four lightning frames
that strike the tube row (250 x 450, drawn at x 140 over the board)."""
import math

import numpy as np

from .canvas import Canvas, darker, lighter
from .palette import INK

STORM = (98, 106, 132)
BOLT_PATH = [(120, 58), (142, 128), (114, 138), (150, 236), (118, 248), (146, 338), (122, 348), (128, 446)]


def cloud_mask(c, x, y, k=1.0):
    """A puffy cloud shape with its design box (0, 0)..(100, 64) at (x, y), scaled k."""
    parts = [(26, 40, 18), (48, 28, 24), (74, 38, 19), (60, 46, 16), (36, 48, 14)]
    m = c.blank()
    for cx, cy, r in parts:
        c.ellipse(x + cx * k, y + cy * k, r * k, mask=m)
    c.rect(x + 10 * k, y + 36 * k, x + 90 * k, y + 62 * k, radius=12 * k, mask=m)
    return m


def storm_cloud(c, x, y, k=1.0, face=True, colour=STORM):
    m = cloud_mask(c, x, y, k)
    c.shape(m, colour, width=1.8 * k)
    c.paint(Canvas.intersect(m, Canvas.subtract(cloud_mask(c, x, y - 5 * k, k), cloud_mask(c, x, y + 1 * k, k))),
            lighter(colour, 0.35))
    c.paint(Canvas.intersect(m, c.rect(x, y + 54 * k, x + 100 * k, y + 70 * k)), darker(colour, 0.15))
    if face:
        # Sleepy, grumpy eyes and a small pout.
        for ex in (38, 60):
            c.paint(c.arc(x + ex * k, y + 38 * k, 5 * k, 200, 340, 2.2 * k), INK)
        c.paint(c.arc(x + 49 * k, y + 53 * k, 4.5 * k, 215, 325, 2.0 * k), INK)
        for cx in (30, 68):
            c.paint(c.ellipse(x + cx * k, y + 46 * k, 4 * k, 2.5 * k), (190, 150, 190, 150))


def dark_cloud():
    """darkclouds.png (100 x 80): a grumpy storm cloud dripping a little rain."""
    c = Canvas(100, 80)
    for x, y in ((26, 66), (50, 70), (72, 65)):
        c.shape(c.line([(x + 2, y - 3), (x - 1, y + 5)], 2.4), (110, 180, 240), width=0.9)
    storm_cloud(c, 0, 2)
    return c.finish()


def _ribbon(c, points, w0, w1):
    """A sharp-cornered band along points, tapering from width w0 to w1."""
    n = len(points)
    left, right = [], []
    for i, (x, y) in enumerate(points):
        a = points[max(0, i - 1)]
        b = points[min(n - 1, i + 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length, dx / length
        half = (w0 + (w1 - w0) * i / max(1, n - 1)) / 2
        if 0 < i < n - 1:
            # Mitre the corner so the band keeps its width through the turn.
            d1 = (x - a[0], y - a[1])
            d2 = (b[0] - x, b[1] - y)
            cos_turn = (d1[0] * d2[0] + d1[1] * d2[1]) / ((math.hypot(*d1) * math.hypot(*d2)) or 1.0)
            half /= max(0.5, math.sqrt((1 + cos_turn) / 2))
        left.append((x + nx * half, y + ny * half))
        right.append((x - nx * half, y - ny * half))
    return c.poly(left + right[::-1])


def _bolt(c, points, width, colour, glow=None, glow_width=0.0):
    if glow is not None:
        c.paint(c.line(points, width + glow_width * 2), glow)
        c.paint(c.line(points, width + glow_width), (glow[0], glow[1], glow[2], min(255, glow[3] * 2)))
    c.shape(_ribbon(c, points, width, width * 0.45), colour, width=1.4)


def _partial(points, fraction):
    """The path cut at a fraction of its length."""
    seg = [math.dist(a, b) for a, b in zip(points, points[1:])]
    want = sum(seg) * fraction
    out = [points[0]]
    for (a, b), s in zip(zip(points, points[1:]), seg):
        if want <= s:
            t = want / s
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
            return out
        want -= s
        out.append(b)
    return out


def _burst(c, x, y, r, colour, rays=10, seed=0):
    rng = np.random.default_rng(seed)
    pts = []
    for i in range(rays * 2):
        a = math.pi * 2 * i / (rays * 2)
        rr = r * (rng.uniform(0.85, 1.1) if i % 2 == 0 else 0.42)
        pts.append((x + rr * math.cos(a), y + rr * 0.6 * math.sin(a)))
    c.shape(c.poly(pts), colour, width=1.4)


def lightning(frame):
    """Lightning frame 0..3: charge, strike half-way, full strike, fading sparks."""
    c = Canvas(250, 450)
    core = (255, 250, 200)
    glow = (255, 236, 90, 70)
    if frame == 0:
        c.paint(c.ellipse(125, 62, 104, 54), (255, 240, 120, 60))
        c.paint(c.ellipse(125, 70, 86, 40), (255, 240, 120, 90))
        _bolt(c, _partial(BOLT_PATH, 0.12), 5, core, glow, 6)
    elif frame == 1:
        _bolt(c, _partial(BOLT_PATH, 0.55), 8, core, glow, 8)
        _bolt(c, [(143, 130), (176, 168), (170, 196)], 4, core, glow, 4)
    elif frame == 2:
        for rx, ry in ((112, 190), (84, 160), (56, 140)):
            c.paint(c.ellipse(126, 255, rx, ry), (255, 255, 210, 26))
        _bolt(c, BOLT_PATH, 10, core, glow, 12)
        _bolt(c, [(143, 130), (178, 168), (170, 200)], 5, core, glow, 5)
        _bolt(c, [(118, 248), (86, 288), (94, 318)], 5, core, glow, 5)
        _burst(c, 128, 436, 40, (255, 226, 80), seed=3)
        _burst(c, 128, 436, 22, (255, 255, 230), seed=4)
    else:
        _bolt(c, BOLT_PATH, 4, (255, 244, 180, 170), (255, 236, 90, 40), 6)
        rng = np.random.default_rng(11)
        for _ in range(9):
            a = rng.uniform(math.pi, 2 * math.pi)
            d = rng.uniform(18, 46)
            x, y = 128 + d * math.cos(a), 438 + d * 0.7 * math.sin(a)
            c.shape(c.line([(x, y), (x + 3 * math.cos(a), y + 3 * math.sin(a))], 2.4), (255, 220, 80), width=0.8)
    storm_cloud(c, 35, 4, 1.8, face=False, colour=(84, 90, 118) if frame != 2 else (120, 124, 150))
    return c.finish()
