"""The small game pieces: test-tube targets, keys, shots, previews, the time bar."""
import math

from .canvas import Canvas, OUTLINE, darker, drawn_once, lighter
from .palette import BLUE, COLOUR, GOLD, MADE_FROM, RED, WHITE, YELLOW, draw_symbol

GLASS = (226, 244, 255, 120)
HIGHLIGHT = (255, 255, 255, 200)

# Test tube geometry (32 x 126).
TUBE_X0, TUBE_X1 = 5.0, 27.0
TUBE_TOP, TUBE_BOTTOM = 8.0, 124.0
LIQUID_TOP = 20.0
INSET = 2.0


def _tube_body(c, inset=0.0):
    return c.rect(TUBE_X0 + inset, TUBE_TOP + inset, TUBE_X1 - inset, TUBE_BOTTOM - inset,
                  radius=(TUBE_X1 - TUBE_X0) / 2 - inset)


def _measure_height():
    return (TUBE_BOTTOM - INSET - LIQUID_TOP) / 3


def _lip(c, fill=GLASS, outline=OUTLINE):
    c.shape(c.rect(3.5, 3, 28.5, 10, radius=3), lighter(fill, 0.2), outline=outline, width=1.3)


def _glass_shine(c, top=14.0):
    c.paint(c.rect(8, top, 10.3, 106, radius=1.2), HIGHLIGHT)
    c.paint(c.rect(8, 110, 10.3, 114, radius=1.2), (255, 255, 255, 150))


@drawn_once
def tube(state):
    """Target picture for TargetState 0..18: a tube with 0..3 measures of a colour."""
    c = Canvas(32, 126)
    body = _tube_body(c)
    c.shape(body, GLASS, width=1.4)
    inner = _tube_body(c, INSET)
    measures = 0 if state == 0 else (state - 1) % 3 + 1
    colour = None if state == 0 else (state - 1) // 3
    mh = _measure_height()
    bottom = TUBE_BOTTOM - INSET
    if measures:
        base = COLOUR[colour]
        top = bottom - measures * mh
        liquid = Canvas.intersect(inner, c.rect(0, top, 32, 126))
        c.paint(liquid, base)
        # Shade on the right, a lighter band on the left: a rounded look.
        c.paint(Canvas.intersect(liquid, c.rect(19.5, 0, 32, 126)), darker(base, 0.18))
        c.paint(Canvas.intersect(liquid, c.rect(0, 0, 11.5, 126)), lighter(base, 0.22))
        # Meniscus on top, thin dividers between measures.
        c.paint(Canvas.intersect(inner, c.rect(0, top, 32, top + 2.2)), lighter(base, 0.45))
        for k in range(1, measures):
            y = bottom - k * mh
            c.paint(Canvas.intersect(inner, c.rect(0, y - 0.6, 32, y + 0.6)), darker(base, 0.35))
        for k in range(measures):
            cy = bottom - (k + 0.5) * mh + (1.5 if k == 0 else 0)
            draw_symbol(c, colour, 16, cy, 11.5)
    # Level marks on the glass show the three measures even when empty.
    for k in (1, 2, 3):
        y = bottom - k * mh
        c.paint(c.rect(21, y - 0.5, 25.5, y + 0.5), (80, 110, 150, 170))
    _glass_shine(c)
    _lip(c)
    return c.finish()


def golden_tube():
    """A gleaming empty tube (a picture that no target state shows)."""
    c = Canvas(32, 126)
    c.shape(_tube_body(c), (255, 236, 150, 150), width=1.4)
    _glass_shine(c)
    _lip(c, fill=GOLD)
    for x, y, r in ((9, 30, 3.2), (22, 60, 2.6), (12, 92, 2.2)):
        _sparkle(c, x, y, r, WHITE)
    return c.finish()


def _sparkle(c, x, y, r, colour):
    pts = []
    for i in range(8):
        a = math.pi / 4 * i - math.pi / 2
        rr = r if i % 2 == 0 else r * 0.32
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    c.paint(c.poly(pts), colour)


@drawn_once
def broken_tube():
    """A spoiled target: shattered glass, sooty sludge, an X and a puff of smoke."""
    c = Canvas(32, 126)
    jag = [(TUBE_X0 - 0.5, 52), (8, 40), (11, 49), (14, 34), (18, 46), (21, 38), (24, 50), (TUBE_X1 + 0.5, 43)]
    top_cut = c.poly(jag + [(TUBE_X1 + 1, 126), (TUBE_X0 - 1, 126)])
    body = Canvas.intersect(_tube_body(c), top_cut)
    c.shape(body, (214, 222, 230, 150), width=1.4)
    inner = Canvas.intersect(_tube_body(c, INSET), top_cut)
    sludge = Canvas.intersect(inner, c.rect(0, 66, 32, 126))
    c.paint(sludge, (88, 74, 70))
    c.paint(Canvas.intersect(sludge, c.rect(0, 66, 32, 68.5)), (130, 112, 100))
    for x, y, r in ((11, 80, 2.2), (20, 96, 1.6), (13, 108, 1.3), (21, 74, 1.2)):
        c.paint(c.ellipse(x, y, r), (150, 132, 120))
    # Cracks in the glass.
    c.paint(c.line([(9, 54), (12, 62), (10, 70)], 0.8), (60, 60, 80, 230))
    c.paint(c.line([(23, 56), (20, 63), (23, 68)], 0.8), (60, 60, 80, 230))
    # The X: the mark of a spoiled tube, readable without colour.
    xm = Canvas.union(c.line([(10.5, 84), (21.5, 98)], 3.2), c.line([(21.5, 84), (10.5, 98)], 3.2))
    c.shape(xm, WHITE, width=1.1)
    # Smoke puff over the break, with two falling shards.
    smoke = Canvas.union(c.ellipse(10, 24, 7), c.ellipse(19, 19, 8), c.ellipse(24, 28, 6), c.ellipse(15, 30, 6))
    c.shape(smoke, (120, 120, 134, 235), width=1.2)
    c.paint(c.ellipse(16, 17, 3.5), (170, 170, 184, 220))
    c.shape(c.poly([(2, 60), (5, 57), (5.5, 63)]), GLASS, width=0.8)
    c.shape(c.poly([(28, 66), (31, 62), (30.5, 69)]), GLASS, width=0.8)
    return c.finish()


