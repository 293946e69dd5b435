"""Full-screen pictures (480 x 720): splash, start menu, level passed, game over.

Each leaves a clear panel where the game lays its buttons over it: the menu's five
at (180, 440 + 40i, 108, 38), the ten choices at y 450 and 520 from x 70, and the
two game-over buttons at (180, 450) and (180, 520), each 112 x 42.
"""
import math

import numpy as np

from .canvas import Canvas, darker, drawn_once, lighter
from .mascot import Mascot
from .palette import COLOUR, INK, WHITE
from .pieces import broken_tube, key, tube
from .text import CJK, LATIN_BODY, LATIN_BOLD, draw_text, face_for, text_width
from .words import tr
from .weather import storm_cloud

RAINBOW = [COLOUR[i] for i in (0, 2, 1, 3, 4, 5)]
# Latin faces for the one-line sentences, tried in turn before any shrinking.
SENTENCE = [LATIN_BOLD, LATIN_BODY]


def backdrop(c, top, bottom, ray_a, ray_b, centre=(240, 300)):
    c.paint(c.rect(0, 0, c.w, c.h), c.vgradient([(0, top), (1, bottom)]))
    c.paint(c.rect(0, 0, c.w, c.h), c.sunburst(centre[0], centre[1], 14, ray_a, ray_b))


def fluffy(c, x, y, k, alpha=235):
    """A friendly white cloud."""
    m = c.blank()
    for cx, cy, r in ((0, 10, 16), (20, 0, 22), (42, 8, 17), (22, 14, 16)):
        c.ellipse(x + cx * k, y + cy * k, r * k, mask=m)
    c.shape(m, (255, 255, 255, alpha), outline=(120, 170, 220), width=1.2)


def splats(c, seed, count, area, size=(6, 16)):
    """Paint splats in the six colours, seeded so every run places them alike."""
    rng = np.random.default_rng(seed)
    x0, y0, x1, y1 = area
    for i in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(*size)
        col = RAINBOW[i % 6]
        m = c.ellipse(x, y, r)
        for j in range(6):
            a = rng.uniform(0, 2 * math.pi)
            d = r * rng.uniform(0.9, 1.5)
            c.ellipse(x + d * math.cos(a), y + d * math.sin(a), r * rng.uniform(0.18, 0.32), mask=m)
        c.shape(m, col, width=1.3)
        c.paint(c.ellipse(x - r * 0.35, y - r * 0.35, r * 0.28), (255, 255, 255, 140))


def confetti(c, seed, count, area):
    rng = np.random.default_rng(seed)
    x0, y0, x1, y1 = area
    for i in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        a = rng.uniform(0, math.pi)
        w, h = 7, 3.2
        dx, dy = math.cos(a), math.sin(a)
        pts = [(x + dx * w - dy * h, y + dy * w + dx * h), (x - dx * w - dy * h, y - dy * w + dx * h),
               (x - dx * w + dy * h, y - dy * w - dx * h), (x + dx * w + dy * h, y + dy * w - dx * h)]
        c.shape(c.poly(pts), RAINBOW[i % 6], width=0.9)


def logo(c, cx, cy, size=70):
    """QUANDREL in chunky letters, one colour each, bobbing up and down."""
    word = "QUANDREL"
    widths = [text_width(LATIN_BOLD, size, ch) for ch in word]
    spacing = -size * 0.02
    total = sum(widths) + spacing * (len(word) - 1)
    x = cx - total / 2
    for i, ch in enumerate(word):
        y = cy + (-1 if i % 2 else 1) * size * 0.06
        col = RAINBOW[i % 6]
        draw_text(c, ch, x + widths[i] / 2, y + size * 0.07, size, INK, face=LATIN_BOLD,
                  outline=INK, outline_width=size * 0.075)
        draw_text(c, ch, x + widths[i] / 2, y, size, col, face=LATIN_BOLD, outline=INK, outline_width=size * 0.06)
        x += widths[i] + spacing


