#!/usr/bin/python3
"""Regenerates every picture, button resource, icon and sound of the game, and the
contact sheet, from code. Deterministic: running it twice writes the same bytes.

    /usr/bin/python3 tools/make_assets.py [--out DIR]

DIR (default: the repository) receives assets/Images, assets/resources,
assets/icons, assets/Sounds and docs/assets.png. Files whose bytes are unchanged
are left untouched.
"""
import argparse
import io
import os
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artkit import catalogue, icons, sheet  # noqa: E402
from soundkit import sounds  # noqa: E402
from soundkit.synth import RATE  # noqa: E402
from soundkit.wav import to_pcm16, wav_bytes  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
JPEG_QUALITY = 92


def encode(picture, name):
    """The file bytes of a picture, by its extension, with fixed encoder settings."""
    buf = io.BytesIO()
    if name.endswith(".jpg"):
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


def build(root):
    out = Writer(root)
    images = []
    for name, size, draw in catalogue.IMAGES:
        picture = draw()
        check_size(name, picture, size)
        out.write(os.path.join("assets", "Images", name), encode(picture, name))
        images.append((name, picture))
    resources = catalogue.resources()
    for rid, picture in sorted(resources.items()):
        check_size(f"resource {rid}", picture, catalogue.RESOURCE_SIZES[rid])
        out.write(os.path.join("assets", "resources", f"{rid}.png"), encode(picture, ".png"))
    icon_list = []
    for size in icons.ICON_SIZES:
        name = f"quandrel-{size}.png"
        picture = icons.icon(size)
        out.write(os.path.join("assets", "icons", name), encode(picture, name))
        icon_list.append((name, picture))
    for size in icons.WEB_ICON_SIZES:
        name = f"quandrel-{size}.png"
        out.write(os.path.join("assets", "icons", name), encode(icons.icon(size), name))
    waves = []
    for name, samples in sounds().items():
        out.write(os.path.join("assets", "Sounds", name), wav_bytes(samples))
        waves.append((name, to_pcm16(samples), RATE))
    page = sheet.contact_sheet(images, resources, icon_list, waves)
    out.write(os.path.join("docs", "assets.png"), encode(page, ".png"))
    return out


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=REPO, help="root directory to write into (default: the repository)")
    args = parser.parse_args(argv)
    out = build(os.path.abspath(args.out))
    print(f"{out.total} files, {out.changed} changed, under {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