# -- keys -----------------------------------------------------------------

def _key_mask(c):
    bow = c.ellipse(11.5, 11.5, 9.5)
    shaft = c.line([(15, 15), (27.5, 27.5)], 5.0)
    teeth = Canvas.union(c.line([(22.5, 22.5), (19.0, 26.0)], 3.6), c.line([(26.5, 26.5), (23.5, 29.5)], 3.6))
    return Canvas.union(bow, shaft, teeth)


@drawn_once
def key(index):
    """Key pictures: 0..5 in their colours with their symbol, 6 mixing, 7 score."""
    c = Canvas(32, 32)
    whole = _key_mask(c)
    if index < 6:
        base = COLOUR[index]
    elif index == 6:
        base = (236, 240, 248)
    else:
        base = GOLD
    c.shape(whole, base, width=1.5)
    c.paint(Canvas.intersect(whole, c.poly([(0, 0), (32, 0), (0, 32)])), lighter(base, 0.25))
    if index == 6:
        # Three primary wedges swirling together, joined by a white plus.
        for k, col in enumerate((COLOUR[RED], COLOUR[YELLOW], COLOUR[BLUE])):
            pts = [(11.5, 11.5)]
            for i in range(13):
                a = math.radians(-90 + 120 * k + 10 * i)
                pts.append((11.5 + 8.2 * math.cos(a), 11.5 + 8.2 * math.sin(a)))
            c.paint(c.poly(pts), col)
        plus = Canvas.union(c.rect(10, 6, 13, 17, radius=1), c.rect(6, 10, 17, 13, radius=1))
        c.shape(plus, WHITE, width=0.9)
    elif index == 7:
        star = []
        for i in range(10):
            a = math.radians(-90 + 36 * i)
            r = 7.2 if i % 2 == 0 else 3.0
            star.append((11.5 + r * math.cos(a), 12 + r * math.sin(a)))
        c.shape(c.poly(star), WHITE, width=1.0)
    else:
        draw_symbol(c, index, 11.5, 11.8, 10.5)
    c.paint(c.ellipse(7, 5.5, 2.2, 1.4), (255, 255, 255, 170))
    return c.finish()


# -- shots and previews -----------------------------------------------------

def drop_mask(c, cx, cy, r, tip_y):
    """A drop: a circle with a pointed tail reaching up to tip_y."""
    m = c.ellipse(cx, cy, r)
    a = math.asin(min(0.999, r / max(r + 0.1, cy - tip_y)))
    tx = r * math.cos(a)
    ty = cy - r * math.sin(a)
    return c.poly([(cx, tip_y), (cx + tx, ty), (cx + tx * 0.2, cy), (cx - tx * 0.2, cy), (cx - tx, ty)], mask=m)


def shot(colour):
    """A falling shot (16 x 48): a long drop of paint, tail up, with the colour's symbol."""
    c = Canvas(16, 48)
    base = COLOUR[colour]
    m = Canvas.union(c.rect(1.6, 17, 14.4, 47, radius=6.4), c.poly([(8, 1.5), (14.2, 27), (1.8, 27)]))
    c.shape(m, base, width=1.2)
    c.paint(Canvas.intersect(m, c.rect(0, 0, 6.0, 48)), lighter(base, 0.25))
    c.paint(c.ellipse(5.0, 16, 1.1, 3.6), (255, 255, 255, 190))
    if len(MADE_FROM[colour]) == 1:
        draw_symbol(c, colour, 8, 37.5, 9.6)
    else:
        draw_symbol(c, colour, 8, 34.6, 12.6, vertical=True)
    return c.finish()


@drawn_once
def preview(colour):
    """The next colour (30 x 40): a plump drop with the colour's symbol."""
    c = Canvas(30, 40)
    base = COLOUR[colour]
    m = drop_mask(c, 15, 25.5, 12.2, 1.5)
    c.shape(m, base, width=1.6)
    c.paint(Canvas.intersect(m, c.ellipse(11, 21, 10)), lighter(base, 0.22))
    c.paint(c.ellipse(9.2, 19.5, 2.4, 4.2), (255, 255, 255, 200))
    draw_symbol(c, colour, 15.5, 26.5, 13.5)
    return c.finish()


def time_bar():
    """The time bar (480 x 6): a glowing fuse, hot at its leading (left) end."""
    c = Canvas(480, 6)
    grad = c.radial(0, 3, 480, [(0.0, (255, 70, 50)), (0.25, (255, 150, 40)), (1.0, (255, 220, 70))])
    m = c.rect(0, 0, 480, 6, radius=3)
    c.paint(m, (120, 40, 30))
    inner = c.rect(0.8, 0.8, 480, 5.2, radius=2.2)
    c.paint(inner, grad)
    for x in range(6, 480, 12):
        c.paint(Canvas.intersect(inner, c.poly([(x, 0), (x + 5, 0), (x + 1, 6), (x - 4, 6)])),
                (255, 255, 255, 70))
    c.paint(c.rect(2, 1.2, 480, 2.2), (255, 255, 255, 110))
    return c.finish()
