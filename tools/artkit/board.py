"""The game background (480 x 625): a bright lab with the sprayer's rail, the score
panel, the key board, the next-colour stand, the tube rack and the bench.

Everything the game draws over it has a place here: score (3, 35, 96, 34) and
level (43, 78, 50, 25) sit on a dark panel for white text, keys hang at x 10 from
y 140, the preview stands at (98, 340), tubes stand at y 430, the purchase buttons
sit at the lower left and the time bar runs in a groove at y 614.
"""
import numpy as np
from PIL import Image

from .canvas import Canvas, darker, drawn_once, lighter
from .palette import COLOUR, INK, PAPER, RED, YELLOW, ORANGE, GREEN, BLUE, PURPLE
from .pieces import key, preview
from .text import LATIN_BODY, LATIN_BOLD, draw_text
from .words import tr

NAVY = (40, 54, 120)
SLOT = (16, 22, 58)
WOOD = (214, 150, 92)
# The board's labels in other scripts: bold, or condensed where bold is too wide.
LABEL_FACES = [LATIN_BOLD, LATIN_BODY]
STEEL = (160, 172, 194)
MIXING_RULES = ((RED, YELLOW, ORANGE), (YELLOW, BLUE, GREEN), (RED, BLUE, PURPLE))


def wall(c, top, bottom):
    c.paint(c.rect(0, 0, c.w, c.h), c.vgradient([(0, top), (1, bottom)]))


def bubbles(c, count, seed, area, alpha=60):
    """Soft decorative circles, placed by a seeded generator (same every run)."""
    rng = np.random.default_rng(seed)
    x0, y0, x1, y1 = area
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(6, 22)
        c.paint(c.ellipse(x, y, r), (255, 255, 255, alpha))
        c.paint(c.ellipse(x - r * 0.35, y - r * 0.35, r * 0.25), (255, 255, 255, alpha + 50))


def rail(c):
    c.shape(c.rect(88, 2, 490, 9, radius=3), STEEL, width=1.4)
    c.paint(c.rect(90, 3.5, 490, 5), (236, 242, 252))
    for x in range(130, 480, 90):
        c.shape(c.rect(x - 4, -4, x + 4, 4), darker(STEEL, 0.2), width=1.2)


def score_panel(c):
    c.shape(c.rect(-12, -12, 103, 111, radius=16), NAVY, width=2)
    c.paint(c.rect(-8, -8, 99, 30, radius=12), lighter(NAVY, 0.12))
    draw_text(c, tr("得分"), 51, 18, 17, (255, 224, 90), bold=0.5, latin=LABEL_FACES, box=(2, 4, 98, 31))
    c.shape(c.rect(3, 35, 99, 69, radius=8), SLOT, outline=lighter(NAVY, 0.35), width=1.2)
    # A long word reaches the level's slot, drawn over it.
    draw_text(c, tr("关卡"), 22, 90.5, 14, (255, 224, 90), bold=0.4, latin=LABEL_FACES, box=(4, 78, 42, 103))
    c.shape(c.rect(43, 78, 93, 103, radius=7), SLOT, outline=lighter(NAVY, 0.35), width=1.2)