def bench(c, y, colour=(206, 138, 84)):
    c.shape(c.rect(-10, y, c.w + 10, c.h + 10), colour, width=2)
    c.paint(c.rect(-10, y, c.w + 10, y + 10), lighter(colour, 0.2))


def tube_row(c, x, y, states, step=26):
    for i, s in enumerate(states):
        c.paste(tube(s) if s < 19 else broken_tube(), x + i * step, y)


def panel(c, x0, y0, x1, y1, fill=(255, 250, 236, 225)):
    c.shape(c.rect(x0, y0, x1, y1, radius=18), fill, width=2.2)
    c.paint(c.rect(x0 + 6, y0 + 5, x1 - 6, y0 + 14, radius=5), (255, 255, 255, 120))


def banner(c, text, cx, cy, size, fill, ink=WHITE):
    face = face_for(text)
    # Chinese characters are square: their count gives the width; other scripts are measured.
    wide = size * len(text) if face == CJK else text_width(face, size, text)
    w = min(wide * 1.05 + 60, c.w - 70)
    ribbon = c.poly([(cx - w / 2 - 26, cy - size * 0.55), (cx - w / 2, cy - size * 0.05),
                     (cx - w / 2 - 26, cy + size * 0.55), (cx - w / 2 + 10, cy + size * 0.55),
                     (cx - w / 2 + 10, cy - size * 0.55)])
    c.shape(ribbon, darker(fill, 0.25), width=2)
    ribbon = c.poly([(cx + w / 2 + 26, cy - size * 0.55), (cx + w / 2, cy - size * 0.05),
                     (cx + w / 2 + 26, cy + size * 0.55), (cx + w / 2 - 10, cy + size * 0.55),
                     (cx + w / 2 - 10, cy - size * 0.55)])
    c.shape(ribbon, darker(fill, 0.25), width=2)
    c.shape(c.rect(cx - w / 2, cy - size * 0.75, cx + w / 2, cy + size * 0.75, radius=12), fill, width=2.4)
    c.paint(c.rect(cx - w / 2 + 8, cy - size * 0.68, cx + w / 2 - 8, cy - size * 0.1, radius=8), (255, 255, 255, 60))
    draw_text(c, text, cx, cy + 2, size, ink, bold=size * 0.03, outline=INK, outline_width=size * 0.06,
              box=(cx - w / 2 + 6, cy - size * 0.75, cx + w / 2 - 6, cy + size * 0.75 + 4))


# -- the four pictures -------------------------------------------------------
# Each is its scenery, drawn once for every language, with its words over it.

@drawn_once
def _splash_scenery():
    c = Canvas(480, 720)
    backdrop(c, (120, 200, 250), (200, 236, 255), (255, 255, 255, 0), (255, 255, 255, 46), centre=(240, 360))
    for x, y, k in ((30, 60, 1.0), (360, 110, 1.2), (60, 520, 0.8), (390, 560, 0.9)):
        fluffy(c, x, y, k)
    splats(c, 5, 12, (30, 260, 450, 520), (7, 13))
    Mascot(c, ox=240 - 48 * 1.7, oy=258, scale=1.7).draw("cheer", hanger=False)
    bench(c, 640)
    tube_row(c, 92, 516, [3, 6, 9, 12, 15, 18], step=52)
    return c


def splash():
    c = _splash_scenery()
    logo(c, 240, 150, 66)
    draw_text(c, tr("混合颜色 · 赢取钥匙"), 240, 222, 22, WHITE, bold=0.6, outline=INK, outline_width=2.6,
              latin=SENTENCE, box=(8, 204, 472, 240))
    draw_text(c, tr("加载中…"), 240, 684, 18, WHITE, bold=0.4, outline=INK, outline_width=2,
              box=(8, 668, 472, 700))
    return c.finish().convert("RGB")


