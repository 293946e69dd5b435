"""The contact sheet: every picture labelled, at its size and enlarged, and every
sound as a labelled waveform, on one page."""
import numpy as np
from PIL import Image, ImageDraw

from .text import LATIN_BOLD, font

WIDTH = 1600
PAD = 14
LABEL_H = 18
INK = (46, 36, 72)


def _checker(w, h, cell=8):
    yy, xx = np.mgrid[0:h, 0:w]
    light = ((xx // cell + yy // cell) % 2 == 0)[:, :, None]
    arr = np.where(light, np.array([236, 238, 244, 255]), np.array([214, 218, 228, 255]))
    return Image.fromarray(arr.astype(np.uint8), "RGBA")


def _zoom_for(picture):
    side = max(picture.size)
    if side <= 50:
        return 3
    if side <= 160:
        return 2
    if picture.height <= 10:
        return 2
    return 1


def _cell(label, picture):
    """A labelled cell: the picture at size, then enlarged when it is small."""
    zoom = _zoom_for(picture)
    views = [picture]
    if zoom > 1:
        views.append(picture.resize((picture.width * zoom, picture.height * zoom), Image.NEAREST))
    stacked = picture.height <= 10
    if stacked:
        w = max(v.width for v in views)
        h = sum(v.height + 6 for v in views)
    else:
        w = sum(v.width for v in views) + 8 * (len(views) - 1)
        h = max(v.height for v in views)
    text = f"{label}  {picture.width}x{picture.height}" + (f"  x1, x{zoom}" if zoom > 1 else "")
    w = max(w, int(font(LATIN_BOLD, 12).getlength(text)) + 2)
    cell = Image.new("RGBA", (w, h + LABEL_H), (255, 255, 255, 255))
    ImageDraw.Draw(cell).text((0, 2), text, fill=INK, font=font(LATIN_BOLD, 12))
    x, y = 0, LABEL_H
    for v in views:
        rgba = v.convert("RGBA")
        back = _checker(rgba.width, rgba.height)
        back.alpha_composite(rgba)
        cell.paste(back, (x, y))
        if stacked:
            y += v.height + 6
        else:
            x += v.width + 8
    return cell


def _wave_cell(name, samples, rate):
    w, h = 300, 64
    cell = Image.new("RGBA", (w, h + LABEL_H), (255, 255, 255, 255))
    d = ImageDraw.Draw(cell)
    d.text((0, 2), f"{name}  {len(samples) / rate:.2f} s", fill=INK, font=font(LATIN_BOLD, 12))
    d.rectangle([0, LABEL_H, w - 1, LABEL_H + h - 1], fill=(236, 238, 244))
    mono = samples.mean(axis=1) if samples.ndim == 2 else samples
    cols = np.array_split(np.abs(mono.astype(np.float32)) / 32768.0, w)
    mid = LABEL_H + h / 2
    for x, col in enumerate(cols):
        peak = float(col.max()) if len(col) else 0.0
        d.line([(x, mid - peak * h / 2), (x, mid + peak * h / 2)], fill=(60, 140, 232))
    return cell


def _flow(sections):
    """Places each section's cells in rows; returns the page."""
    placed, y = [], PAD
    for title, cells in sections:
        placed.append(("title", title, PAD, y))
        y += 30
        x, row_h = PAD, 0
        for cell in cells:
            if x + cell.width > WIDTH - PAD and x > PAD:
                x, y = PAD, y + row_h + PAD
                row_h = 0
            placed.append(("cell", cell, x, y))
            x += cell.width + PAD
            row_h = max(row_h, cell.height)
        y += row_h + 2 * PAD
    page = Image.new("RGB", (WIDTH, y), (255, 255, 255))
    d = ImageDraw.Draw(page)
    for kind, item, x, yy in placed:
        if kind == "title":
            d.text((x, yy), item, fill=INK, font=font(LATIN_BOLD, 20))
            d.line([(x, yy + 26), (WIDTH - PAD, yy + 26)], fill=(200, 204, 216), width=2)
        else:
            page.paste(item.convert("RGB"), (x, yy))
    return page


def contact_sheet(images, resources, icons, sounds):
    """images: [(name, picture)]; resources: {id: picture}; icons: [(name, picture)];
    sounds: [(name, samples int16, rate)]."""
    sections = [
        ("Images/ (files beside the executable)", [_cell(n, p) for n, p in images]),
        ("resources/ (PNG resources by id)", [_cell(str(i), resources[i]) for i in sorted(resources)]),
        ("icons/ (desktop icons)", [_cell(n, p) for n, p in icons]),
        ("Sounds/", [_wave_cell(n, s, r) for n, s, r in sounds]),
    ]
    return _flow(sections)


def language_sheet(code, images, resources):
    """The pictures with words in one translation: images [(name, picture)], resources {id: picture}."""
    sections = [
        (f"Images/{code}/ (pictures with words)", [_cell(n, p) for n, p in images]),
        (f"resources/{code}/ (button resources with words)", [_cell(str(i), resources[i]) for i in sorted(resources)]),
    ]
    return _flow(sections)
