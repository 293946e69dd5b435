"""The settings panel (260 x 350, shown at 110, 180) and the help page (360 x 560,
shown at 60, 80). Both leave their lower right free for the back button: the
settings panel at (180, 300), the help page at (230, 520), 65 x 40 each; the
settings toggles stand at (170, 150) and (170, 210), labels to their left."""
from PIL import Image

from .canvas import Canvas, lighter
from .palette import COLOUR, INK, PAPER, WHITE, RED, YELLOW, BLUE, ORANGE, GREEN, PURPLE
from .pieces import key, preview, tube
from .text import CJK, LATIN_BODY, LATIN_BOLD, draw_text, face_for, text_width, wrap
from .words import SOURCE_LANGUAGE, active, tr

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


def _chip_size(text):
    """Chinese headings at 13; Latin words, longer, a little smaller."""
    return 13.0 if face_for(text, CJK, LATIN_BODY) == CJK else 11.5


def _chip(c, x, y, text, colour, w=38):
    c.shape(c.rect(x, y - 10, x + w, y + 10, radius=9), colour, width=1.2)
    draw_text(c, text, x + w / 2, y + 0.5, _chip_size(text), WHITE, bold=0.35, outline=INK, outline_width=1.0,
              latin=LATIN_BODY, box=(x + 1, y - 10, x + w - 1, y + 10))


def _chip_width(headings):
    """Wide enough for the widest heading; the Chinese two-character chip is 38."""
    widest = max(text_width(face_for(h, CJK, LATIN_BODY), _chip_size(h), h) for h in headings)
    return max(38.0, widest + 12)


def _rows(text, width, size):
    return wrap(text, size, width, face_for(text, CJK, LATIN_BODY))


def _paragraph(c, x, y, text, width, size=13, line=17.5):
    for row in _rows(text, width, size):
        draw_text(c, row, x, y, size, INK, anchor="lm", bold=0.1, latin=LATIN_BODY, box=(x - 1, 0, 360 - 6, 560))
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


def _cap_width(label):
    if len(label) <= 3 and label.isascii():
        return max(24.0, 9.0 * len(label) + 10)
    if label.isascii():
        # Key names as words ("Space") are measured.
        return text_width(LATIN_BOLD, 11.5, label) + 12
    # A translated key name, at least as wide as a two-character Chinese one.
    return max(34.0, text_width(face_for(label), 12, label) + 10)


def _keycap_width(label, text):
    """From the cap's left edge to the end of its caption."""
    return _cap_width(label) + 6 + text_width(face_for(text), 13, text)


def _keycap(c, x, y, label, text, right):
    """A key and its caption, which must end by x = right."""
    w = _cap_width(label)
    c.shape(c.rect(x, y - 11, x + w, y + 11, radius=5), (240, 242, 248), width=1.2)
    c.paint(c.rect(x + 2, y + 6, x + w - 2, y + 9.5, radius=2), (200, 204, 216))
    face = LATIN_BOLD if label.isascii() else None
    if face:
        draw_text(c, label, x + w / 2, y - 1, 11.5, INK, face=face)
    else:
        draw_text(c, label, x + w / 2, y - 1, 12, INK, bold=0.2)
    draw_text(c, text, x + w + 6, y, 13, INK, anchor="lm", bold=0.15, box=(x + w + 4, y - 12, right, y + 12))


# The keys' rows must end above this line: the back button sits below it, at the right.
HELP_BOTTOM = 516
KEY_ROW = 27


def help_page():
    c = Canvas(360, 560)
    card(c, tr("游戏说明"))
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
    sections = [(title, colour, tr(title), tr(text)) for title, colour, text in sections]
    keys = [(tr(label) if not label.isascii() and label != "←→" else label, tr(text))
            for label, text in (("←→", "移动"), ("空格", "发射"), ("回车", "营救"), ("R", "修复"),
                                ("B", "买弹"), ("Esc", "返回"))]
    keyboard = tr("键盘")
    chip_w = _chip_width([s[2] for s in sections] + [keyboard])
    x = 14 + chip_w + 8
    width = 346 - x

    def layout(size):
        line = size * 17.5 / 13
        y = 76
        for title, _, _, text in sections:
            y += len(_rows(text, width, size)) * line + 7
            if title == "混色":
                y += 42
        return y, line

    # Longer translations are set smaller until the keys' rows end above the back button.
    size = 13.0
    y_end, line = layout(size)
    while active() != SOURCE_LANGUAGE and y_end + 2 + 2 * KEY_ROW + 11 > HELP_BOTTOM and size > 9:
        size -= 0.5
        y_end, line = layout(size)
    y = 76
    for title, colour, heading, text in sections:
        _chip(c, 14, y, heading, colour, chip_w)
        y = _paragraph(c, x, y, text, width, size, line) + 7
        if title == "混色":
            _mixing_row(c, y - 3)
            y += 42
    _chip(c, 14, y + 2, keyboard, (60, 66, 90), chip_w)
    column = max([120.0] + [_keycap_width(label, text) + 14 for label, text in keys[0::2]])
    for i, (label, text) in enumerate(keys):
        right = x + column - 6 if i % 2 == 0 else 360 - 8
        _keycap(c, x + (i % 2) * column, y + 2 + (i // 2) * KEY_ROW, label, text, right)
    # A full tube beside the keys, where they leave it room.
    keys_end = x + column + max(_keycap_width(label, text) for label, text in keys[1::2])
    if keys_end + 6 <= 304:
        c.paste(tube(9).resize((20, 79), Image.LANCZOS), 304, y - 18 if active() == SOURCE_LANGUAGE else y - 6)
    return c.finish()
