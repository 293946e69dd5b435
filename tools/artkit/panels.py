"""The settings panel (260 x 350, shown at 110, 180) and the help page (360 x 560,
shown at 60, 80). Both leave their lower right free for the back button: the
settings panel at (180, 300), the help page at (230, 520), 65 x 40 each; the
settings toggles stand at (170, 150) and (170, 210), labels to their left."""
from PIL import Image

from .canvas import Canvas, lighter
from .palette import COLOUR, INK, PAPER, WHITE, RED, YELLOW, BLUE, ORANGE, GREEN, PURPLE
from .pieces import key, preview, tube
from .text import LATIN_BOLD, draw_text, wrap

HEADER = (60, 140, 232)
MUTED = (96, 92, 120)


def card(c, title):
    w, h = c.w, c.h
    c.shape(c.rect(2, 2, w - 2, h - 2, radius=20), PAPER, width=2.2)
    band = Canvas.intersect(c.rect(2, 2, w - 2, h - 2, radius=20), c.rect(0, 0, w, 54))
    c.paint(band, c.vgradient([(0, lighter(HEADER, 0.2)), (1, HEADER)], 0, 54))
    c.paint(c.rect(2, 53, w - 2, 55.5), INK)
    c.paint(c.rect(14, 8, w - 14, 22, radius=7), (255, 255, 255, 60))
    draw_text(c, title, w / 2, 29, 25, WHITE, bold=0.6, outline=INK, outline_width=2.2)


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
    card(c, "选项设置")
    draw_text(c, "点开关来切换", 130, 84, 14, MUTED, bold=0.2)
    for i, (label, icon) in enumerate((("声音", _speaker), ("移动", _arrows))):
        y = 168.5 + 60 * i
        c.shape(c.rect(14, y - 24, 246, y + 24, radius=14), (255, 255, 255), outline=(220, 210, 190), width=1.2)
        icon(c, 40, y)
        draw_text(c, label, 100, y, 22, INK, bold=0.5)
    for i, k in enumerate((0, 1, 4)):
        c.paste(key(k), 18 + i * 34, 304)
    return c.finish()


def _chip(c, x, y, text, colour):
    c.shape(c.rect(x, y - 10, x + 38, y + 10, radius=9), colour, width=1.2)
    draw_text(c, text, x + 19, y + 0.5, 13, WHITE, bold=0.35, outline=INK, outline_width=1.0)


def _paragraph(c, x, y, text, width, size=13, line=17.5):
    for row in wrap(text, size, width):
        draw_text(c, row, x, y, size, INK, anchor="lm", bold=0.1)
        y += line
    return y


def _mixing_row(c, y):
    """Three mixing rules side by side: drop + drop = drop, symbols included."""
    rules = ((RED, YELLOW, ORANGE), (YELLOW, BLUE, GREEN), (RED, BLUE, PURPLE))
    for i, (a, b, m) in enumerate(rules):
        x = 20 + i * 112
        for dx, col in ((0, a), (34, b), (74, m)):
            c.paste(preview(col).resize((24, 32), Image.LANCZOS), x + dx, y)
        draw_text(c, "+", x + 29, y + 19, 15, INK, face=LATIN_BOLD)
        draw_text(c, "=", x + 67, y + 19, 15, INK, face=LATIN_BOLD)


def _keycap(c, x, y, label, text):
    w = max(24.0, 9.0 * len(label) + 10) if label.isascii() else 34.0
    c.shape(c.rect(x, y - 11, x + w, y + 11, radius=5), (240, 242, 248), width=1.2)
    c.paint(c.rect(x + 2, y + 6, x + w - 2, y + 9.5, radius=2), (200, 204, 216))
    face = LATIN_BOLD if label.isascii() else None
    if face:
        draw_text(c, label, x + w / 2, y - 1, 11.5, INK, face=face)
    else:
        draw_text(c, label, x + w / 2, y - 1, 12, INK, bold=0.2)
    draw_text(c, text, x + w + 6, y, 13, INK, anchor="lm", bold=0.15)


def help_page():
    c = Canvas(360, 560)
    card(c, "游戏说明")
    sections = [
        ("移动", COLOUR[GREEN], "点屏幕左半边或右半边，喷壶就向那边挪一格，也可以按住拖动。"
                                "设置里开启“移动”，喷壶平滑滑过去。"),
        ("发射", COLOUR[ORANGE], "按“发泄”，把“下一个”里的颜色喷进正下方的试管。"),
        ("混色", COLOUR[PURPLE], "同色装满三格得50分和这个颜色的钥匙。原色遇上另一种原色会调成间色；"
                                 "颜色不对试管就坏了，扣30分。"),
        ("钥匙", COLOUR[YELLOW], "六色钥匙各一把；两种原色调满一管间色得彩虹钥匙；分数达到本关目标得金钥匙。"),
        ("营救", COLOUR[RED], "钥匙集齐，左下角的笑脸亮起，按“营救”过关。第一关不要彩虹钥匙。"),
        ("购买", COLOUR[BLUE], "各花50分：试管键修好一支坏试管，水滴键多买25发。"),
        ("时间", (120, 128, 150), "10秒不发射，底部的时间条就走完。时间走完、100发用完或试管全坏，游戏结束。"),
    ]
    y = 76
    for title, colour, text in sections:
        _chip(c, 14, y, title, colour)
        y = _paragraph(c, 60, y, text, 286) + 7
        if title == "混色":
            _mixing_row(c, y - 3)
            y += 42
    _chip(c, 14, y + 2, "键盘", (60, 66, 90))
    keys = (("←→", "移动"), ("空格", "发射"), ("回车", "营救"), ("R", "修复"), ("B", "买弹"), ("Esc", "返回"))
    for i, (label, text) in enumerate(keys):
        _keycap(c, 60 + (i % 2) * 120, y + 2 + (i // 2) * 27, label, text)
    c.paste(tube(9).resize((20, 79), Image.LANCZOS), 304, y - 18)
    return c.finish()
