"""The help in pages (360 x 560 each, shown at 60, 80): the rules, the keys and
pad buttons, and the switches of the options panel. Every language has the
same pages with the same sections; its words are set at BODY px or larger, and a
translation too long for its page is refused rather than set smaller.

The bottom row of a page is left free for the buttons the game lays there:
previous at (12, 520), next at (152, 520), 56 x 40, and back at (230, 520),
65 x 40; the page dots stand between previous and next."""
from PIL import Image

from .canvas import Canvas
from .palette import COLOUR, INK, WHITE, RED, YELLOW, BLUE, ORANGE, GREEN, PURPLE
from .panels import HEADER, card, card_title
from .pieces import key, preview
from .text import CJK, LATIN_BODY, LATIN_BOLD, TextDoesNotFit, draw_text, face_for, text_width, wrap
from .words import active, tr

# The smallest size of any word on a help page, and the size tried first.
BODY = 16.0
PREFERRED = 19.0
LEFT, RIGHT = 16, 344
TOP, BOTTOM = 70, 512
GREY = (120, 128, 150)
DARK = (60, 66, 90)
PREVIOUS_BUTTON = (12, 520, 56, 40)
NEXT_BUTTON = (152, 520, 56, 40)
BACK_BUTTON = (230, 520, 65, 40)


def _line_height(size):
    return round(size * 1.32, 2)


def _text(c, text, x, y, size, fill=INK, anchor="lm", **kw):
    draw_text(c, text, x, y, size, fill, anchor=anchor, latin=LATIN_BODY, smallest=BODY, **kw)


class Heading:
    """A coloured chip with a heading."""

    def __init__(self, text, colour):
        self.text, self.colour = text, colour

    def height(self, size):
        return size + 14

    def draw(self, c, y, size):
        face = face_for(self.text, CJK, LATIN_BODY)
        w = text_width(face, size, self.text) + 22
        c.shape(c.rect(LEFT, y + 2, LEFT + w, y + size + 10, radius=(size + 8) / 2), self.colour, width=1.2)
        _text(c, self.text, LEFT + w / 2, y + size / 2 + 6.5, size, WHITE, anchor="mm", bold=0.35, outline=INK,
              outline_width=1.0, box=(LEFT, y, RIGHT, y + size + 12))


class Paragraph:
    def __init__(self, text):
        self.text = text

    def _rows(self, size):
        # Room at the end of a line for a closing mark, which never starts one.
        return wrap(self.text, size, RIGHT - LEFT - 4 - size, face_for(self.text, CJK, LATIN_BODY))

    def height(self, size):
        return len(self._rows(size)) * _line_height(size) + 8

    def draw(self, c, y, size):
        line = _line_height(size)
        for row in self._rows(size):
            _text(c, row, LEFT + 2, y + line / 2, size, bold=0.1, box=(LEFT, 0, RIGHT + 2, BOTTOM))
            y += line


class Mixing:
    """The three mixing rules side by side: drop + drop = drop."""

    def height(self, size):
        return 44

    def draw(self, c, y, size):
        rules = ((RED, YELLOW, ORANGE), (YELLOW, BLUE, GREEN), (RED, BLUE, PURPLE))
        for i, (a, b, m) in enumerate(rules):
            x = 22 + i * 110
            for dx, col in ((0, a), (34, b), (74, m)):
                c.paste(preview(col).resize((24, 32), Image.LANCZOS), x + dx, y + 2)
            _text(c, "+", x + 29, y + 20, size, anchor="mm", face=LATIN_BOLD)
            _text(c, "=", x + 67, y + 20, size, anchor="mm", face=LATIN_BOLD)


class Keys:
    """The eight keys of a level in a row."""

    def height(self, size):
        return 42

    def draw(self, c, y, size):
        for k in range(8):
            c.paste(key(k), LEFT + 4 + k * 40, y + 2)


