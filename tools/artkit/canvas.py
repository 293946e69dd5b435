"""Supersampled RGBA drawing surface: shapes are drawn at 4x as masks, then reduced.

Coordinates passed to every method are final pixels (floats allowed); the canvas
multiplies them by SCALE, so shapes come out anti-aliased after `finish`.
"""
import math
from functools import lru_cache, wraps

import numpy as np
from PIL import Image, ImageDraw

SCALE = 4
OUTLINE = (46, 36, 72, 255)


def rgba(colour, alpha=255):
    """A colour as an RGBA tuple; accepts RGB or RGBA."""
    if len(colour) == 4:
        return tuple(colour)
    return (colour[0], colour[1], colour[2], alpha)


def mix(a, b, t):
    """Linear blend of two RGB(A) colours, t = 0 gives a."""
    a, b = rgba(a), rgba(b)
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


def lighter(colour, t):
    return mix(colour, (255, 255, 255, rgba(colour)[3]), t)


def darker(colour, t):
    return mix(colour, (0, 0, 0, rgba(colour)[3]), t)


# A mask made by a shape method carries `ink`: a box (supersampled pixels, clipped to
# the mask) that holds every pixel the shape methods have drawn into it, or None while
# it is empty. Painting, growing and combining then touch that box alone instead of
# scanning a whole mask. Any other mask (blank(), a picture's channel) is scanned once
# when needed; a mask drawn on by other means than the shape methods must be one of those.
def ink_box(mask):
    """A box holding all of the mask's nonzero pixels (maybe larger), or None."""
    return mask.ink if hasattr(mask, "ink") else mask.getbbox()


def exact_ink(mask):
    """The mask's bounding box of nonzero pixels, as Image.getbbox gives it."""
    box = ink_box(mask)
    if box is None:
        return None
    inside = mask.crop(box).getbbox()
    return None if inside is None else (box[0] + inside[0], box[1] + inside[1], box[0] + inside[2], box[1] + inside[3])


def empty_mask(size):
    """A new mask that keeps its ink box."""
    m = Image.new("L", size, 0)
    m.ink = None
    return m


def _clipped(box, size):
    x0, y0 = max(0, box[0]), max(0, box[1])
    x1, y1 = min(size[0], box[2]), min(size[1], box[3])
    return (x0, y0, x1, y1) if x0 < x1 and y0 < y1 else None


def _joined(a, b):
    if a is None or b is None:
        return a or b
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _mark(mask, x0, y0, x1, y1, margin=2):
    """Records that ink may now lie within (x0, y0)-(x1, y1), widened by margin, on a mask
    that keeps its ink box; returns the mask."""
    if hasattr(mask, "ink"):
        box = _clipped((math.floor(x0 - margin), math.floor(y0 - margin),
                        math.ceil(x1 + margin) + 1, math.ceil(y1 + margin) + 1), mask.size)
        mask.ink = _joined(mask.ink, box)
    return mask


def dilate(mask, radius):
    """Grows a mask by a disc of `radius` supersampled pixels (numpy, exact disc)."""
    return _dilated(mask, radius, ink_box(mask))[0]


def _dilated(mask, radius, box):
    """The grown mask and a box holding all of it, for a mask whose ink lies within `box`."""
    r = int(round(radius))
    if r <= 0 or box is None:
        return mask, box
    x0, y0 = max(0, box[0] - r), max(0, box[1] - r)
    x1, y1 = min(mask.width, box[2] + r), min(mask.height, box[3] + r)
    out = empty_mask(mask.size)
    out.paste(_dilate_array(np.asarray(mask.crop((x0, y0, x1, y1)), dtype=np.uint8), r), (x0, y0))
    out.ink = (x0, y0, x1, y1)
    return out, out.ink


def _through_mask(alpha, mask):
    """A fill's alpha (float32) through a mask (float32), rounded to bytes."""
    return np.clip(alpha * (mask / 255.0) + 0.5, 0, 255).astype(np.uint8)


@lru_cache(maxsize=None)
def _alpha_table(alpha):
    """_through_mask of a fill of one alpha for every mask value, by the same arithmetic:
    a lookup table that gives the formula's bytes."""
    values = np.arange(256, dtype=np.float32)
    return _through_mask(np.full(256, alpha, dtype=np.float32), values)


