"""The card the panels are drawn on, and the settings panel (260 x 350, shown at
110, 180). The panel leaves its lower right free for the back button at (180,
300), 65 x 40; the settings toggles stand at (170, 150) and (170, 210), labels
to their left."""
from .canvas import Canvas, lighter
from .palette import COLOUR, INK, PAPER, WHITE, ORANGE, GREEN
from .pieces import key
from .text import draw_text
from .words import tr

HEADER = (60, 140, 232)
MUTED = (96, 92, 120)


def card(c, title):
    w, h = c.w, c.h
    c.shape(c.rect(2, 2, w - 2, h - 2, radius=20), PAPER, width=2.2)
    band = Canvas.intersect(c.rect(2, 2, w - 2, h - 2, radius=20), c.rect(0, 0, w, 54))
    c.paint(band, c.vgradient([(0, lighter(HEADER, 0.2)), (1, HEADER)], 0, 54))
    c.paint(c.rect(2, 53, w - 2, 55.5), INK)
    c.paint(c.rect(14, 8, w - 14, 22, radius=7), (255, 255, 255, 60))
    draw_text(c, title, w / 2, 29, 25, WHITE, bold=0.6, outline=INK, outline_width=2.2, box=(14, 6, w - 14, 52))


def _speaker(c, x, y):
    body = c.poly([(x - 12, y - 5), (x - 5, y - 5), (x + 3, y - 12), (x + 3, y + 12), (x - 5, y + 5), (x - 12, y + 5)])
    c.shape(body, COLOUR[ORANGE], width=1.6)
    for r in (7, 12):
        c.paint(c.arc(x + 4, y, r, -45, 45, 2.4), INK)


def _arrows(c, x, y):
    for sign in (-1, 1):
        tip = x + sign * 15
        c.shape(c.poly([(tip, y), (tip - sign * 9, y - 9), (tip - sign * 9, y + 9)]), COLOUR[GREEN], width=1.5)
    c.shape(c.rect(x - 7, y - 3.5, x + 7, y + 3.5, radius=1.5), COLOUR[GREEN], width=1.5)


def settings_panel():
    c = Canvas(260, 350)
    card(c, tr("选项设置"))
    draw_text(c, tr("点开关来切换"), 130, 84, 14, MUTED, bold=0.2, box=(10, 70, 250, 100))
    for i, (label, icon) in enumerate(((tr("声音"), _speaker), (tr("移动", "setting"), _arrows))):
        y = 168.5 + 60 * i
        c.shape(c.rect(14, y - 24, 246, y + 24, radius=14), (255, 255, 255), outline=(220, 210, 190), width=1.2)
        icon(c, 40, y)
        # Between the icon and the switch the game lays at x 170.
        draw_text(c, label, 100, y, 22, INK, bold=0.5, box=(56, y - 22, 166, y + 22))
    for i, k in enumerate((0, 1, 4)):
        c.paste(key(k), 18 + i * 34, 304)
    return c.finish()
