"""Supersampled RGBA drawing surface: shapes are drawn at 4x as masks, then reduced.

Coordinates passed to every method are final pixels (floats allowed); the canvas
multiplies them by SCALE, so shapes come out anti-aliased after `finish`.
"""
import math

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


def dilate(mask, radius):
    """Grows a mask by a disc of `radius` supersampled pixels (numpy, exact disc)."""
    return _dilated(mask, radius, mask.getbbox())[0]


def _dilated(mask, radius, box):
    """The grown mask and a box holding all of it, for a mask whose ink lies within `box`."""
    r = int(round(radius))
    if r <= 0 or box is None:
        return mask, box
    x0, y0 = max(0, box[0] - r), max(0, box[1] - r)
    x1, y1 = min(mask.width, box[2] + r), min(mask.height, box[3] + r)
    out = Image.new("L", mask.size, 0)
    out.paste(_dilate_array(np.asarray(mask.crop((x0, y0, x1, y1)), dtype=np.uint8), r), (x0, y0))
    return out, (x0, y0, x1, y1)


def _dilate_array(a, r):
    """Disc dilation of a 2-D uint8 array by radius r."""
    pad = np.pad(a, r)
    h, w = a.shape
    # Horizontal running maxima for every half-width 0..r.
    rows = [pad]
    cur = pad.copy()
    for k in range(1, r + 1):
        cur = np.maximum(cur, np.maximum(np.roll(pad, k, axis=1), np.roll(pad, -k, axis=1)))
        rows.append(cur.copy())
    out = np.zeros_like(pad)
    for dy in range(-r, r + 1):
        half = int(math.floor(math.sqrt(r * r - dy * dy)))
        out = np.maximum(out, np.roll(rows[half], dy, axis=0))
    return Image.fromarray(out[r:r + h, r:r + w])


class Canvas:
    """An RGBA picture of w x h final pixels, held at SCALE times that size."""

    def __init__(self, w, h, background=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.im = Image.new("RGBA", (w * SCALE, h * SCALE), rgba(background))

    # -- masks -----------------------------------------------------------
    def blank(self):
        return Image.new("L", self.im.size, 0)

    @staticmethod
    def s(v):
        return v * SCALE

    def ellipse(self, cx, cy, rx, ry=None, mask=None):
        ry = rx if ry is None else ry
        m = mask if mask is not None else self.blank()
        ImageDraw.Draw(m).ellipse(
            [self.s(cx - rx), self.s(cy - ry), self.s(cx + rx) - 1, self.s(cy + ry) - 1], fill=255)
        return m

    def rect(self, x0, y0, x1, y1, radius=0, mask=None):
        m = mask if mask is not None else self.blank()
        box = [self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1]
        if radius > 0:
            ImageDraw.Draw(m).rounded_rectangle(box, radius=self.s(radius), fill=255)
        else:
            ImageDraw.Draw(m).rectangle(box, fill=255)
        return m

    def poly(self, points, mask=None):
        m = mask if mask is not None else self.blank()
        ImageDraw.Draw(m).polygon([(self.s(x), self.s(y)) for x, y in points], fill=255)
        return m

    def line(self, points, width, mask=None, round_ends=True):
        m = mask if mask is not None else self.blank()
        d = ImageDraw.Draw(m)
        pts = [(self.s(x), self.s(y)) for x, y in points]
        d.line(pts, fill=255, width=int(round(self.s(width))), joint="curve")
        if round_ends:
            r = self.s(width) / 2
            for x, y in (pts[0], pts[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return m

    def arc(self, cx, cy, r, start, end, width, mask=None):
        m = mask if mask is not None else self.blank()
        pts = []
        steps = max(8, int(abs(end - start) / 6))
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return self.line(pts, width, mask=m)

    @staticmethod
    def union(*masks):
        out = masks[0]
        for m in masks[1:]:
            out = Image.fromarray(np.maximum(np.asarray(out), np.asarray(m)))
        return out

    @staticmethod
    def subtract(a, b):
        return Image.fromarray(np.clip(np.asarray(a, np.int16) - np.asarray(b, np.int16), 0, 255).astype(np.uint8))

    @staticmethod
    def intersect(a, b):
        return Image.fromarray(np.minimum(np.asarray(a), np.asarray(b)))

    # -- painting ----------------------------------------------------------
    def paint(self, mask, fill, box=None):
        """Composites `fill` (a colour, or an RGBA image of the canvas size) through mask.

        `box`, when given, holds all of the mask's ink: a larger box paints the same bytes,
        since the mask is clear around the ink, and spares a scan of the whole mask."""
        box = box or mask.getbbox()
        if box is None:
            return
        m = mask.crop(box)
        if isinstance(fill, Image.Image):
            src = fill.crop(box)
        else:
            src = Image.new("RGBA", m.size, rgba(fill))
        a = np.asarray(src, dtype=np.float32)[:, :, 3] * (np.asarray(m, dtype=np.float32) / 255.0)
        src = src.copy()
        src.putalpha(Image.fromarray(np.clip(a + 0.5, 0, 255).astype(np.uint8)))
        self.im.alpha_composite(src, dest=(box[0], box[1]))

    def shape(self, mask, fill, outline=OUTLINE, width=1.5, box=None):
        """Fills a mask with a cartoon outline of `width` final pixels around it; `box`, when
        known, is the mask's ink."""
        box = box or mask.getbbox()
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
        col = _ramp(stops, ys)
        arr = np.repeat(col[:, None, :], self.im.width, axis=1)
        return Image.fromarray(arr.astype(np.uint8), "RGBA")

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
