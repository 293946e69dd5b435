"""Frames drawn by the headless game against stored golden pictures: every
screen in Chinese (NAME.png) and in English (NAME-en.png), the menu in every
other language (menu-LANG.png), every channel of
every pixel within one level of its golden (premultiplied blending may round
the other way), nothing looser, and each screen finished edge to edge (no band
of bare black); the level screen and the finale in Chinese only
(NAME.png), and so are the daily and watch screens, the maker and a received
board's screen (the leaderboard screen's, which needs a server, is compared in
test_leaderboard). QUANDREL_UPDATE_GOLDEN=1 rewrites the goldens from the
current build (after a deliberate change of the art)."""

import os
import shutil
import unittest

import numpy as np

from quandrel_driver import LANGUAGES, GameTestCase, read_png
from scenes import (BOARD_SCENES, DAILY_SCENES, RECORDS, RECORD_SCENES, SCENES, TODAY, board_scene_arguments, reach,
                    reach_record_scene)

GOLDEN_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
CHANNEL_TOLERANCE = 1          # levels any channel of any pixel may differ by
NEAR_BLACK = 16                # every channel at or below this
BLACK_ROW_SHARE = 0.9          # a row this much near-black is a bare band

FULL_TOUR = ("zh", "en")  # the languages every screen is compared in


def goldens():
    """(language, scene, golden name) of every frame compared."""
    for lang in LANGUAGES:
        suffix = "" if lang == "zh" else "-" + lang
        for scene in SCENES if lang in FULL_TOUR else ["menu"]:
            yield lang, scene, scene + suffix


def pixel_array(path):
    """The picture as a height x width x 4 array of channel levels."""
    width, height, pixels = read_png(path)
    return np.frombuffer(pixels, np.uint8).reshape(height, width, 4)


def black_rows(path):
    picture = pixel_array(path)
    dark = (picture[:, :, :3].max(axis=2) <= NEAR_BLACK).sum(axis=1)
    return [int(y) for y in np.nonzero(dark >= BLACK_ROW_SHARE * picture.shape[1])[0]]


class GoldenScreenshotTest(GameTestCase):
    def compare(self, name, path):
        golden = os.path.join(GOLDEN_DIR, name + ".png")
        if os.environ.get("QUANDREL_UPDATE_GOLDEN") == "1":
            os.makedirs(GOLDEN_DIR, exist_ok=True)
            shutil.copyfile(path, golden)
        frame, expected = pixel_array(path), pixel_array(golden)
        self.assertEqual(frame.shape, (720, 480, 4))
        self.assertEqual(expected.shape, frame.shape)
        steps = np.abs(frame.astype(np.int16) - expected.astype(np.int16)).max(axis=2)
        different, largest = int((steps > CHANNEL_TOLERANCE).sum()), int(steps.max())
        self.assertEqual(different, 0, "%s: %d pixels differ by more than %d (up to %d)"
                         % (name, different, CHANNEL_TOLERANCE, largest))

    def test_frames_match_their_goldens(self):
        for lang, scene, name in goldens():
            with self.subTest(scene=scene, lang=lang):
                game = self.new_game(lang=lang)
                session = self.new_session(game=game)
                reach(session, scene)
                path = os.path.join(game.directory, scene + ".png")
                session.send("screenshot " + path)
                session.dump()  # the frame is written once the game answers
                self.compare(name, path)
                if scene != "paused":  # the veil darkens the whole frame on purpose
                    self.assertEqual(black_rows(path), [], "%s: rows of bare black" % scene)

    def test_record_screens_match_their_goldens(self):
        for scene, (settings, _) in RECORD_SCENES.items():
            with self.subTest(scene=scene):
                game = self.new_game(settings, records=RECORDS)
                session = self.new_session(game=game)
                self.assertEqual(reach_record_scene(session, scene)["screen"], scene)
                path = os.path.join(game.directory, scene + ".png")
                session.send("screenshot " + path)
                session.dump()
                self.compare(scene, path)
                self.assertEqual(black_rows(path), [], "%s: rows of bare black" % scene)

    def test_daily_and_board_screens_match_their_goldens(self):
        scenes = [(scene, [], steps) for scene, steps in DAILY_SCENES.items()]
        scenes += [(scene, board_scene_arguments(scene), steps) for scene, (_, steps) in BOARD_SCENES.items()]
        for scene, arguments, steps in scenes:
            with self.subTest(scene=scene):
                game = self.new_game()
                game.env["QUANDREL_TODAY"] = TODAY
                game.arguments = arguments
                session = self.new_session(game=game)
                session.send(*steps)
                self.assertEqual(session.dump()["screen"], scene)
                path = os.path.join(game.directory, scene + ".png")
                session.send("screenshot " + path)
                session.dump()
                self.compare(scene, path)
                self.assertEqual(black_rows(path), [], "%s: rows of bare black" % scene)


if __name__ == "__main__":
    unittest.main()
