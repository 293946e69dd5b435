#!/usr/bin/python3
"""Regenerates every picture, button resource, icon and sound of the game, and the
contact sheet, from code. Deterministic: running it twice writes the same bytes.

    /usr/bin/python3 tools/make_assets.py [--out DIR] [--report FILE]

DIR (default: the repository) receives assets/Images, assets/resources,
assets/icons, assets/Sounds and docs/assets.png. Files whose bytes are unchanged
are left untouched. FILE receives, as JSON, what the test of the texts checks of the
drawing in each language (see language_report), so that it needs no drawing of its own.

Pictures with words are drawn in Chinese (the msgids of po/quandrel.pot) and
again for every translation po/LL.po: assets/Images/LL/<name>,
assets/resources/LL/<id>.png and the sheet docs/assets-LL.png.
"""
import argparse
import functools
import io
import json
import multiprocessing
import os
import sys

from PIL import Image

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artkit import catalogue, icons, sheet, words  # noqa: E402
from soundkit import sounds  # noqa: E402
from soundkit.synth import RATE  # noqa: E402
from soundkit.wav import to_pcm16, wav_bytes  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
JPEG_QUALITY = 92


def encode(picture, name):
    """The file bytes of a picture, by its extension, with fixed encoder settings.
    The help's pages, flat colours and type, keep 256 colours: a quarter of the bytes."""
    buf = io.BytesIO()
    if os.path.basename(name) in catalogue.PALETTED:
        picture.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE).save(
            buf, format="PNG", compress_level=9)
    elif name.endswith(".jpg"):
        picture.convert("RGB").save(buf, format="JPEG", quality=JPEG_QUALITY, subsampling=0,
                                    optimize=False, progressive=False)
    else:
        opaque = picture.mode == "RGB" or picture.getchannel("A").getextrema() == (255, 255)
        picture.convert("RGB" if opaque else "RGBA").save(buf, format="PNG", compress_level=9)
    return buf.getvalue()


class Writer:
    """Writes files under a root, skipping those whose bytes are already right."""

    def __init__(self, root):
        self.root = root
        self.changed = 0
        self.total = 0

    def write(self, relative, data):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.total += 1
        if os.path.exists(path):
            with open(path, "rb") as f:
                if f.read() == data:
                    return
        with open(path, "wb") as f:
            f.write(data)
        self.changed += 1


def check_size(label, picture, size):
    if picture.size != tuple(size):
        raise ValueError(f"{label} is {picture.size}, the catalogue says {size}")


SIZES = {name: size for name, size, _ in catalogue.IMAGES}


def picture_files(images, resources, folder=""):
    """[(path under the root, file bytes)] of the pictures, checked against the catalogue's sizes."""
    files = []
    for name, picture, _ in images:
        check_size(name, picture, SIZES[name])
        files.append((os.path.join("assets", "Images", folder, name), encode(picture, name)))
    for rid, (picture, _) in sorted(resources.items()):
        check_size(f"resource {rid}", picture, catalogue.RESOURCE_SIZES[rid])
        files.append((os.path.join("assets", "resources", folder, f"{rid}.png"), encode(picture, ".png")))
    return files


def catalogue_warnings(code):
    """Warnings about texts a translation lacks or no longer needs."""
    template = {e.key for e in words.messages(words.read(os.path.join(words.PO_DIR, words.TEMPLATE)))}
    ours = {e.key for e in words.messages(words.read(words.translations()[code]))}
    return [f"warning: {msgid!r} is {what} po/{code}.po (msgmerge --update po/{code}.po po/quandrel.pot)"
            for what, keys in (("missing from", template - ours), ("obsolete in", ours - template))
            for ctxt, msgid in sorted(keys, key=str)]


def start_language(code):
    words.LANGUAGE.use(code)
    words.LANGUAGE.used.clear()
    words.LANGUAGE.untranslated.clear()
    catalogue.LINES.clear()


