"""The six shot colours and their colour-blind symbols.

Primaries carry one shape (red a circle, yellow a triangle, blue a square); a
secondary carries the two shapes of the primaries it is made from, joined.
"""
from .canvas import Canvas

RED, YELLOW, ORANGE, GREEN, BLUE, PURPLE = range(6)

COLOUR = {
    RED: (236, 62, 66),
    YELLOW: (255, 208, 38),
    ORANGE: (255, 138, 28),
    GREEN: (62, 186, 84),
    BLUE: (44, 122, 232),
    PURPLE: (150, 78, 204),
}
NAME = {RED: "red", YELLOW: "yellow", ORANGE: "orange", GREEN: "green", BLUE: "blue", PURPLE: "purple"}
MADE_FROM = {RED: (RED,), YELLOW: (YELLOW,), BLUE: (BLUE,),
             ORANGE: (RED, YELLOW), GREEN: (YELLOW, BLUE), PURPLE: (RED, BLUE)}
SHAPE = {RED: "circle", YELLOW: "triangle", BLUE: "square"}

SKY = (120, 206, 250)
GOLD = (255, 196, 30)
INK = (46, 36, 72)
WHITE = (255, 255, 255)
PAPER = (255, 250, 236)


def shape_mask(canvas: Canvas, shape, cx, cy, size, mask=None):
    """Mask of one primary's shape, `size` final pixels across."""
    if shape == "circle":
        return canvas.ellipse(cx, cy, size * 0.47, mask=mask)
    if shape == "triangle":
        h = size * 0.98
        return canvas.poly([(cx, cy - h * 0.58), (cx + size * 0.56, cy + h * 0.42),
                            (cx - size * 0.56, cy + h * 0.42)], mask=mask)
    half = size * 0.39
    return canvas.rect(cx - half, cy - half, cx + half, cy + half, mask=mask)


def symbol_mask(canvas, colour, cx, cy, size, vertical=False):
    """Mask of a colour's symbol centred on (cx, cy); a pair is joined side by side
    (or one above the other when vertical)."""
    parts = MADE_FROM[colour]
    if len(parts) == 1:
        return shape_mask(canvas, SHAPE[parts[0]], cx, cy, size)
    small = size * 0.74
    off = small * 0.46
    m = canvas.blank()
    for shape, sign in ((SHAPE[parts[0]], -1), (SHAPE[parts[1]], 1)):
        if vertical:
            shape_mask(canvas, shape, cx, cy + sign * off, small, mask=m)
        else:
            shape_mask(canvas, shape, cx + sign * off, cy, small, mask=m)
    return m


def draw_symbol(canvas, colour, cx, cy, size, vertical=False, fill=WHITE, outline=INK):
    width = max(0.7, size * 0.085)
    canvas.shape(symbol_mask(canvas, colour, cx, cy, size, vertical), fill, outline=outline, width=width)
