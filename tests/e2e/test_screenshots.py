"""Frames drawn by the headless game against stored golden pictures: every
channel of every pixel within one level (premultiplied blending may round the
other way), nothing looser. QUANDREL_UPDATE_GOLDEN=1 rewrites the goldens from
the current build (after a deliberate change of the art)."""

import os
import shutil
import unittest

from quandrel_driver import MENU, GameTestCase, read_png

GOLDEN_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
CHANNEL_TOLERANCE = 1  # levels any channel of any pixel may differ by

SCENES = {
    "menu": MENU,
    "settings": MENU + ["command 222"],
    "level1": MENU + ["command 220"],
}


class GoldenScreenshotTest(GameTestCase):
    def compare(self, name, path):
        golden = os.path.join(GOLDEN_DIR, name + ".png")
        if os.environ.get("QUANDREL_UPDATE_GOLDEN") == "1":
            os.makedirs(GOLDEN_DIR, exist_ok=True)
            shutil.copyfile(path, golden)
        width, height, pixels = read_png(path)
        golden_width, golden_height, golden_pixels = read_png(golden)
        self.assertEqual((width, height), (480, 720))
        self.assertEqual((golden_width, golden_height), (width, height))
        different = 0
        largest = 0
        for i in range(0, len(pixels), 4):
            step = max(abs(pixels[i + c] - golden_pixels[i + c]) for c in range(4))
            largest = max(largest, step)
            different += step > CHANNEL_TOLERANCE
        self.assertEqual(different, 0, "%s: %d pixels differ by more than %d (up to %d)"
                         % (name, different, CHANNEL_TOLERANCE, largest))

    def test_frames_match_their_goldens(self):
        for name, script in SCENES.items():
            with self.subTest(scene=name):
                game = self.new_game()
                path = os.path.join(game.directory, name + ".png")
                self.run_script(script + ["screenshot " + path], game=game)
                self.compare(name, path)


if __name__ == "__main__":
    unittest.main()