def _dilate_array(a, r):
    """Disc dilation of a 2-D uint8 array by radius r."""
    h, w = a.shape
    pad = np.pad(a, ((0, 0), (r, r)))
    # Horizontal running maxima for every half-width 0..r, on rows padded left and right.
    rows = [pad]
    cur = pad.copy()
    for k in range(1, r + 1):
        np.maximum(cur[:, k:], pad[:, :-k], out=cur[:, k:])
        np.maximum(cur[:, :-k], pad[:, k:], out=cur[:, :-k])
        rows.append(cur.copy())
    # Then each row takes the widest run of the rows within the disc above and below it.
    out = rows[r][:, r:r + w].copy()
    for dy in range(1, r + 1):
        run = rows[int(math.floor(math.sqrt(r * r - dy * dy)))][:, r:r + w]
        np.maximum(out[dy:], run[:-dy], out=out[dy:])
        np.maximum(out[:-dy], run[dy:], out=out[:-dy])
    return Image.fromarray(out)


def _combined(box, size, masks, combine):
    """A new mask: combine(crops of masks) within box (which holds all their ink), empty elsewhere."""
    out = empty_mask(size)
    if box is not None:
        out.paste(Image.fromarray(combine(*[np.asarray(m.crop(box)) for m in masks])), box[:2])
        out.ink = box
    return out


def drawn_once(draw):
    """For a function whose picture (or canvas) depends on its arguments alone, never on
    the language: draws each once and hands out copies, which callers may change."""
    kept = lru_cache(maxsize=None)(draw)

    @wraps(draw)
    def copy(*args):
        return kept(*args).copy()
    return copy