def key_board(c):
    c.shape(c.rect(3, 124, 49, 462, radius=10), WOOD, width=1.8)
    c.paint(c.rect(6, 127, 46, 459, radius=8), lighter(WOOD, 0.12))
    for k in range(8):
        ghost = key(k)
        ghost.putalpha(ghost.getchannel("A").point(lambda a: a * 30 // 100))
        c.paste(ghost, 10, 140 + 40 * k)
        c.shape(c.ellipse(21.5, 151.5 + 40 * k, 1.8), (250, 210, 90), width=0.8)


def preview_stand(c):
    c.shape(c.rect(91, 334, 135, 388, radius=12), (255, 255, 255, 150), width=1.6)
    c.shape(c.rect(96, 383, 130, 392, radius=3), STEEL, width=1.2)


def mixing_poster(c):
    """A pinned card at the right: red + yellow = orange and so on, with symbols."""
    c.shape(c.rect(408, 176, 477, 414, radius=6), PAPER, width=1.6)
    c.shape(c.ellipse(442.5, 180, 4), COLOUR[RED], width=1.1)
    for i, (a, b, mix_) in enumerate(MIXING_RULES):
        y = 214 + i * 66
        for x, col in ((411, a), (447, b)):
            c.paste(preview(col).resize((19, 25), Image.LANCZOS), x, y)
        c.paste(preview(mix_).resize((19, 25), Image.LANCZOS), 433, y + 25)


def wall_shelf(c):
    """A little shelf left of the play field with a flask, a beaker and a plant."""
    c.shape(c.rect(56, 250, 146, 258, radius=3), WOOD, width=1.4)
    for x in (66, 134):
        c.shape(c.poly([(x - 4, 258), (x + 4, 258), (x, 270)]), darker(WOOD, 0.15), width=1.2)
    flask = c.poly([(68, 212), (76, 212), (76, 226), (88, 248), (56, 248), (68, 226)])
    c.shape(flask, (226, 244, 255, 170), width=1.3)
    c.paint(Canvas.intersect(flask, c.rect(0, 234, 200, 250)), COLOUR[GREEN])
    for x, y, r in ((70, 240, 1.6), (75, 243, 1.1)):
        c.paint(c.ellipse(x, y, r), (255, 255, 255, 200))
    beaker = c.rect(94, 226, 112, 249, radius=3)
    c.shape(beaker, (226, 244, 255, 170), width=1.3)
    c.paint(Canvas.intersect(beaker, c.rect(0, 236, 200, 250)), COLOUR[PURPLE])
    pot = c.poly([(122, 236), (140, 236), (137, 249), (125, 249)])
    for a, b in (((131, 236), (124, 220)), ((131, 236), (131, 214)), ((131, 236), (139, 222))):
        c.shape(c.line([a, b], 2.2), (70, 170, 80), width=1.0)
        c.shape(c.ellipse(b[0], b[1], 3.6, 2.6), (90, 196, 96), width=1.0)
    c.shape(pot, (236, 120, 80), width=1.3)


def tube_rack(c):
    c.shape(c.rect(148, 464, 414, 476, radius=4), WOOD, width=1.6)
    for x in (148, 403):
        c.shape(c.rect(x, 464, x + 11, 566, radius=4), darker(WOOD, 0.1), width=1.6)
    c.shape(c.rect(140, 544, 422, 566, radius=6), WOOD, width=1.8)
    c.paint(c.rect(144, 547, 418, 551, radius=2), lighter(WOOD, 0.3))


def bench(c):
    c.shape(c.rect(-10, 560, 490, 640), (190, 120, 72), width=2)
    c.paint(c.rect(-10, 560, 490, 571), (226, 162, 104))
    for y in (585, 603):
        c.paint(c.rect(0, y, 480, y + 1.2), (160, 98, 58))
    c.shape(c.rect(-6, 610.5, 486, 623.5, radius=6), (70, 44, 34), outline=(240, 200, 150), width=1)


def purchase_plate(c):
    c.shape(c.rect(-10, 506, 104, 612, radius=12), (255, 255, 255, 110), width=1.4)


def labels(c):
    """The words on the key board, the stand and the mixing card, and the card's signs
    (in a face of the language's script)."""
    # A long word may reach over the column's lighter inside onto its rim.
    draw_text(c, tr("钥匙"), 26, 133, 11, darker(WOOD, 0.55), bold=0.2, latin=LABEL_FACES, box=(4, 127, 48, 140))
    draw_text(c, tr("下一个"), 113, 325, 13, INK, bold=0.35, latin=LABEL_FACES, box=(76, 314, 150, 334))
    draw_text(c, tr("混色"), 442.5, 196, 14, INK, bold=0.35, latin=LABEL_FACES, box=(410, 185, 475, 210))
    for i in range(len(MIXING_RULES)):
        y = 214 + i * 66
        draw_text(c, "+", 439.5, y + 15, 14, INK, bold=0.4)
        draw_text(c, "=", 425, y + 38, 12, INK, bold=0.4)


@drawn_once
def _scenery():
    c = Canvas(480, 625)
    wall(c, (150, 214, 250), (226, 244, 255))
    bubbles(c, 26, 7, (110, 170, 470, 450))
    rail(c)
    key_board(c)
    wall_shelf(c)
    preview_stand(c)
    mixing_poster(c)
    tube_rack(c)
    bench(c)
    purchase_plate(c)
    return c


def background():
    c = _scenery()
    score_panel(c)
    labels(c)
    return c.finish().convert("RGB")
