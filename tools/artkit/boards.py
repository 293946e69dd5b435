"""Pictures of the boards players make and share: the maker's and a received
board's backdrops, and the maker's buttons that step the target score.

Both screens leave their panel (30, 118, 450, 600) plain. The maker: a hint at
y 128, the board's ten tubes in a row (x 44 + 40 i, y 164, 32 x 126), the target
score's row at y 306 (its word in x 40..240, the step buttons at x 254 and 382,
the score between them), buttons at y 360 and 456, a status line at y 418 and a
message at y 512. A received board's screen: its verdict at y 126, the tubes as
on the maker, four rows from y 300 every 44 px (the stars at x 334 on the second
and fourth), buttons at y 484 and 540. The back button of both stands at
(207, 628, 65, 40).
"""
from .canvas import Canvas
from .daily import _screen
from .palette import COLOUR

STEP = (44, 38)


def maker_screen():
    return _screen("做关卡", COLOUR[5], ((196, 160, 255), (238, 226, 255)), (0, 13, 14, 15, 1, 19))


def board_screen():
    return _screen("分享的关卡", COLOUR[0], ((255, 168, 150), (255, 228, 214)), (10, 11, 12, 4, 5, 6))


def step_button(up, lit):
    """A 44 x 38 button that steps the target score: a minus, or a plus (up)."""
    from .buttons import STYLES, _pill
    c = Canvas(*STEP)
    w, h = STEP
    style = "yellow" if lit else "grey"
    _pill(c, 1.2, 1.2, w - 1.2, h - 1.2, style)
    ink = STYLES[style][2]
    cx, cy = w / 2, h / 2 + 0.5
    c.paint(c.rect(cx - 9, cy - 2, cx + 9, cy + 2, radius=1.5), ink)
    if up:
        c.paint(c.rect(cx - 2, cy - 9, cx + 2, cy + 9, radius=1.5), ink)
    return c.finish()
