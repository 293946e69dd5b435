"""Checks that the asset generator, run into a fresh directory (made_assets.py), that it reproduces the
committed files byte for byte, the pictures of every language included (so the
generator is deterministic and the committed assets are what it makes), and that
its glyph check refuses a character a font cannot draw."""
import filecmp
import glob
import os
import sys
import unittest

import made_assets

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
TOOLS = os.path.join(ROOT, "tools")
GENERATED = [os.path.join("assets", d) for d in ("Images", "resources", "icons", "Sounds")]


def listing(root):
    out = set()
    for top in GENERATED:
        base = os.path.join(root, top)
        for folder, _, names in os.walk(base):
            for name in names:
                out.add(os.path.relpath(os.path.join(folder, name), root))
    for sheet in glob.glob(os.path.join(root, "docs", "assets*.png")):
        out.add(os.path.relpath(sheet, root))
    return out


class Regeneration(unittest.TestCase):
    def test_a_fresh_run_reproduces_every_committed_file(self):
        fresh = made_assets.directory()
        made, committed = listing(fresh), listing(ROOT)
        self.assertEqual(made, committed)
        differing = [p for p in sorted(made)
                     if not filecmp.cmp(os.path.join(fresh, p), os.path.join(ROOT, p), shallow=False)]
        self.assertEqual(differing, [], "regenerated files differ from the committed ones")

    def test_glyph_check_refuses_a_character_the_font_lacks(self):
        sys.dont_write_bytecode = True
        sys.path.insert(0, TOOLS)
        try:
            from artkit.text import CJK, LATIN_BOLD, MissingGlyph, require_glyphs
        finally:
            sys.path.remove(TOOLS)
        require_glyphs(CJK, "开始游戏 返回设置 ←→")
        with self.assertRaises(MissingGlyph):
            require_glyphs(LATIN_BOLD, "R开")


if __name__ == "__main__":
    unittest.main()
