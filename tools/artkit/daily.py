"""Pictures of the daily challenge and of shared runs: the daily screen's, the
watch screen's and the leaderboard screen's backdrops, the practice and replay
marks, the ghost's faint sprayer, the watch screen's speed buttons and the
leaderboard's rows.

The daily screen leaves its panel (30, 118, 450, 600) plain: the game writes five
rows of a word and its value over it (words centred in x 40..250, values in
250..440, rows from y 138 every 44 px), the stars of today's result at
(300, 318), a note at y 378, and puts its buttons at y 420 and 480. The watch
screen's panel is the same; the back button of both stands at (207, 628, 65, 40).

The leaderboard screen's panel (30, 118, 450, 608) holds ten rows of 400 x 36
from (40, 126) every 40 px, the player's own row at (40, 530) and a status
line at y 572; the game writes each row's rank, name and score over it.
"""
from .canvas import Canvas, darker, drawn_once
from .mascot import Mascot
from .palette import COLOUR, INK, WHITE
from .scenes import SENTENCE, backdrop, banner, bench, fluffy, panel, tube_row
from .text import LATIN_BOLD, draw_text
from .words import tr

MARK = (160, 44)
SPEED = (56, 40)
SPRAYER = (80, 153)


@drawn_once
def _scenery(sky, tubes, panel_bottom):
    c = Canvas(480, 720)
    backdrop(c, *sky, (255, 255, 255, 0), (255, 255, 255, 40), centre=(240, 330))
    for x, y, k in ((14, 18, 0.6), (392, 30, 0.55)):
        fluffy(c, x, y, k)
    panel(c, 30, 118, 450, panel_bottom, fill=(255, 250, 236, 170))
    bench(c, 676)
    # Three tubes stand on each side of the panel's foot.
    tube_row(c, 26, panel_bottom, tubes[:3], step=34)
    tube_row(c, 352, panel_bottom, tubes[3:], step=34)
    return c


def _screen(title, colour, sky, tubes, panel_bottom=600):
    c = _scenery(sky, tubes, panel_bottom)
    banner(c, tr(title), 240, 70, 36, colour)
    return c.finish().convert("RGB")


def daily_screen():
    return _screen("每日挑战", COLOUR[1], ((255, 190, 110), (255, 232, 190)), (1, 2, 3, 4, 5, 6))


def watch_screen():
    return _screen("观看记录", COLOUR[3], ((120, 200, 170), (206, 244, 226)), (7, 8, 9, 16, 17, 18))


def leaderboard_screen():
    return _screen("排行榜", COLOUR[4], ((130, 170, 250), (214, 228, 255)), (10, 11, 12, 13, 14, 15), panel_bottom=608)


ROW = (400, 36)


def board_row(own, lit):
    """A row of the leaderboard (400 x 36), a button without words: white, the
    player's own yellow, and grey while pressed."""
    from .buttons import _pill
    c = Canvas(*ROW)
    style = ("yellow" if own else "white") if lit else "grey"
    _pill(c, 1.2, 1.2, ROW[0] - 1.2, ROW[1] - 1.2, style)
    return c.finish()


def mark(text, colour):
    """A small ribbon over the game's board: the attempt is practice, or a replay."""
    c = Canvas(*MARK)
    w, h = MARK
    c.shape(c.rect(2, 4, w - 2, h - 4, radius=10), c.vgradient([(0, colour), (1, darker(colour, 0.2))]), width=2)
    c.paint(c.rect(8, 7, w - 8, 18, radius=6), (255, 255, 255, 60))
    draw_text(c, tr(text), w / 2, h / 2 + 1, 20, WHITE, bold=0.5, outline=INK, outline_width=1.6,
              latin=SENTENCE, box=(8, 6, w - 8, h - 6))
    return c.finish()


def practice_mark():
    return mark("练习", COLOUR[4])


def replay_mark():
    return mark("回放", COLOUR[3])


def ghost_sprayer():
    """The raced run's sprayer: the mascot, faint, so the player's stands out."""
    c = Canvas(*SPRAYER)
    Mascot(c).draw("happy")
    picture = c.finish()
    alpha = picture.getchannel("A").point(lambda a: a * 40 // 100)
    picture.putalpha(alpha)
    return picture


def speed_button(label, lit):
    """A 56 x 40 playback button: 1x, 2x, 4x, or pause (label None)."""
    from .buttons import _pill
    c = Canvas(*SPEED)
    style = "blue" if lit else "grey"
    _pill(c, 1.2, 1.2, SPEED[0] - 1.2, SPEED[1] - 1.2, style)
    ink = WHITE if lit else INK
    if label is None:
        for x in (21, 31):
            c.paint(c.rect(x, 11, x + 5, 30, radius=1.5), ink)
    else:
        draw_text(c, label, SPEED[0] / 2, SPEED[1] / 2 + 1, 18, ink, face=LATIN_BOLD, bold=0.4)
    return c.finish()
