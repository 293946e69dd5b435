#!/usr/bin/python3
"""Packs the game's PNG icons into packaging/windows/quandrel.ico, the icon
Windows shows for quandrel.exe (an ICO file may hold PNG images as they are).

Usage: tools/make_windows_icon.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZES = (256, 128, 64)


def main():
    images = []
    for size in SIZES:
        with open(os.path.join(ROOT, "assets", "icons", "quandrel-%d.png" % size), "rb") as f:
            images.append((size, f.read()))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for size, data in images:
        side = 0 if size >= 256 else size  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset + len(bodies))
        bodies += data
    out = os.path.join(ROOT, "packaging", "windows", "quandrel.ico")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    main()
