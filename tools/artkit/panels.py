"""The card the panels are drawn on, and the settings panel (320 x 520, shown
at 80, 80). The panel leaves its lower right free for the back button at (210,
400), 65 x 40; each settings row's button stands at its right, its label to
its left."""
from .canvas import Canvas, drawn_once, lighter
from .palette import COLOUR, INK, PAPER, WHITE, RED, ORANGE, GREEN, BLUE
from .pieces import key
from .text import LATIN_BODY, LATIN_BOLD, draw_text
from .words import tr

HEADER = (60, 140, 232)
MUTED = (96, 92, 120)


@drawn_once
def card(w, h):
    """A new canvas of w x h with the card drawn, its title band empty."""
    c = Canvas(w, h)
    c.shape(c.rect(2, 2, w - 2, h - 2, radius=20), PAPER, width=2.2)
    band = Canvas.intersect(c.rect(2, 2, w - 2, h - 2, radius=20), c.rect(0, 0, w, 54))
    c.paint(band, c.vgradient([(0, lighter(HEADER, 0.2)), (1, HEADER)], 0, 54))
    c.paint(c.rect(2, 53, w - 2, 55.5), INK)
    c.paint(c.rect(14, 8, w - 14, 22, radius=7), (255, 255, 255, 60))
    return c


def card_title(c, title):
    draw_text(c, title, c.w / 2, 29, 25, WHITE, bold=0.6, outline=INK, outline_width=2.2, box=(14, 6, c.w - 14, 52))


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


def _clock(c, x, y):
    c.shape(c.ellipse(x, y, 12), (255, 255, 255), outline=INK, width=1.6)
    c.paint(c.ellipse(x, y, 9.5), (236, 244, 255))
    c.paint(c.line([(x, y), (x, y - 7.5)], 2.2), INK)
    c.paint(c.line([(x, y), (x + 5.5, y + 2)], 2.2), INK)
    c.paint(c.ellipse(x, y, 1.8), COLOUR[RED])


def _buzz(c, x, y):
    """A phone between two pairs of buzz marks."""
    c.shape(c.rect(x - 6.5, y - 12, x + 6.5, y + 12, radius=3), COLOUR[BLUE], width=1.5)
    c.paint(c.rect(x - 4, y - 8.5, x + 4, y + 6.5, radius=1), (220, 236, 255))
    for sign in (-1, 1):
        for k in (0, 1):
            ox = x + sign * (10.5 + 4.5 * k)
            c.paint(c.line([(ox, y - 5 + 2 * k), (ox, y + 5 - 2 * k)], 1.8), INK)


def _voice(c, x, y):
    """A speech bubble with three sound lines."""
    c.shape(c.rect(x - 12, y - 10, x + 12, y + 7, radius=5), COLOUR[BLUE], width=1.5)
    c.paint(c.line([(x - 6, y + 6), (x - 9, y + 12), (x - 1, y + 6)], 1.5), COLOUR[BLUE])
    for k in (-1, 0, 1):
        c.paint(c.line([(x + 6 * k, y - 4 + 2 * abs(k)), (x + 6 * k, y + 1 - 2 * abs(k))], 2), (255, 255, 255))


def _globe(c, x, y):
    c.shape(c.ellipse(x, y, 12), COLOUR[GREEN], width=1.6)
    c.paint(c.line([(x - 11.5, y), (x + 11.5, y)], 1.4), INK)
    c.paint(c.line([(x, y - 11.5), (x, y + 11.5)], 1.4), INK)
    for oy in (-6, 6):
        c.paint(c.line([(x - 10, y + oy), (x + 10, y + oy)], 1.2), INK)
    m = Canvas.subtract(c.ellipse(x, y, 6.2, 11.6), c.ellipse(x, y, 4.8, 10.4))
    c.paint(m, INK)


# The panel is shown at (80, 80). Each row's centre, and where the game lays its
# button: a value button (100 wide) or a switch (60 wide), both ending at x 260.
# The designed sound and movement switches keep their places on the screen.
SETTINGS_ROWS = (
    ("时间条", None, _clock, 160),
    ("振动", None, _buzz, 200),
    ("语言", None, _globe, 160),
    ("声音", None, _speaker, 200),
    ("移动", "setting", _arrows, 200),
    ("朗读", None, _voice, 200),
)
SETTINGS_FIRST_ROW = 88.5
SETTINGS_ROW_PITCH = 60


@drawn_once
def _settings_scenery():
    c = card(320, 520)
    for i, (_, _, icon, _) in enumerate(SETTINGS_ROWS):
        y = SETTINGS_FIRST_ROW + SETTINGS_ROW_PITCH * i
        c.shape(c.rect(12, y - 21, 308, y + 21, radius=14), (255, 255, 255), outline=(220, 210, 190), width=1.2)
        icon(c, 34, y)
    for i, k in enumerate((0, 1, 4)):
        c.paste(key(k), 18 + i * 34, 464)
    return c


def settings_panel():
    c = _settings_scenery()
    card_title(c, tr("选项设置"))
    for i, (label, context, _, button_x) in enumerate(SETTINGS_ROWS):
        y = SETTINGS_FIRST_ROW + SETTINGS_ROW_PITCH * i
        draw_text(c, tr(label, context), 56, y, 20, INK, anchor="lm", bold=0.5,
                  latin=[LATIN_BOLD, LATIN_BODY], box=(54, y - 20, button_x - 4, y + 20))
    return c.finish()
