"""Frames drawn by the headless game against stored golden pictures, with a
tolerance for small drawing differences, and every screen finished edge to
edge (no band of bare black). QUANDREL_UPDATE_GOLDEN=1 rewrites the goldens
from the current build (after a deliberate change of the art)."""

import os
import shutil
import unittest

from play_helpers import play
from quandrel_driver import MENU, SHOT_FLIGHT_MS, Game, read_png

GOLDEN_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
CHANNEL_TOLERANCE = 24         # a pixel counts as different beyond this in any channel
DIFFERENT_PIXELS_ALLOWED = 0.005
NEAR_BLACK = 16                # every channel at or below this
BLACK_ROW_SHARE = 0.9          # a row this much near-black is a bare band

SHOT = "screenshot {path}"
TIMED_OUT = ["command 220", "command 101 1", "wait %d" % SHOT_FLIGHT_MS, "wait 10000"]

# Scripts that end on the screen to take; SHOT marks where, when not at the end.
SCENES = {
    "splash": [],
    "menu": MENU,
    "settings": MENU + ["command 222"],
    "help": MENU + ["command 223"],
    "level1": MENU + ["command 220"],
    "gameover": MENU + TIMED_OUT + ["command 101 1", "wait 50"],
    "question": MENU + ["command 224", SHOT, "answer no"],
}


def scripted_frame(directory, name):
    game = Game()
    try:
        path = os.path.join(directory, name + ".png")
        script = SCENES[name] if SHOT in SCENES[name] else SCENES[name] + [SHOT]
        _, done = game.run([line.format(path=path) for line in script])
        if done.returncode != 0:
            raise RuntimeError("%s: %s" % (name, done.stderr))
        return path
    finally:
        game.close()


def passed_frame(directory):
    """The level-passed screen, reached by playing level 1 and claiming it."""
    game = Game()
    try:
        session = game.start()
        session.send(*MENU, "command 220")
        if play(session, until=lambda dump: dump["passLit"]) is None:
            raise RuntimeError("the player did not win level 1")
        path = os.path.join(directory, "passed.png")
        session.send("command 101 0", "screenshot " + path)
        if session.dump()["screen"] != "passed":
            raise RuntimeError("the claim did not pass the level")
        session.finish()
        return path
    finally:
        game.close()


class GoldenScreenshotTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = os.path.join(os.environ.get("TMPDIR", "/tmp"),
                                     "quandrel-frames-%d" % os.getpid())
        os.makedirs(cls.directory, exist_ok=True)
        cls.frames = {name: scripted_frame(cls.directory, name) for name in SCENES}
        cls.frames["passed"] = passed_frame(cls.directory)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.directory, ignore_errors=True)

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
        for i in range(0, len(pixels), 4):
            if any(abs(pixels[i + c] - golden_pixels[i + c]) > CHANNEL_TOLERANCE
                   for c in range(3)):
                different += 1
        self.assertLessEqual(different / (width * height), DIFFERENT_PIXELS_ALLOWED,
                             "%s: %d pixels differ" % (name, different))

    def test_frames_match_their_goldens(self):
        for name, path in self.frames.items():
            with self.subTest(scene=name):
                self.compare(name, path)

    def test_no_screen_shows_a_black_band(self):
        for name, path in self.frames.items():
            with self.subTest(scene=name):
                width, height, pixels = read_png(path)
                stride = width * 4
                black_rows = []
                for y in range(height):
                    row = pixels[y * stride:(y + 1) * stride]
                    dark = sum(1 for x in range(0, stride, 4) if max(row[x:x + 3]) <= NEAR_BLACK)
                    if dark >= BLACK_ROW_SHARE * width:
                        black_rows.append(y)
                self.assertEqual(black_rows, [], "%s: rows of bare black" % name)


if __name__ == "__main__":
    unittest.main()