class Canvas:
    """An RGBA picture of w x h final pixels, held at SCALE times that size."""

    def __init__(self, w, h, background=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.im = Image.new("RGBA", (w * SCALE, h * SCALE), rgba(background))

    def copy(self):
        twin = Canvas.__new__(Canvas)
        twin.w, twin.h, twin.im = self.w, self.h, self.im.copy()
        return twin

    # -- masks -----------------------------------------------------------
    def blank(self):
        """An empty mask of the canvas's size, to draw on in any way (it keeps no ink box)."""
        return Image.new("L", self.im.size, 0)

    def _target(self, mask):
        """The mask a shape is drawn into: the one given, or a new one that keeps its ink box."""
        return mask if mask is not None else empty_mask(self.im.size)

    @staticmethod
    def s(v):
        return v * SCALE

    def ellipse(self, cx, cy, rx, ry=None, mask=None):
        ry = rx if ry is None else ry
        m = self._target(mask)
        box = [self.s(cx - rx), self.s(cy - ry), self.s(cx + rx) - 1, self.s(cy + ry) - 1]
        ImageDraw.Draw(m).ellipse(box, fill=255)
        return _mark(m, *box)

    def rect(self, x0, y0, x1, y1, radius=0, mask=None):
        m = self._target(mask)
        box = [self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1]
        if radius > 0:
            ImageDraw.Draw(m).rounded_rectangle(box, radius=self.s(radius), fill=255)
        else:
            ImageDraw.Draw(m).rectangle(box, fill=255)
        return _mark(m, *box)

    def poly(self, points, mask=None):
        m = self._target(mask)
        pts = [(self.s(x), self.s(y)) for x, y in points]
        ImageDraw.Draw(m).polygon(pts, fill=255)
        return _mark(m, min(x for x, _ in pts), min(y for _, y in pts), max(x for x, _ in pts), max(y for _, y in pts))

    def line(self, points, width, mask=None, round_ends=True):
        m = self._target(mask)
        d = ImageDraw.Draw(m)
        pts = [(self.s(x), self.s(y)) for x, y in points]
        d.line(pts, fill=255, width=int(round(self.s(width))), joint="curve")
        r = self.s(width) / 2
        if round_ends:
            for x, y in (pts[0], pts[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return _mark(m, min(x for x, _ in pts) - r, min(y for _, y in pts) - r,
                     max(x for x, _ in pts) + r, max(y for _, y in pts) + r)

    def arc(self, cx, cy, r, start, end, width, mask=None):
        m = self._target(mask)
        pts = []
        steps = max(8, int(abs(end - start) / 6))
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return self.line(pts, width, mask=m)

    def text(self, text, x, y, font, anchor, mask=None):
        """Mask of one line (or centred lines) of text at supersampled (x, y)."""
        m = self._target(mask)
        d = ImageDraw.Draw(m)
        d.text((x, y), text, fill=255, font=font, anchor=anchor, align="center")
        return _mark(m, *d.textbbox((x, y), text, font=font, anchor=anchor, align="center"), margin=4)

    @staticmethod
    def union(*masks):
        box = None
        for m in masks:
            box = _joined(box, ink_box(m))
        return _combined(box, masks[0].size, masks, lambda *crops: np.maximum.reduce(crops))

    @staticmethod
    def subtract(a, b):
        return _combined(ink_box(a), a.size, (a, b), lambda x, y: np.where(x > y, x - y, 0).astype(np.uint8))

    @staticmethod
    def intersect(a, b):
        box_a, box_b = ink_box(a), ink_box(b)
        box = None
        if box_a is not None and box_b is not None:
            box = _clipped((max(box_a[0], box_b[0]), max(box_a[1], box_b[1]),
                            min(box_a[2], box_b[2]), min(box_a[3], box_b[3])), a.size)
        return _combined(box, a.size, (a, b), np.minimum)

    # -- painting ----------------------------------------------------------
    def paint(self, mask, fill, box=None):
        """Composites `fill` (a colour, or an RGBA image of the canvas size) through mask.

        `box`, when given, holds all of the mask's ink: a larger box paints the same bytes,
        since the mask is clear around the ink, and spares a scan of the whole mask."""
        box = box or ink_box(mask)
        if box is None:
            return
        m = mask.crop(box)
        if isinstance(fill, Image.Image):
            src = fill.crop(box)
            src.putalpha(Image.fromarray(_through_mask(np.asarray(src.getchannel("A"), dtype=np.float32),
                                                       np.asarray(m, dtype=np.float32))))
        else:
            colour = rgba(fill)
            src = Image.new("RGBA", m.size, colour)
            src.putalpha(Image.fromarray(_alpha_table(colour[3])[np.asarray(m)]))
        self.im.alpha_composite(src, dest=(box[0], box[1]))

    def shape(self, mask, fill, outline=OUTLINE, width=1.5, box=None):
        """Fills a mask with a cartoon outline of `width` final pixels around it; `box`, when
        known, is the mask's ink."""
        box = box or ink_box(mask)
        if box is None:
            return
        if outline is not None and width > 0:
            grown, grown_box = _dilated(mask, self.s(width), box)
            see_through = not isinstance(fill, Image.Image) and rgba(fill)[3] < 255
            self.paint(self.subtract(grown, mask) if see_through else grown, outline, grown_box)
        self.paint(mask, fill, box)

    def paste(self, picture, x, y):
        """Composites a finished (final-size) RGBA picture at final pixel (x, y)."""
        big = picture.resize((picture.width * SCALE, picture.height * SCALE), Image.LANCZOS)
        self.im.alpha_composite(big.convert("RGBA"), dest=(int(self.s(x)), int(self.s(y))))

    # -- gradients ---------------------------------------------------------
    def vgradient(self, stops, y0=0, y1=None):
        """A full-canvas image with a vertical gradient through (t, colour) stops."""
        y1 = self.h if y1 is None else y1
        h = self.im.height
        ys = (np.arange(h, dtype=np.float32) / SCALE - y0) / max(1e-6, y1 - y0)
        column = Image.fromarray(_ramp(stops, ys).astype(np.uint8)[:, None, :], "RGBA")
        # Widened by copying: each row is one colour.
        return column.resize(self.im.size, Image.NEAREST)

    def radial(self, cx, cy, radius, stops):
        """A full-canvas image with a radial gradient around (cx, cy)."""
        hh, ww = self.im.height, self.im.width
        yy, xx = np.mgrid[0:hh, 0:ww].astype(np.float32)
        d = np.hypot(xx / SCALE - cx, yy / SCALE - cy) / radius
        return Image.fromarray(_ramp(stops, d).astype(np.uint8), "RGBA")

    def sunburst(self, cx, cy, rays, colour_a, colour_b):
        """Alternating wedges around (cx, cy), as a full-canvas image."""
        out = Image.new("RGBA", self.im.size, rgba(colour_a))
        d = ImageDraw.Draw(out)
        reach = 2 * (self.w + self.h)
        for i in range(rays):
            a0 = 2 * math.pi * (2 * i + 1) / (2 * rays)
            a1 = 2 * math.pi * (2 * i + 2) / (2 * rays)
            pts = [(cx, cy), (cx + reach * math.cos(a0), cy + reach * math.sin(a0)),
                   (cx + reach * math.cos(a1), cy + reach * math.sin(a1))]
            d.polygon([(self.s(x), self.s(y)) for x, y in pts], fill=rgba(colour_b))
        return out

    # -- output ------------------------------------------------------------
    def finish(self):
        """The final-size picture, reduced with premultiplied alpha (no dark fringes)."""
        small = self.im.convert("RGBa").resize((self.w, self.h), Image.BOX)
        return small.convert("RGBA")


def _ramp(stops, t):
    t = np.clip(t, 0.0, 1.0)
    pos = np.array([s[0] for s in stops], np.float32)
    cols = np.array([rgba(s[1]) for s in stops], np.float32)
    out = np.empty(t.shape + (4,), np.float32)
    for ch in range(4):
        out[..., ch] = np.interp(t, pos, cols[:, ch])
    return out