class Caps:
    """Keys or pad buttons with what they do, in two columns when they fit."""
    GAP = 7

    def __init__(self, entries, pad=False):
        self.entries, self.pad = entries, pad

    def _cap_width(self, label, size):
        if self.pad and len(label) == 1:
            return size + 12
        if label == "dpad":
            return size + 14
        return max(size + 12, text_width(face_for(label, CJK, LATIN_BOLD), size, label) + 14)

    def _width(self, entry, size):
        label, text = entry
        return self._cap_width(label, size) + self.GAP + text_width(face_for(text, CJK, LATIN_BODY), size, text)

    def _columns(self, size):
        """The left column's width, or None for a single column."""
        column = max(self._width(e, size) for e in self.entries[0::2]) + 18
        right = max(self._width(e, size) for e in self.entries[1::2])
        return column if LEFT + 4 + column + right <= RIGHT else None

    def _row(self, size):
        return size + 17

    def height(self, size):
        rows = (len(self.entries) + 1) // 2 if self._columns(size) else len(self.entries)
        return rows * self._row(size) + 6

    def _cap(self, c, x, y, label, size):
        w = self._cap_width(label, size)
        h = size + 11
        top = y - h / 2
        if self.pad and len(label) == 1:
            colours = {"A": COLOUR[GREEN], "B": COLOUR[RED], "X": COLOUR[BLUE], "Y": COLOUR[YELLOW]}
            c.shape(c.ellipse(x + w / 2, y, h / 2), colours[label], width=1.2)
            _text(c, label, x + w / 2, y, size, WHITE, anchor="mm", face=LATIN_BOLD, outline=INK, outline_width=1.0)
            return w
        c.shape(c.rect(x, top, x + w, top + h, radius=5), (240, 242, 248), width=1.2)
        c.paint(c.rect(x + 2, top + h - 5, x + w - 2, top + h - 1.5, radius=2), (200, 204, 216))
        if label == "dpad":
            arm = h * 0.36
            cross = Canvas.union(c.rect(x + w / 2 - arm, y - 3.5, x + w / 2 + arm, y + 3.5 - 2, radius=1.5),
                                 c.rect(x + w / 2 - 3.5, y - arm - 1, x + w / 2 + 3.5, y + arm - 2, radius=1.5))
            c.paint(cross, DARK)
        else:
            _text(c, label, x + w / 2, y - 1, size, anchor="mm", face=LATIN_BOLD if label.isascii() else CJK)
        return w

    def draw(self, c, y, size):
        column = self._columns(size)
        row = self._row(size)
        for i, (label, text) in enumerate(self.entries):
            x = LEFT + 4 + (i % 2) * column if column else LEFT + 4
            cy = y + row / 2 + (i // 2 if column else i) * row
            w = self._cap(c, x, cy, label, size)
            _text(c, text, x + w + self.GAP, cy, size, bold=0.15)


def _section(heading, colour, text, context=None):
    return [Heading(tr(heading, context) if context else tr(heading), colour), Paragraph(tr(text))]


def _pages():
    """Each page's blocks; the last page, on the options panel, has that panel's title."""
    move, shoot, claim, repair, buy, back = (tr(t) for t in ("移动", "发射", "营救", "修复", "买弹", "返回"))
    repeat, status, tubes = (tr(t) for t in ("重复", "状态", "试管"))
    keyboard = [("←→", move), (tr("空格"), shoot), (tr("回车"), claim), ("R", repair), ("B", buy), ("Esc", back),
                ("A", repeat), ("S", status), ("T", tubes)]
    pad = [("dpad", move), ("A", shoot), ("Start", claim), ("X", repair), ("Y", buy), ("B", back),
           ("Back", status)]
    return [
        _section("目标", COLOUR[RED], "把颜色喷进下面的十支试管，集齐本关的钥匙，再按“营救”过关。")
        + _section("移动", COLOUR[GREEN], "点屏幕左半边或右半边，喷壶就向那边挪一格，也可以按住拖动。")
        + _section("发射", COLOUR[ORANGE], "按“发泄”，把“下一个”里的颜色喷进正下方的试管。"),
        _section("混色", COLOUR[PURPLE], "同色装满三格得50分和这个颜色的钥匙。两种原色混成间色；颜色不对试管就坏了，扣30分。")
        + [Mixing()]
        + _section("钥匙", COLOUR[YELLOW], "六色钥匙各一把；两种原色调满一管间色得彩虹钥匙；分数达到本关目标得金钥匙。")
        + [Keys()],
        _section("营救", COLOUR[RED], "钥匙集齐，左下角的笑脸亮起，按“营救”过关。第一关不要彩虹钥匙。")
        + _section("购买", COLOUR[BLUE], "各花50分：试管键修好一支坏试管，水滴键多买25发。")
        + _section("时间", GREY, "10秒不发射，底部的时间条就走完（选项里可以放宽）。时间走完、100发用完或试管全坏，游戏结束。"),
        [Heading(tr("键盘"), DARK), Caps(keyboard), Paragraph(tr("菜单里用方向键或Tab选按钮，回车按下。")),
         Heading(tr("手柄"), DARK), Caps(pad, pad=True)],
        _section("声音", COLOUR[ORANGE], "音效和背景音乐。")
        + _section("移动", COLOUR[GREEN], "喷壶平滑地滑过去，不再一格一格地跳。", "setting")
        + _section("时间条", GREY, "标准10秒，宽松30秒，不限时则时间条不走。宽松和不限时不记成绩。")
        + _section("振动", COLOUR[PURPLE], "试管坏掉、完成颜色和游戏结束时，手机或手柄会振动。")
        + _section("朗读", COLOUR[BLUE], "用语音读出游戏。"),
    ]


# The pages' file names under Images/, in order; the game shows them in this order.
PAGE_FILES = ["help.png", "help2.png", "help3.png", "help4.png", "help5.png"]


def _page_dots(c, page, count):
    middle = (PREVIOUS_BUTTON[0] + PREVIOUS_BUTTON[2] + NEXT_BUTTON[0]) / 2
    y = PREVIOUS_BUTTON[1] + PREVIOUS_BUTTON[3] / 2
    for i in range(count):
        x = middle + (i - (count - 1) / 2) * 15
        if i == page:
            c.shape(c.ellipse(x, y, 5), HEADER, width=1.2)
        else:
            c.paint(c.ellipse(x, y, 3.5), (180, 184, 200))


def _fits(blocks, size):
    return TOP + sum(b.height(size) for b in blocks) <= BOTTOM


def text_size(pages):
    """The one size of a language's pages: the largest from PREFERRED down to BODY,
    in half pixels, at which every page fits."""
    size = PREFERRED
    while not all(_fits(blocks, size) for blocks in pages):
        size -= 0.5
        if size < BODY:
            long = [n + 1 for n, blocks in enumerate(pages) if not _fits(blocks, BODY)]
            raise TextDoesNotFit(f"help pages {long} in {active()!r} do not fit at {BODY} px: shorten their texts")
    return size


def help_page(page):
    """Help page `page` (0-based) in the active language."""
    pages = _pages()
    if len(pages) != len(PAGE_FILES):
        raise ValueError("the help has a page without a file name, or a file name without a page")
    blocks = pages[page]
    size = text_size(pages)
    c = card(360, 560)
    card_title(c, tr("选项设置") if page == len(pages) - 1 else tr("游戏说明"))
    y = TOP
    for block in blocks:
        block.draw(c, y, size)
        y += block.height(size)
    _page_dots(c, page, len(PAGE_FILES))
    return c.finish()