def language_report(images, resources):
    """The catalogue texts the active language's pictures asked for, those it left
    untranslated, and each picture's words and lines (text, ink, box, canvas size, size)."""
    def keys(found):
        return sorted(([ctxt, msgid] for ctxt, msgid in found), key=str)
    pictures = {str(name): {"words": has_words, "lines": catalogue.LINES[name]}
                for name, has_words in [(n, w) for n, _, w in images] + [(r, w) for r, (_, w) in resources.items()]}
    return {"used": keys(words.LANGUAGE.used), "untranslated": keys(words.LANGUAGE.untranslated),
            "pictures": pictures}


def translation(wordy, code):
    """Draws the pictures that carry words (wordy) in translation code, with its sheet:
    (code, [(path, bytes)], its language_report, warnings)."""
    warnings = catalogue_warnings(code)
    start_language(code)
    images, resources = catalogue.pictures(wordy)
    report = language_report(images, resources)
    warnings += [f"warning: po/{code}.po does not translate {msgid!r}; its pictures keep the Chinese"
                 for ctxt, msgid in sorted(words.LANGUAGE.untranslated, key=str)]
    files = picture_files(images, resources, code)
    page = sheet.language_sheet(code, [(n, p) for n, p, _ in images], {r: p for r, (p, _) in resources.items()})
    files.append((os.path.join("docs", f"assets-{code}.png"), encode(page, ".png")))
    return code, files, report, warnings


def source_files(images, resources):
    """[(path, bytes)] of the Chinese pictures, the icons, the sounds and the contact sheet."""
    files = picture_files(images, resources)
    icon_list = []
    for size in icons.ICON_SIZES:
        name = f"quandrel-{size}.png"
        picture = icons.icon(size)
        files.append((os.path.join("assets", "icons", name), encode(picture, name)))
        icon_list.append((name, picture))
    for size in icons.WEB_ICON_SIZES:
        name = f"quandrel-{size}.png"
        files.append((os.path.join("assets", "icons", name), encode(icons.icon(size), name)))
    waves = []
    for name, samples in sounds().items():
        files.append((os.path.join("assets", "Sounds", name), wav_bytes(samples)))
        waves.append((name, to_pcm16(samples), RATE))
    page = sheet.contact_sheet([(n, p) for n, p, _ in images], {r: p for r, (p, _) in resources.items()},
                               icon_list, waves)
    files.append((os.path.join("docs", "assets.png"), encode(page, ".png")))
    return files


def build(root, report):
    """Writes everything under root; fills report with language_report per language.

    The Chinese pictures are drawn first, which draws every language's scenery once;
    worker processes forked after that draw the translations, one language each at a
    time, while this process encodes the Chinese files."""
    out = Writer(root)
    start_language(words.SOURCE_LANGUAGE)
    images, resources = catalogue.pictures()
    report[words.SOURCE_LANGUAGE] = language_report(images, resources)
    wordy = {name for name, _, has_words in images if has_words}
    wordy |= {rid for rid, (_, has_words) in resources.items() if has_words}
    codes = words.languages()[1:]
    with multiprocessing.get_context("fork").Pool(min(len(codes), os.cpu_count() or 1)) as pool:
        translations = pool.imap(functools.partial(translation, wordy), codes)
        for path, data in source_files(images, resources):
            out.write(path, data)
        for code, files, language, warnings in translations:
            for line in warnings:
                print(line, file=sys.stderr)
            report[code] = language
            for path, data in files:
                out.write(path, data)
    return out


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=REPO, help="root directory to write into (default: the repository)")
    parser.add_argument("--report", help="file to write the texts drawn in each language to, as JSON")
    args = parser.parse_args(argv)
    report = {}
    out = build(os.path.abspath(args.out), report)
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            json.dump(report, f, ensure_ascii=False)
    print(f"{out.total} files, {out.changed} changed, under {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
