"""Button pictures (the executable's PNG resources): captions on yellow, grey or
blue pills, the on/off switch, and the three corner buttons of the game screen."""
import numpy as np
from PIL import Image, ImageOps

from .canvas import Canvas, darker, lighter
from .mascot import Mascot
from .palette import COLOUR, INK, ORANGE, WHITE
from .pieces import drop_mask
from . import boards, daily
from .records import level_tile, locked_tile
from .text import LATIN_BODY, LATIN_BOLD, TextDoesNotFit, draw_text
from .words import SOFT_HYPHEN, tr

# Words on buttons stay at least this large: a translation that would need
# smaller letters is refused, to be shortened or given a place to break.
SMALLEST_BUTTON_WORD = 11.0

STYLES = {
    # fill top, fill bottom, text colour, outline
    "yellow": ((255, 226, 84), (255, 184, 28), INK, INK),
    "grey": ((236, 238, 244), (204, 208, 218), (86, 90, 108), (110, 114, 132)),
    "blue": ((98, 172, 255), (40, 110, 222), WHITE, INK),
    "darkgrey": ((128, 134, 150), (88, 94, 110), (228, 230, 238), INK),
    "white": ((255, 255, 255), (238, 241, 248), INK, (150, 156, 176)),
}


def _pill(c, x0, y0, x1, y1, style):
    top, bottom, _, outline = STYLES[style]
    radius = min(12, (y1 - y0) / 2.4)
    m = c.rect(x0, y0, x1, y1, radius=radius)
    c.shape(m, c.vgradient([(0, top), (1, bottom)], y0, y1), outline=outline, width=1.5)
    gloss = Canvas.intersect(m, c.rect(x0 + 3, y0 + 2, x1 - 3, (y0 + y1) / 2 - 1, radius=radius * 0.7))
    c.paint(gloss, (255, 255, 255, 70))
    return m


def two_lines(text):
    """The text broken in two at the space or soft hyphen nearest its middle (the
    soft hyphen shown as a hyphen), or None when it has no such place."""
    places = [i for i, ch in enumerate(text) if ch in (" ", SOFT_HYPHEN)]
    if not places:
        return None
    i = min(places, key=lambda i: abs(2 * i - len(text)))
    first = text[:i] + ("-" if text[i] == SOFT_HYPHEN else "")
    return (first + "\n" + text[i + 1:]).replace(SOFT_HYPHEN, "")


def caption(w, h, text, style, size):
    """A pill button of w x h with a caption (the Chinese text, translated): one
    line, or two when one would need letters below the smallest button word."""
    c = Canvas(w, h)
    _pill(c, 1.2, 1.2, w - 1.2, h - 1.2, style)
    ink = STYLES[style][2]
    glow = (255, 255, 255, 110) if style in ("yellow", "grey") else (0, 0, 0, 70)
    label = tr(text)

    def draw(words):
        draw_text(c, words, w / 2, h / 2 + 1.0, size, ink, bold=0.45 if size >= 17 else 0.3,
                  shadow=(0, 1.0, glow), latin=[LATIN_BOLD, LATIN_BODY], box=(4, 3, w - 4, h - 3),
                  smallest=SMALLEST_BUTTON_WORD)
    try:
        draw(label.replace(SOFT_HYPHEN, ""))
    except TextDoesNotFit:
        broken = two_lines(label)
        if broken is None:
            raise
        draw(broken)
    return c.finish()


def switch(on):
    """The on/off switch (60 x 37): a green track with the knob right, or grey left."""
    c = Canvas(60, 37)
    track = (70, 196, 96) if on else (190, 194, 206)
    m = c.rect(1.5, 3.5, 58.5, 33.5, radius=15)
    c.shape(m, c.vgradient([(0, lighter(track, 0.15)), (1, darker(track, 0.1))], 3.5, 33.5), width=1.5)
    c.paint(Canvas.intersect(m, c.rect(4, 5.5, 56, 17, radius=8)), (255, 255, 255, 60))
    kx = 45.5 if on else 14.5
    c.shape(c.ellipse(kx, 18.5, 10.5), (255, 255, 255), width=1.4)
    c.paint(c.ellipse(kx - 2.5, 15, 4, 2.6), (232, 238, 250))
    # The word stands beside the knob, on the track.
    draw_text(c, tr("开启") if on else tr("关闭"), 21.5 if on else 38.5, 19, 12,
              WHITE if on else (80, 84, 100), bold=0.35, latin=[LATIN_BOLD, LATIN_BODY],
              box=(4, 6, 34.5, 32) if on else (26, 6, 56, 32))
    return c.finish()


