"""Checks the committed pictures: every file and resource the game loads exists,
decodes and has its size; every translation has its own copy of each picture with
words; sprites are see-through around their shapes; the score and level boxes of
the board carry white text; every colour is told apart by its symbol as well as
its hue."""
import glob
import itertools
import os
import unittest

import numpy as np
from PIL import Image

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
IMAGES = os.path.join(ROOT, "assets", "Images")
RESOURCES = os.path.join(ROOT, "assets", "resources")
ICONS = os.path.join(ROOT, "assets", "icons")
# Every po/LL.po is a translation with its own pictures in Images/LL and resources/LL.
TRANSLATIONS = sorted(os.path.splitext(os.path.basename(p))[0] for p in glob.glob(os.path.join(ROOT, "po", "*.po")))

FULL = (480, 720)
EXPECTED_IMAGES = {"bg.jpg": (480, 625), "penqi.png": (80, 153), "splash.png": FULL, "start.png": FULL,
                   "past.png": FULL, "gameover.png": FULL, "set.png": (320, 520),
                   "bom.png": (32, 126), "p0.png": (480, 6), "darkclouds.png": (100, 80)}
HELP_PAGES = ["help.png", "help2.png", "help3.png", "help4.png", "help5.png"]
EXPECTED_IMAGES.update({name: (360, 560) for name in HELP_PAGES})
EXPECTED_IMAGES.update({f"map{i}.png": (32, 126) for i in range(20)})
EXPECTED_IMAGES.update({f"key{i}.png": (32, 32) for i in range(8)})
EXPECTED_IMAGES.update({f"color{i}.png": (16, 48) for i in range(6)})
EXPECTED_IMAGES.update({f"c{i}.png": (30, 40) for i in range(6)})
EXPECTED_IMAGES.update({f"sd{i}.png": (250, 450) for i in range(4)})
EXPECTED_IMAGES.update({"levels.png": FULL, "finale.png": FULL, "record.png": (160, 44)})
EXPECTED_IMAGES.update({f"stars{i}.png": (110, 32) for i in range(4)})
EXPECTED_IMAGES.update({"daily.png": FULL, "watch.png": FULL, "practice.png": (160, 44), "replay.png": (160, 44),
                        "ghost.png": (80, 153), "leaderboard.png": FULL})
EXPECTED_IMAGES.update({"maker.png": FULL, "board.png": FULL})

EXPECTED_RESOURCES = {i: (50, 50) for i in range(101, 107)}
EXPECTED_RESOURCES.update({i: (60, 40) for i in range(108, 128)})
EXPECTED_RESOURCES.update({i: (108, 38) for i in range(128, 138)})
EXPECTED_RESOURCES.update({138: (65, 40), 139: (65, 40), 140: (60, 37), 141: (60, 37),
                           142: (112, 42), 143: (112, 42), 144: (112, 42), 145: (112, 42),
                           146: (96, 38), 147: (96, 38), 148: (200, 84), 149: (200, 84), 150: (200, 84)})
EXPECTED_RESOURCES.update({i: (56, 40) for i in range(160, 164)})  # the help's page arrows
EXPECTED_RESOURCES.update({i: (100, 37) for i in range(180, 185)})  # the options panel's rows
# The daily challenge: the menu's daily button, the daily and watch screens' buttons, the playback speeds.
EXPECTED_RESOURCES.update({210: (96, 38), 211: (96, 38)})
EXPECTED_RESOURCES.update({i: (160, 44) for i in range(212, 222)})
EXPECTED_RESOURCES.update({i: (56, 40) for i in range(222, 230)})
# The day's leaderboard: Post, Leaderboard and Another name, and the rows (a player's, the player's own).
EXPECTED_RESOURCES.update({i: (160, 44) for i in range(230, 236)})
EXPECTED_RESOURCES.update({i: (400, 36) for i in range(236, 240)})
# Boards players make: the menu's make button, the score steps, the maker's buttons.
EXPECTED_RESOURCES.update({300: (96, 38), 301: (96, 38)})
EXPECTED_RESOURCES.update({i: (44, 38) for i in range(302, 306)})
EXPECTED_RESOURCES.update({i: (160, 44) for i in range(306, 312)})

# The pictures that carry words: the board's labels, splash and title, menu,
# settings, help, level passed, game over, the level screen, the finale, and
# every button with a caption.
WORDED_IMAGES = ({"bg.jpg", "splash.png", "start.png", "set.png", "past.png", "gameover.png",
                  "levels.png", "finale.png", "record.png", "daily.png", "watch.png", "practice.png",
                  "replay.png", "leaderboard.png", "maker.png", "board.png"} | set(HELP_PAGES))
WORDED_RESOURCES = (set(range(108, 148)) | {150} | set(range(180, 185)) | set(range(210, 222))
                    | set(range(230, 236)) | {300, 301} | set(range(306, 312)))

