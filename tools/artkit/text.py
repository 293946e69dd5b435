"""Fonts, glyph-coverage checks and text masks for the canvas.

Pillow draws a character that a font lacks as the font's empty-box glyph without
any warning, so every string goes through `require_glyphs` before it is drawn.
"""
from functools import lru_cache

from PIL import ImageDraw, ImageFont

from .canvas import SCALE, Canvas, dilate

CJK = ("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0)
LATIN_BOLD = ("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 0)


class MissingGlyph(Exception):
    pass


@lru_cache(maxsize=None)
def font(face, size):
    path, index = face
    return ImageFont.truetype(path, int(round(size)), index=index)


@lru_cache(maxsize=None)
def _notdef(face):
    m = font(face, 48).getmask("\U0010FFFD")
    return m.size, bytes(m)


def require_glyphs(face, text):
    """Raises MissingGlyph naming every character of text that face cannot draw."""
    missing = []
    f = font(face, 48)
    for ch in sorted(set(text)):
        if ch.isspace():
            continue
        m = f.getmask(ch)
        if m.getbbox() is None or (m.size, bytes(m)) == _notdef(face):
            missing.append(ch)
    if missing:
        raise MissingGlyph(f"{face[0]} lacks {''.join(missing)!r}")


def text_width(face, size, text):
    return font(face, size * SCALE).getlength(text) / SCALE


def text_mask(canvas: Canvas, text, x, y, size, face=CJK, anchor="mm", bold=0.0, mask=None):
    """Mask of one line of text; (x, y) is the anchor point in final pixels."""
    require_glyphs(face, text)
    m = mask if mask is not None else canvas.blank()
    ImageDraw.Draw(m).text((canvas.s(x), canvas.s(y)), text, fill=255,
                           font=font(face, size * SCALE), anchor=anchor)
    if bold > 0:
        m = dilate(m, canvas.s(bold))
    return m


def draw_text(canvas, text, x, y, size, fill, face=CJK, anchor="mm", bold=0.0,
              outline=None, outline_width=0.0, shadow=None):
    """Draws one line of text, optionally with an outline and a drop shadow."""
    m = text_mask(canvas, text, x, y, size, face, anchor, bold)
    if shadow is not None:
        dx, dy, colour = shadow
        sm = text_mask(canvas, text, x + dx, y + dy, size, face, anchor, bold)
        if outline is not None:
            sm = dilate(sm, canvas.s(outline_width))
        canvas.paint(sm, colour)
    canvas.shape(m, fill, outline=outline, width=outline_width if outline is not None else 0)


def wrap(text, size, width, face=CJK):
    """Splits text into lines no wider than width. Chinese breaks between any two
    characters, but a run of Latin letters or digits stays whole and closing
    punctuation never starts a line."""
    closing = "，。、；：！？）」』”’,.;:!?)"
    tokens, run = [], ""
    for ch in text:
        if ch.isascii() and ch.isalnum():
            run += ch
            continue
        if run:
            tokens.append(run)
            run = ""
        tokens.append(ch)
    if run:
        tokens.append(run)
    lines, cur = [], ""
    for tok in tokens:
        if tok == "\n":
            lines.append(cur)
            cur = ""
        elif cur and tok not in closing and text_width(face, size, cur + tok) > width:
            lines.append(cur)
            cur = tok.lstrip()
        else:
            cur += tok
    if cur:
        lines.append(cur)
    return lines