def page_arrow(direction, style):
    """A 56 x 40 button of the help's pages: a triangle pointing left (-1) or right (1)."""
    c = Canvas(56, 40)
    _pill(c, 1.2, 1.2, 54.8, 38.8, style)
    _, _, ink, outline = STYLES[style]
    tip = 28 + direction * 8
    back = tip - direction * 15
    c.shape(c.poly([(tip, 20.5), (back, 10.5), (back, 30.5)]), ink, outline=outline, width=1.2)
    return c.finish()


# -- corner buttons of the game screen -------------------------------------

def _tile(c, lit):
    fill = c.vgradient([(0, (255, 226, 92)), (1, (255, 192, 40))]) if lit else (226, 229, 236)
    c.shape(c.rect(1.5, 1.5, 48.5, 48.5, radius=11), fill, width=1.6)
    c.paint(c.rect(4.5, 3.5, 45.5, 20, radius=8), (255, 255, 255, 70))


def _repair_icon(c):
    """A tilted test tube of orange with a white healing cross."""
    tube = Canvas.union(c.rect(15, 6, 28, 11, radius=2), c.rect(16.5, 9, 26.5, 42, radius=5))
    c.shape(tube, (230, 246, 255), width=1.4)
    liquid = Canvas.intersect(c.rect(18.2, 22, 24.8, 40.5, radius=3.3), c.rect(0, 22, 50, 50))
    c.paint(liquid, COLOUR[ORANGE])
    c.paint(c.rect(18.6, 12, 20.2, 36, radius=0.8), (255, 255, 255, 200))
    cross = Canvas.union(c.rect(33, 24, 38, 40, radius=1.2), c.rect(27.5, 29.5, 43.5, 34.5, radius=1.2))
    c.shape(cross, (255, 255, 255), width=1.3)