@drawn_once
def _start_menu_scenery():
    c = Canvas(480, 720)
    backdrop(c, (110, 194, 250), (196, 234, 255), (255, 255, 255, 0), (255, 255, 255, 40), centre=(240, 330))
    for x, y, k in ((20, 190, 0.9), (380, 220, 1.0)):
        fluffy(c, x, y, k)
    Mascot(c, ox=240 - 48 * 1.4, oy=190, scale=1.4).draw("happy", hanger=False)
    bench(c, 668)
    # Tubes and keys on the bench to either side of the menu panel.
    tube_row(c, 22, 548, [2, 5, 14], step=36)
    tube_row(c, 352, 548, [8, 11, 17], step=36)
    # The keys hang above the buttons beside the panel (levels, daily).
    for i, k in enumerate((0, 1, 4)):
        c.paste(key(k), 26 + i * 38, 396)
    for i, k in enumerate((2, 3, 5)):
        c.paste(key(k), 356 + i * 38, 396)
    panel(c, 164, 426, 304, 652)
    return c


def start_menu():
    c = _start_menu_scenery()
    logo(c, 240, 92, 60)
    draw_text(c, tr("混合颜色 · 赢取钥匙"), 240, 152, 19, WHITE, bold=0.5, outline=INK, outline_width=2.4,
              latin=SENTENCE, box=(8, 136, 472, 168))
    # The program draws its version in the bottom right corner.
    return c.finish().convert("RGB")


@drawn_once
def _level_passed_scenery():
    c = Canvas(480, 720)
    backdrop(c, (255, 214, 90), (255, 168, 80), (255, 240, 170, 0), (255, 250, 210, 90), centre=(240, 300))
    confetti(c, 21, 46, (10, 10, 470, 420))
    for x, y, r in ((96, 164, 16), (384, 164, 16), (60, 240, 10), (420, 240, 10)):
        _star(c, x, y, r)
    Mascot(c, ox=240 - 48 * 1.35, oy=132, scale=1.35).draw("cheer", hanger=False)
    panel(c, 56, 438, 424, 574)
    bench(c, 664, colour=(214, 140, 80))
    tube_row(c, 40, 590, [3, 6, 9], step=30)
    tube_row(c, 350, 590, [12, 15, 18], step=30)
    for i in range(8):
        c.paste(key(i), 136 + i * 27, 626)
    return c


def level_passed():
    c = _level_passed_scenery()
    banner(c, tr("过关啦！"), 240, 86, 44, COLOUR[0])
    draw_text(c, tr("选一个你最珍惜的，进入下一关"), 240, 422, 20, WHITE, bold=0.5, outline=INK, outline_width=2.4,
              latin=SENTENCE, box=(8, 404, 472, 438))
    return c.finish().convert("RGB")


def _star(c, x, y, r, fill=WHITE):
    pts = []
    for i in range(10):
        a = math.radians(-90 + 36 * i)
        rr = r if i % 2 == 0 else r * 0.45
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    c.shape(c.poly(pts), fill, width=1.6)


@drawn_once
def _game_over_scenery():
    c = Canvas(480, 720)
    backdrop(c, (70, 74, 140), (150, 120, 190), (255, 255, 255, 0), (255, 255, 255, 22), centre=(240, 330))
    rng = np.random.default_rng(31)
    for _ in range(26):
        _star(c, rng.uniform(10, 470), rng.uniform(10, 250), rng.uniform(2, 4.5), fill=(255, 240, 170))
    storm_cloud(c, 40, 200, 1.0, colour=(96, 102, 130))
    storm_cloud(c, 340, 230, 0.9, colour=(96, 102, 130))
    Mascot(c, ox=240 - 48 * 1.2, oy=170, scale=1.2).draw("sad", hanger=False)
    panel(c, 164, 438, 308, 576)
    bench(c, 664, colour=(170, 116, 86))
    tube_row(c, 40, 590, [19, 2, 19], step=30)
    tube_row(c, 350, 590, [19, 13, 19], step=30)
    return c


def game_over():
    c = _game_over_scenery()
    banner(c, tr("游戏结束"), 240, 96, 42, (120, 110, 200))
    draw_text(c, tr("别灰心，再来一次！"), 240, 416, 21, WHITE, bold=0.5, outline=INK, outline_width=2.4,
              latin=SENTENCE, box=(8, 398, 472, 436))
    return c.finish().convert("RGB")
