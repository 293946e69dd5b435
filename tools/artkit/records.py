"""Pictures of the level screen and the finale: their backdrops, the level tiles,
the star strips and the "new record" mark.

The level screen leaves plain places for what the game lays over it: ten tiles of
200 x 84 at x 30 and 250, y 130 + 92 row, and the back button at (207, 628, 65, 40).
On a tile the game writes the level's number in its left 64 px and puts the star
strip at (70, 8) and the best score below it. The finale's panel at
(60, 410, 420, 540) holds the game's two lines of totals.
"""
import math

from .canvas import Canvas, darker, drawn_once
from .mascot import Mascot
from .palette import COLOUR, GOLD, INK, WHITE
from .pieces import key
from .scenes import RAINBOW, SENTENCE, backdrop, banner, bench, confetti, fluffy, panel, tube_row
from .text import LATIN_BOLD, LATIN_BODY, draw_text
from .words import tr

TILE = (200, 84)
STARS = (110, 32)
RECORD = (160, 44)
STAR_GOLD = (255, 204, 46)
STAR_EMPTY = (214, 218, 230)


def star_mask(c, x, y, r):
    pts = []
    for i in range(10):
        a = math.radians(-90 + 36 * i)
        rr = r if i % 2 == 0 else r * 0.46
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    return c.poly(pts)


def stars(count):
    """Three stars in a row, the first `count` of them gold."""
    c = Canvas(*STARS)
    for i in range(3):
        x = 18 + 37 * i
        lit = i < count
        c.shape(star_mask(c, x, 17, 15), STAR_GOLD if lit else STAR_EMPTY, outline=INK if lit else (150, 154, 170),
                width=1.5)
        if lit:
            c.paint(c.ellipse(x - 4, 12, 3, 2), (255, 255, 255, 170))
    return c.finish()


def _tile_body(c, top, bottom, outline):
    w, h = TILE
    c.shape(c.rect(1.5, 1.5, w - 1.5, h - 1.5, radius=14), c.vgradient([(0, top), (1, bottom)]),
            outline=outline, width=1.8)
    c.paint(c.rect(6, 4, w - 6, 22, radius=9), (255, 255, 255, 80))
    # The number's place: a round badge on the left.
    c.shape(c.ellipse(34, 42, 27), (255, 255, 255, 200), outline=outline, width=1.4)


def level_tile(pressed):
    """A level the player may start: cream at rest, yellow while pressed."""
    c = Canvas(*TILE)
    if pressed:
        _tile_body(c, (255, 226, 84), (255, 184, 28), INK)
    else:
        _tile_body(c, (255, 252, 240), (240, 232, 210), INK)
    return c.finish()


def locked_tile():
    """A level not reached yet: grey, with a padlock and the word for locked."""
    c = Canvas(*TILE)
    _tile_body(c, (206, 210, 222), (176, 180, 196), (92, 96, 116))
    body = c.rect(80, 36, 108, 60, radius=4)
    c.paint(c.arc(94, 36, 9, 180, 360, 4.5), (120, 124, 142))
    c.shape(body, (250, 196, 60), width=1.5)
    c.paint(c.ellipse(94, 46, 3), INK)
    draw_text(c, tr("未解锁"), 154, 48, 18, (70, 74, 96), bold=0.35, latin=[LATIN_BOLD, LATIN_BODY],
              box=(114, 30, 196, 66))
    return c.finish()


def record_mark():
    """A small red ribbon: the claim beat a record."""
    c = Canvas(*RECORD)
    w, h = RECORD
    c.shape(c.rect(2, 4, w - 2, h - 4, radius=10), c.vgradient([(0, COLOUR[0]), (1, darker(COLOUR[0], 0.2))]),
            width=2)
    c.paint(c.rect(8, 7, w - 8, 18, radius=6), (255, 255, 255, 60))
    c.shape(star_mask(c, 20, h / 2, 11), GOLD, width=1.2)
    draw_text(c, tr("新纪录！"), 90, h / 2 + 1, 20, WHITE, bold=0.5, outline=INK, outline_width=1.6,
              latin=SENTENCE, box=(34, 6, w - 6, h - 6))
    return c.finish()


@drawn_once
def _level_screen_scenery():
    c = Canvas(480, 720)
    backdrop(c, (110, 194, 250), (196, 234, 255), (255, 255, 255, 0), (255, 255, 255, 40), centre=(240, 330))
    for x, y, k in ((14, 18, 0.6), (392, 30, 0.55)):
        fluffy(c, x, y, k)
    panel(c, 18, 118, 462, 594, fill=(255, 250, 236, 150))
    bench(c, 676)
    tube_row(c, 26, 600, [3, 6, 9], step=34)
    tube_row(c, 352, 600, [12, 15, 18], step=34)
    return c


def level_screen():
    c = _level_screen_scenery()
    banner(c, tr("选择关卡"), 240, 70, 36, COLOUR[4])
    return c.finish().convert("RGB")


@drawn_once
def _finale_scenery():
    c = Canvas(480, 720)
    backdrop(c, (255, 214, 90), (255, 168, 80), (255, 240, 170, 0), (255, 250, 210, 90), centre=(240, 280))
    confetti(c, 44, 60, (10, 10, 470, 400))
    Mascot(c, ox=240 - 48 * 1.3, oy=140, scale=1.3).draw("cheer", hanger=False)
    panel(c, 60, 410, 420, 540)
    for i in range(8):
        c.paste(key(i), 112 + i * 32, 556)
    bench(c, 664, colour=(214, 140, 80))
    for i, colour in enumerate(RAINBOW):
        c.shape(star_mask(c, 60 + i * 72, 692, 12), colour, width=1.4)
    return c


def finale():
    c = _finale_scenery()
    banner(c, tr("全部十关通关！"), 240, 86, 36, COLOUR[3])
    draw_text(c, tr("点击或按任意键返回"), 240, 616, 20, WHITE, bold=0.5, outline=INK, outline_width=2.4,
              latin=SENTENCE, box=(8, 598, 472, 634))
    return c.finish().convert("RGB")