def _buy_icon(c):
    """An orange drop marked +25: 25 more shots."""
    m = drop_mask(c, 25, 28, 15, 4)
    c.shape(m, COLOUR[ORANGE], width=1.6)
    c.paint(c.ellipse(18.5, 22, 2.6, 4.6), (255, 255, 255, 190))
    draw_text(c, "+25", 25.5, 30, 12.5, WHITE, face=("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 0),
              outline=INK, outline_width=1.1)


def _head_icon(c):
    Mascot(c, ox=25 - 48 * 0.56, oy=27.5 - 76 * 0.56, scale=0.56).draw(hanger=False)


ICONS = {"repair": _repair_icon, "buy": _buy_icon, "head": _head_icon}


def corner(kind, lit):
    """A 50 x 50 corner button: the icon in colour on yellow, or all grey."""
    icon = Canvas(50, 50)
    ICONS[kind](icon)
    art = icon.finish()
    if not lit:
        alpha = art.getchannel("A")
        grey = ImageOps.grayscale(art).point(lambda v: 105 + v * 130 // 255)
        art = Image.merge("RGBA", (grey, grey, grey, alpha))
    c = Canvas(50, 50)
    _tile(c, lit)
    tile = c.finish()
    # Keep the icon inside the tile's rounded corners.
    clip = Canvas(50, 50)
    clip.paint(clip.rect(2.5, 2.5, 47.5, 47.5, radius=10), (255, 255, 255))
    alpha = np.asarray(art.getchannel("A"), np.uint16) * np.asarray(clip.finish().getchannel("A"), np.uint16)
    art.putalpha(Image.fromarray((alpha // 255).astype(np.uint8)))
    tile.alpha_composite(art)
    return tile


def resource_builders():
    """Resource id -> the function that draws it."""
    out = {}
    for rid, kind in ((101, "repair"), (103, "head"), (105, "buy")):
        out[rid] = lambda kind=kind: corner(kind, False)
        out[rid + 1] = lambda kind=kind: corner(kind, True)
    words = ["车子", "房子", "孩子", "金钱", "老婆", "妈妈", "朋友", "情人", "同学", "兄弟"]
    for i, word in enumerate(words):
        out[108 + 2 * i] = lambda word=word: caption(60, 40, word, "yellow", 18)
        out[109 + 2 * i] = lambda word=word: caption(60, 40, word, "grey", 18)
    menu = {134: "开始游戏", 128: "继续游戏", 136: "选项设置", 132: "帮助说明", 130: "退出游戏"}
    for rid, text in menu.items():
        out[rid] = lambda text=text: caption(108, 38, text, "yellow", 19)
        out[rid + 1] = lambda text=text: caption(108, 38, text, "grey", 19)
    out[138] = lambda: caption(65, 40, "返回", "blue", 18)
    out[139] = lambda: caption(65, 40, "返回", "darkgrey", 18)
    out[140], out[141] = (lambda: switch(True)), (lambda: switch(False))
    # The help's previous and next page: lit, then dim (+1).
    for rid, direction in ((160, -1), (162, 1)):
        out[rid] = lambda direction=direction: page_arrow(direction, "blue")
        out[rid + 1] = lambda direction=direction: page_arrow(direction, "grey")
    for rid, text in ((180, "标准"), (181, "宽松"), (182, "不限时")):
        out[rid] = lambda text=text: caption(100, 37, text, "yellow", 17)
    # The language's own name, which its catalogue gives as the translation of "中文".
    out[183] = lambda: caption(100, 37, "中文", "blue", 17)
    out[184] = lambda: caption(100, 37, "中文", "darkgrey", 17)
    out[144] = lambda: caption(112, 42, "重新开始", "yellow", 20)
    out[145] = lambda: caption(112, 42, "重新开始", "grey", 20)
    out[142] = lambda: caption(112, 42, "返回设置", "yellow", 20)
    out[143] = lambda: caption(112, 42, "返回设置", "grey", 20)
    out[146] = lambda: caption(96, 38, "选关", "yellow", 19)
    out[147] = lambda: caption(96, 38, "选关", "grey", 19)
    out[148], out[149] = (lambda: level_tile(False)), (lambda: level_tile(True))
    out[150] = locked_tile
    # The daily challenge's buttons: lit, then dim (+1).
    out[210] = lambda: caption(96, 38, "每日", "yellow", 19)
    out[211] = lambda: caption(96, 38, "每日", "grey", 19)
    for rid, text, style in ((212, "开始挑战", "yellow"), (214, "分享", "blue"), (216, "打开记录", "yellow"),
                             (218, "比赛这一局", "yellow"), (220, "播放回放", "blue")):
        out[rid] = lambda text=text, style=style: caption(160, 44, text, style, 19)
        out[rid + 1] = lambda text=text, style=style: caption(160, 44, text, "grey" if style == "yellow" else "darkgrey",
                                                               19)
    for rid, label in ((222, "1×"), (224, "2×"), (226, "4×"), (228, None)):
        out[rid] = lambda label=label: daily.speed_button(label, True)
        out[rid + 1] = lambda label=label: daily.speed_button(label, False)
    # The day's leaderboard: Post, Leaderboard and Another name on the daily
    # screen, and the leaderboard's rows (the player's own in yellow).
    for rid, text, style in ((230, "发布", "yellow"), (232, "排行榜", "blue"), (234, "换个名字", "blue")):
        out[rid] = lambda text=text, style=style: caption(160, 44, text, style, 19)
        out[rid + 1] = lambda text=text, style=style: caption(160, 44, text, "grey" if style == "yellow" else "darkgrey",
                                                               19)
    for rid, own in ((236, False), (238, True)):
        out[rid] = lambda own=own: daily.board_row(own, True)
        out[rid + 1] = lambda own=own: daily.board_row(own, False)
    # Boards players make: lit, then dim (+1).
    out[300] = lambda: caption(96, 38, "做关卡", "yellow", 19)
    out[301] = lambda: caption(96, 38, "做关卡", "grey", 19)
    for rid, up in ((302, False), (304, True)):
        out[rid] = lambda up=up: boards.step_button(up, True)
        out[rid + 1] = lambda up=up: boards.step_button(up, False)
    for rid, text, style in ((306, "换颜色", "blue"), (308, "试玩", "yellow"), (310, "打开关卡", "yellow")):
        out[rid] = lambda text=text, style=style: caption(160, 44, text, style, 19)
        out[rid + 1] = lambda text=text, style=style: caption(160, 44, text, "grey" if style == "yellow" else "darkgrey",
                                                               19)
    return out


def resource_pictures():
    """Every resource picture by id, in the active language."""
    return {rid: draw() for rid, draw in resource_builders().items()}
