"""Fonts, glyph-coverage checks and text masks for the canvas.

Pillow draws a character that a font lacks as the font's empty-box glyph without
any warning, so every string goes through `require_glyphs` before it is drawn.
"""
from functools import lru_cache

from PIL import ImageFont

from . import words
from .canvas import SCALE, Canvas, dilate, exact_ink

CJK = ("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0)
LATIN_BOLD = ("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 0)
LATIN_BODY = ("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf", 0)
# DejaVu's bold strokes are already heavy: the extra weight the CJK face is
# given by dilation is scaled down when a Latin face stands in for it.
LATIN_WEIGHT = 0.35
# Below this size shrinking text to fit would make it unreadable.
SMALLEST = 7.0

# Every line drawn by draw_text since the last clear: (text, bounding box of its
# ink in final pixels or None, the box it had to stay in or None, the canvas size,
# the size it was drawn at).
DRAWN = []


class MissingGlyph(Exception):
    pass


class TextDoesNotFit(ValueError):
    pass


@lru_cache(maxsize=None)
def font(face, size):
    path, index = face
    return ImageFont.truetype(path, int(round(size)), index=index)


@lru_cache(maxsize=None)
def _notdef(face):
    m = font(face, 48).getmask("\U0010FFFD")
    return m.size, bytes(m)


@lru_cache(maxsize=None)
def _has_glyph(face, ch):
    m = font(face, 48).getmask(ch)
    return m.getbbox() is not None and (m.size, bytes(m)) != _notdef(face)


def require_glyphs(face, text):
    """Raises MissingGlyph naming every character of text that face cannot draw."""
    missing = [ch for ch in sorted(set(text)) if not ch.isspace() and not _has_glyph(face, ch)]
    if missing:
        raise MissingGlyph(f"{face[0]} lacks {''.join(missing)!r}")


def covers(face, text):
    try:
        require_glyphs(face, text)
    except MissingGlyph:
        return False
    return True


def face_for(text, face=CJK, latin=LATIN_BOLD):
    """The face a text is drawn in: Chinese pictures keep the CJK face; in other
    languages a Latin face replaces it whenever that face has every glyph."""
    if face == CJK and words.active() != words.SOURCE_LANGUAGE and covers(latin, text):
        return latin
    return face


@lru_cache(maxsize=None)
def text_width(face, size, text):
    return font(face, size * SCALE).getlength(text) / SCALE


def text_mask(canvas: Canvas, text, x, y, size, face=CJK, anchor="mm", bold=0.0, mask=None):
    """Mask of one line of text; (x, y) is the anchor point in final pixels."""
    require_glyphs(face, text)
    # Several lines ("\n") stand centred on each other.
    m = canvas.text(text, canvas.s(x), canvas.s(y), font(face, size * SCALE), anchor, mask)
    if bold > 0:
        m = dilate(m, canvas.s(bold))
    return m


def _ink_box(box, margin):
    if box is None:
        return None
    return (box[0] / SCALE - margin, box[1] / SCALE - margin, box[2] / SCALE + margin, box[3] / SCALE + margin)


def _inside(ink, box):
    return ink is None or (ink[0] >= box[0] and ink[1] >= box[1] and ink[2] <= box[2] and ink[3] <= box[3])


def draw_text(canvas, text, x, y, size, fill, face=CJK, anchor="mm", bold=0.0,
              outline=None, outline_width=0.0, shadow=None, latin=LATIN_BOLD, box=None, smallest=SMALLEST):
    """Draws one line of text, optionally with an outline and a drop shadow.

    latin is the face that stands in for the CJK face in other languages, or a
    list of faces to try in turn, wide to narrow. box (x0, y0, x1, y1), in final
    pixels, is where the ink (outline included) must stay: a text too wide for it
    takes the next narrower face, then is drawn smaller until it fits, never clipped,
    and never below smallest: a text that would need that is refused (TextDoesNotFit)."""
    margin = outline_width if outline is not None else 0.0
    weight = bold
    for stand_in in (latin if isinstance(latin, list) else [latin]):
        used = face_for(text, face, stand_in)
        bold = weight * LATIN_WEIGHT if used != face else weight
        m = text_mask(canvas, text, x, y, size, used, anchor, bold)
        drawn = exact_ink(m)
        ink = _ink_box(drawn, margin)
        if used == face or box is None or _inside(ink, box):
            break
    face = used
    while box is not None and not _inside(ink, box):
        if size * 0.95 < smallest:
            raise TextDoesNotFit(f"{text!r} does not fit {box} even at {size:.1f} px")
        size *= 0.95
        m = text_mask(canvas, text, x, y, size, face, anchor, bold)
        drawn = exact_ink(m)
        ink = _ink_box(drawn, margin)
    DRAWN.append((text, ink, box, (canvas.w, canvas.h), size))
    if shadow is not None:
        dx, dy, colour = shadow
        sm = text_mask(canvas, text, x + dx, y + dy, size, face, anchor, bold)
        if outline is not None:
            sm = dilate(sm, canvas.s(outline_width))
        canvas.paint(sm, colour)
    canvas.shape(m, fill, outline=outline, width=outline_width if outline is not None else 0, box=drawn)


def _breaks_anywhere(ch):
    """Chinese and Japanese characters (ideographs, kana, CJK punctuation and
    full-width forms): a line may end after any of them."""
    code = ord(ch)
    return 0x2E80 <= code <= 0x9FFF or 0xF900 <= code <= 0xFAFF or 0xFF00 <= code <= 0xFFEF


def _word_character(ch):
    """Part of a word that must not be broken: letters of alphabets (Latin,
    Cyrillic, Hangul), digits and punctuation between spaces. A no-break space
    joins its neighbours into one word."""
    if ch == "\u00a0":
        return True
    return not ch.isspace() and not _breaks_anywhere(ch)


def wrap(text, size, width, face=CJK):
    """Splits text into lines no wider than width. Chinese and Japanese break
    between any two characters, but a word of letters or digits stays whole,
    spaces end lines, closing punctuation never starts a line and opening
    punctuation never ends one."""
    # Japanese small kana and the long-vowel mark never start a line either.
    closing = "，。、；：！？）」』”’,.;:!?)ーぁぃぅぇぉっゃゅょァィゥェォッャュョ"
    opening = "（「『“‘(["
    tokens, run = [], ""
    for ch in text:
        if _word_character(ch) and not (run == "" and ch in closing and tokens):
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
            carried = cur[-1] if len(cur) > 1 and cur[-1] in opening else ""
            lines.append(cur[:len(cur) - len(carried)])
            cur = carried + tok.lstrip()
        else:
            cur += tok
    if cur:
        lines.append(cur)
    return lines