# Pictures drawn over other pictures: their corners must be transparent.
SPRITES = (["penqi.png", "bom.png", "darkclouds.png"] + [f"map{i}.png" for i in range(20)]
           + [f"key{i}.png" for i in range(8)] + [f"color{i}.png" for i in range(6)]
           + [f"c{i}.png" for i in range(6)] + [f"sd{i}.png" for i in range(4)]
           + ["record.png"] + [f"stars{i}.png" for i in range(4)])


def load(path):
    with Image.open(path) as im:
        im.load()
        picture = im.copy()
        picture.format = im.format
        return picture


def luminance(rgb):
    """Relative luminance of sRGB values 0..255 (WCAG)."""
    c = np.asarray(rgb, dtype=np.float64) / 255.0
    lin = np.where(c <= 0.03928, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return lin[..., 0] * 0.2126 + lin[..., 1] * 0.7152 + lin[..., 2] * 0.0722


def white_mask(picture):
    """Where the picture shows near-white, opaque pixels: the symbols."""
    a = np.asarray(picture.convert("RGBA"), dtype=np.int16)
    return (a[..., :3].min(axis=2) > 225) & (a[..., 3] > 200)


class FilesAndSizes(unittest.TestCase):
    def test_every_image_file_decodes_at_its_size(self):
        for name, size in sorted(EXPECTED_IMAGES.items()):
            with self.subTest(name=name):
                path = os.path.join(IMAGES, name)
                self.assertTrue(os.path.isfile(path), f"missing {path}")
                picture = load(path)
                self.assertEqual(picture.size, size)
                self.assertEqual(picture.format, "JPEG" if name.endswith(".jpg") else "PNG")

    def test_image_folder_holds_nothing_else(self):
        files = [n for n in os.listdir(IMAGES) if os.path.isfile(os.path.join(IMAGES, n))]
        self.assertEqual(sorted(files), sorted(EXPECTED_IMAGES))
        folders = [n for n in os.listdir(IMAGES) if os.path.isdir(os.path.join(IMAGES, n))]
        self.assertEqual(sorted(folders), TRANSLATIONS)

    def test_every_resource_decodes_at_its_size(self):
        for rid, size in sorted(EXPECTED_RESOURCES.items()):
            with self.subTest(resource=rid):
                picture = load(os.path.join(RESOURCES, f"{rid}.png"))
                self.assertEqual(picture.format, "PNG")
                self.assertEqual(picture.size, size)

    def test_resource_ids_are_exactly_the_catalogue(self):
        present = sorted(int(n[:-4]) for n in os.listdir(RESOURCES) if n.endswith(".png"))
        self.assertEqual(present, sorted(EXPECTED_RESOURCES))
        self.assertNotIn(107, present)

    def test_desktop_and_web_app_icons_are_square_at_their_sizes(self):
        for size in (64, 128, 192, 256, 512):
            with self.subTest(size=size):
                self.assertEqual(load(os.path.join(ICONS, f"quandrel-{size}.png")).size, (size, size))


class Translations(unittest.TestCase):
    def test_english_is_among_the_translations(self):
        self.assertIn("en", TRANSLATIONS)

    def test_each_translation_has_every_picture_with_words_at_its_chinese_size(self):
        for lang in TRANSLATIONS:
            with self.subTest(lang=lang):
                self.assertEqual(set(os.listdir(os.path.join(IMAGES, lang))), WORDED_IMAGES)
                self.assertEqual({int(n[:-4]) for n in os.listdir(os.path.join(RESOURCES, lang))}, WORDED_RESOURCES)
            pairs = [(os.path.join(IMAGES, lang, n), os.path.join(IMAGES, n)) for n in sorted(WORDED_IMAGES)]
            pairs += [(os.path.join(RESOURCES, lang, f"{r}.png"), os.path.join(RESOURCES, f"{r}.png"))
                      for r in sorted(WORDED_RESOURCES)]
            for translated, chinese in pairs:
                with self.subTest(picture=translated):
                    a, b = load(translated), load(chinese)
                    self.assertEqual((a.size, a.format, a.mode), (b.size, b.format, b.mode))

    def test_translated_pictures_change_the_words_and_keep_the_art(self):
        for lang in TRANSLATIONS:
            for name in sorted(WORDED_IMAGES):
                with self.subTest(lang=lang, picture=name):
                    a = np.asarray(load(os.path.join(IMAGES, lang, name)).convert("RGB"), dtype=np.int16)
                    b = np.asarray(load(os.path.join(IMAGES, name)).convert("RGB"), dtype=np.int16)
                    changed = np.abs(a - b).max(axis=2) > 40
                    # Some pixels differ (the words), most stay (the art around them;
                    # the help page is the wordiest, near a third).
                    self.assertGreater(np.count_nonzero(changed), 40)
                    self.assertLess(np.count_nonzero(changed) / changed.size, 0.5)


class Looks(unittest.TestCase):
    def test_sprites_are_transparent_in_their_corners(self):
        for name in SPRITES:
            with self.subTest(name=name):
                alpha = np.asarray(load(os.path.join(IMAGES, name)).convert("RGBA"))[..., 3]
                corners = [alpha[0, 0], alpha[0, -1], alpha[-1, 0], alpha[-1, -1]]
                self.assertLessEqual(max(corners), 10)
                self.assertGreater(alpha.max(), 200, "nothing drawn")

    def test_full_screen_pictures_are_opaque(self):
        for name in ("splash.png", "start.png", "past.png", "gameover.png", "levels.png", "finale.png"):
            with self.subTest(name=name):
                picture = load(os.path.join(IMAGES, name)).convert("RGBA")
                self.assertEqual(np.asarray(picture)[..., 3].min(), 255)

    def test_white_score_and_level_text_has_contrast_on_the_board(self):
        board = np.asarray(load(os.path.join(IMAGES, "bg.jpg")).convert("RGB"))
        for label, (x, y, w, h) in (("score", (3, 35, 96, 34)), ("level", (43, 78, 50, 25))):
            with self.subTest(box=label):
                # Inside the box, away from its rounded border.
                inner = board[y + 4:y + h - 4, x + 6:x + w - 6]
                brightest = luminance(inner).max()
                ratio = 1.05 / (brightest + 0.05)
                self.assertGreaterEqual(ratio, 7.0, f"white on the {label} box: contrast {ratio:.1f}")

    def test_places_of_the_buttons_are_left_plain(self):
        places = {
            "start.png": [(180, 440 + 40 * i, 108, 38) for i in range(5)],
            "past.png": [(70 + 70 * (i % 5), 450 if i < 5 else 520, 60, 40) for i in range(10)],
            "gameover.png": [(180, 450, 112, 42), (180, 520, 112, 42)],
            # Time bar, vibration, language, sound, movement, speech, back (the panel is at 80, 80).
            "set.png": [(160, 70, 100, 37), (200, 130, 60, 37), (160, 190, 100, 37), (200, 250, 60, 37),
                        (200, 310, 60, 37), (200, 370, 60, 37), (210, 460, 65, 40)],
            "levels.png": [(207, 628, 65, 40)],
        }
        places.update({name: [(12, 520, 56, 40), (152, 520, 56, 40), (230, 520, 65, 40)] for name in HELP_PAGES})
        for (name, rects), lang in itertools.product(places.items(), [""] + TRANSLATIONS):
            picture = load(os.path.join(IMAGES, lang, name)).convert("RGBA")
            flat = Image.new("RGBA", picture.size, (255, 255, 255, 255))
            flat.alpha_composite(picture)
            pixels = np.asarray(flat.convert("RGB"), dtype=np.float64)
            for x, y, w, h in rects:
                with self.subTest(picture=os.path.join(lang, name), rect=(x, y, w, h)):
                    # A few pixels in from the edge: the button's own outline covers those.
                    area = pixels[y + 3:y + h - 3, x + 3:x + w - 3]
                    self.assertLess(area.std(axis=(0, 1)).max(), 8.0, "busy picture under a button")

    def test_colours_differ_by_symbol_not_only_by_hue(self):
        groups = {
            "previews": [f"c{i}.png" for i in range(6)],
            "shots": [f"color{i}.png" for i in range(6)],
            "keys": [f"key{i}.png" for i in range(6)],
            "full tubes": [f"map{3 * i + 3}.png" for i in range(6)],
            "one-measure tubes": [f"map{3 * i + 1}.png" for i in range(6)],
        }
        for group, names in groups.items():
            masks = {n: white_mask(load(os.path.join(IMAGES, n))) for n in names}
            for a, b in itertools.combinations(names, 2):
                with self.subTest(group=group, pair=(a, b)):
                    differing = np.count_nonzero(masks[a] ^ masks[b])
                    self.assertGreaterEqual(differing, 12, f"{a} and {b} carry the same symbol")

    def test_spoiled_tube_differs_from_every_state_without_colour(self):
        spoiled = np.asarray(load(os.path.join(IMAGES, "bom.png")).convert("L"), dtype=np.int16)
        for state in range(19):
            with self.subTest(state=state):
                other = np.asarray(load(os.path.join(IMAGES, f"map{state}.png")).convert("L"), dtype=np.int16)
                self.assertGreater(np.abs(spoiled - other).mean(), 8)

    def test_tubes_fill_up_with_each_measure(self):
        for colour in range(6):
            with self.subTest(colour=colour):
                coverage = []
                for measures in range(4):
                    state = 0 if measures == 0 else 3 * colour + measures
                    hsv = np.asarray(load(os.path.join(IMAGES, f"map{state}.png")).convert("RGB").convert("HSV"))
                    coverage.append(np.count_nonzero((hsv[..., 1] > 120) & (hsv[..., 2] > 140)))
                self.assertEqual(coverage, sorted(coverage))
                self.assertGreater(coverage[3], coverage[1] * 2)


if __name__ == "__main__":
    unittest.main()
