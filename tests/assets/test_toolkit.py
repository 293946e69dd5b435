"""Checks the generator's building blocks where a fault would spoil many assets at
once: the WAV writer, loudness matching, loop mixing, text wrapping and fitting
(button words and help pages refused rather than set too small) and the
supersampled canvas."""
import io
import os
import sys
import unittest
import wave
from unittest import mock

import numpy as np
from PIL import Image

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(ROOT, "tools"))

from artkit.canvas import Canvas, dilate, drawn_once, exact_ink, ink_box  # noqa: E402
from artkit import buttons, help_pages, text, words  # noqa: E402
from artkit.text import CJK, LATIN_BODY, LATIN_BOLD, TextDoesNotFit, draw_text, text_width, wrap  # noqa: E402
from soundkit.synth import RATE, mix_into, seconds, sine  # noqa: E402
from soundkit.wav import PEAK_LIMIT, TARGET_DB, loudness_db, normalise, wav_bytes  # noqa: E402


class Wav(unittest.TestCase):
    def test_written_file_reads_back_with_the_standard_reader(self):
        x = np.array([0.0, 0.5, -0.5, 1.5, -1.5])
        with wave.open(io.BytesIO(wav_bytes(x))) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getframerate()), (1, 2, RATE))
            back = np.frombuffer(w.readframes(w.getnframes()), "<i2")
        # Out-of-range samples are clamped, not wrapped round.
        self.assertEqual(back.tolist(), [0, 16384, -16384, 32767, -32768])

    def test_normalise_reaches_the_target_loudness_under_the_peak_limit(self):
        quiet = 0.01 * sine(440, 0.8)
        spiky = np.concatenate([0.05 * sine(220, 0.5), np.full(seconds(0.01), 0.9), 0.05 * sine(220, 0.5)])
        for signal in (quiet, spiky):
            y = normalise(signal)
            self.assertAlmostEqual(loudness_db(y), TARGET_DB, delta=0.5)
            self.assertLessEqual(np.abs(y).max(), PEAK_LIMIT + 1e-9)

    def test_loudness_of_a_short_sound_uses_the_whole_sound(self):
        tone = sine(1000, 0.1)  # shorter than the 400 ms window
        self.assertAlmostEqual(loudness_db(tone), 10 * np.log10(0.5), delta=0.1)


class LoopMixing(unittest.TestCase):
    def test_a_note_past_the_end_comes_round_to_the_start(self):
        buf = np.zeros(100)
        mix_into(buf, np.ones(30), 90 / RATE, wrap=True)
        self.assertEqual(buf[90:].tolist(), [1.0] * 10)
        self.assertEqual(buf[:20].tolist(), [1.0] * 20)
        self.assertEqual(buf[20:90].sum(), 0.0)

    def test_without_wrap_the_tail_is_cut(self):
        buf = np.zeros(100)
        mix_into(buf, np.ones(30), 90 / RATE)
        self.assertEqual(buf.sum(), 10.0)


class Wrapping(unittest.TestCase):
    TEXT = "时间走完、100发用完或试管全坏，游戏结束。各花50分：水滴键多买25发。"

    def test_lines_fit_and_keep_all_text(self):
        for width in (80, 120, 200):
            lines = wrap(self.TEXT, 13, width)
            self.assertEqual("".join(lines), self.TEXT)
            for line in lines:
                self.assertLessEqual(text_width(CJK, 13, line), width + 14)  # one closing mark may hang

    def test_numbers_stay_whole_and_punctuation_never_starts_a_line(self):
        for width in range(40, 220, 7):
            lines = wrap(self.TEXT, 13, width)
            for before, after in zip(lines, lines[1:]):
                self.assertFalse(before[-1].isdigit() and after[0].isdigit(), (before, after))
                self.assertNotIn(after[0], "，。、：；")


    def test_alphabets_break_only_between_words(self):
        sentences = [
            (LATIN_BODY, "Fill a tube with three drops of one colour for 50 points and that colour's key; "
                         "“Glide” slides the sprayer."),
            (LATIN_BODY, "Три капли одного цвета заполняют пробирку: 50 очков и ключ этого цвета."),
            (CJK, "같은 색 세 방울로 시험관을 채우면 50점과 그 색의 열쇠를 얻습니다."),
            # A no-break space holds the guillemets to their word.
            (LATIN_BODY, "Appuyez sur «\u00a0Tirer\u00a0» pour projeter la couleur de «\u00a0Suivant\u00a0»."),
        ]
        for face, sentence in sentences:
            for width in range(90, 300, 23):
                lines = wrap(sentence, 12, width, face)
                with self.subTest(sentence=sentence[:12], width=width):
                    self.assertEqual(" ".join(line.strip(" ") for line in lines), sentence)
                    for line in lines:
                        self.assertLessEqual(text_width(face, 12, line.rstrip()), width)
                        self.assertFalse(line.startswith((" ", "\u00a0", "”", ".", ";", "»")), line)

    def test_japanese_brackets_stay_with_their_words(self):
        text = "設定で「スライド」をオンにすると、なめらかに動きます。「発射」を押すと、「つぎ」の色が入ります。"
        for width in range(40, 220, 7):
            lines = wrap(text, 13, width)
            self.assertEqual("".join(lines), text)
            for before, after in zip(lines, lines[1:]):
                self.assertNotEqual(before[-1], "「", (before, after))
                self.assertNotIn(after[0], "」、。ーっ", (before, after))


class Fitting(unittest.TestCase):
    def tearDown(self):
        words.LANGUAGE.use(words.SOURCE_LANGUAGE)

    def last_line(self, **kw):
        text.DRAWN.clear()
        c = Canvas(120, 40)
        draw_text(c, kw.pop("line"), 60, 20, kw.pop("size", 20), (0, 0, 0), **kw)
        return text.DRAWN[-1]

    def test_text_wider_than_its_box_shrinks_inside_it(self):
        free = self.last_line(line="Classmates", face=LATIN_BOLD)
        box = (30, 5, 90, 35)
        fitted = self.last_line(line="Classmates", face=LATIN_BOLD, box=box)
        self.assertGreater(free[1][2] - free[1][0], 60)
        ink = fitted[1]
        self.assertTrue(box[0] <= ink[0] and ink[2] <= box[2] and box[1] <= ink[1] and ink[3] <= box[3], ink)
        self.assertLess(fitted[4], 20)
        # Centred on the same point: shrinking keeps the anchor.
        self.assertAlmostEqual((ink[0] + ink[2]) / 2, 60, delta=1.5)

    def test_text_that_fits_is_drawn_at_its_size(self):
        self.assertEqual(self.last_line(line="OK", face=LATIN_BOLD, box=(0, 0, 120, 40))[4], 20)

    def test_a_narrower_face_comes_before_a_smaller_size(self):
        words.LANGUAGE.use("en")
        box = (4, 3, 116, 37)
        wide = self.last_line(line="Main menu plus", latin=LATIN_BOLD, box=box)
        either = self.last_line(line="Main menu plus", latin=[LATIN_BOLD, LATIN_BODY], box=box)
        self.assertLess(wide[4], 20)
        self.assertGreater(either[4], wide[4])

    def test_text_that_cannot_fit_readably_is_refused_not_clipped(self):
        with self.assertRaises(TextDoesNotFit):
            self.last_line(line="A caption far too long for any button", face=LATIN_BOLD, box=(50, 10, 70, 30))

    def test_a_button_word_breaks_in_two_rather_than_shrink_below_the_smallest(self):
        words.LANGUAGE.use("en")
        with mock.patch.object(buttons, "tr", lambda t: t):
            text.DRAWN.clear()
            buttons.caption(60, 40, "Mother", "yellow", 18)
            self.assertEqual(text.DRAWN[-1][0], "Mother")  # fits on one line
            buttons.caption(60, 40, "Class\u00admates", "yellow", 18)
            self.assertEqual(text.DRAWN[-1][0], "Class-\nmates")
            self.assertGreaterEqual(text.DRAWN[-1][4], buttons.SMALLEST_BUTTON_WORD)
            # Without a place to break, a word that needs smaller letters is refused.
            with self.assertRaises(TextDoesNotFit):
                buttons.caption(60, 40, "Classmates", "yellow", 18)
        self.assertEqual(buttons.two_lines("Buy more shots"), "Buy more\nshots")
        self.assertIsNone(buttons.two_lines("Classmate"))

    def test_a_help_page_too_long_at_the_body_size_is_refused(self):
        words.LANGUAGE.use("en")
        pages = [[help_pages.Paragraph("Short.")], [help_pages.Paragraph("Long words again. " * 28)]]
        self.assertEqual(help_pages.text_size(pages[:1]), help_pages.PREFERRED)
        # One long page sets every page smaller, but never below the body size.
        self.assertLess(help_pages.text_size(pages), help_pages.PREFERRED)
        self.assertGreaterEqual(help_pages.text_size(pages), help_pages.BODY)
        pages.append([help_pages.Paragraph("Far too many words for one page. " * 40)])
        with self.assertRaises(TextDoesNotFit):
            help_pages.text_size(pages)

    def test_other_languages_draw_latin_text_in_the_latin_face(self):
        words.LANGUAGE.use("en")
        self.assertEqual(text.face_for("Start"), LATIN_BOLD)
        self.assertEqual(text.face_for("Start", CJK, LATIN_BODY), LATIN_BODY)
        # A script the Latin face lacks keeps the CJK face.
        self.assertEqual(text.face_for("开始"), CJK)
        words.LANGUAGE.use(words.SOURCE_LANGUAGE)
        self.assertEqual(text.face_for("Start"), CJK)


class Drawing(unittest.TestCase):
    def test_shapes_are_anti_aliased_and_placed_in_final_pixels(self):
        c = Canvas(20, 20)
        c.paint(c.ellipse(10, 10, 6), (255, 0, 0))
        alpha = np.asarray(c.finish())[..., 3]
        self.assertEqual(alpha[10, 10], 255)
        self.assertEqual(alpha[10, 2], 0)
        self.assertGreater(np.count_nonzero((alpha > 0) & (alpha < 255)), 8, "no soft edge")

    def test_dilate_grows_a_point_into_a_disc(self):
        c = Canvas(10, 10)
        m = c.blank()
        m.putpixel((20, 20), 255)
        grown = np.asarray(dilate(m, 5)) > 0
        self.assertEqual(grown.sum(), sum(1 for dx in range(-5, 6) for dy in range(-5, 6) if dx * dx + dy * dy <= 25))
        self.assertTrue(grown[20, 25] and grown[15, 20] and not grown[16, 16])

    def test_every_shape_knows_a_box_that_holds_all_its_ink(self):
        c = Canvas(40, 30)
        font = text.font(LATIN_BOLD, 12 * 4)
        shapes = {
            "rect": lambda: c.rect(3.3, 2.7, 20.1, 9.9),
            "rounded rect": lambda: c.rect(0, 0, 40, 30, radius=6),
            "ellipse at the edge": lambda: c.ellipse(38.5, 1.5, 5, 3),
            "polygon": lambda: c.poly([(5, 5), (30.6, 8.2), (12, 27.9)]),
            "thick line": lambda: c.line([(4, 25), (20, 4), (36, 25)], 3.4),
            "arc": lambda: c.arc(20, 15, 9, 200, 340, 2.2),
            "two lines of text": lambda: c.text("Wy\ngj", 80, 60, font, "mm"),
            "grown": lambda: dilate(c.ellipse(10, 10, 2), 9),
            "union": lambda: Canvas.union(c.ellipse(6, 6, 3), c.rect(30, 20, 36, 26)),
            "difference": lambda: Canvas.subtract(c.ellipse(20, 15, 8), c.ellipse(22, 15, 8)),
            "overlap": lambda: Canvas.intersect(c.ellipse(20, 15, 8), c.rect(0, 0, 21, 30)),
            "no overlap": lambda: Canvas.intersect(c.ellipse(6, 6, 3), c.rect(30, 20, 36, 26)),
        }
        for name, make in shapes.items():
            with self.subTest(name):
                mask = make()
                real, kept = mask.getbbox(), ink_box(mask)
                self.assertEqual(exact_ink(mask), real)
                if real is not None:
                    self.assertTrue(kept[0] <= real[0] and kept[1] <= real[1] and real[2] <= kept[2]
                                    and real[3] <= kept[3], (real, kept))

    def test_combined_masks_match_combining_whole_masks(self):
        c = Canvas(30, 30)
        a = c.ellipse(12, 12, 9)
        b = c.line([(2, 28), (28, 2)], 4)
        whole_a, whole_b = np.asarray(a, np.int16), np.asarray(b, np.int16)
        self.assertTrue(np.array_equal(np.asarray(Canvas.union(a, b)), np.maximum(whole_a, whole_b)))
        self.assertTrue(np.array_equal(np.asarray(Canvas.subtract(a, b)), np.clip(whole_a - whole_b, 0, 255)))
        self.assertTrue(np.array_equal(np.asarray(Canvas.intersect(a, b)), np.minimum(whole_a, whole_b)))

    def test_painting_through_a_box_is_painting_through_the_whole_mask(self):
        mask = Canvas(24, 24).ellipse(12, 12, 7)
        scanned = mask.copy()  # a copy keeps no box: its ink is found by a scan
        pictures = []
        for m in (mask, scanned):
            c = Canvas(24, 24, background=(10, 200, 30, 255))
            c.paint(m, (200, 40, 90, 130))
            c.shape(m, c.vgradient([(0, (255, 255, 0, 200)), (1, (0, 0, 255, 90))]), width=1.7)
            pictures.append(c.im.tobytes())
        self.assertFalse(hasattr(scanned, "ink"))
        self.assertEqual(pictures[0], pictures[1])

    def test_painting_a_colour_is_painting_a_picture_of_that_colour(self):
        # Every mask level, through a colour of each alpha: the colour's lookup table
        # gives what the per-pixel arithmetic of a picture's alpha gives.
        mask = Image.fromarray(np.tile(np.arange(256, dtype=np.uint8), (4, 1)))  # a 64 x 1 canvas's
        for alpha in (0, 1, 77, 128, 200, 254, 255):
            with self.subTest(alpha=alpha):
                colour = (30, 160, 220, alpha)
                pictures = []
                for fill in (colour, Image.new("RGBA", mask.size, colour)):
                    c = Canvas(64, 1, background=(90, 20, 40, 120))
                    c.paint(mask, fill)
                    pictures.append(c.im.tobytes())
                self.assertEqual(pictures[0], pictures[1])

    def test_a_picture_or_canvas_drawn_once_is_handed_out_as_copies(self):
        calls = []

        @drawn_once
        def square(colour):
            calls.append(colour)
            c = Canvas(4, 4)
            c.paint(c.rect(0, 0, 4, 4), colour)
            return c
        first = square((255, 0, 0))
        first.paint(first.rect(0, 0, 2, 2), (0, 0, 255))
        self.assertEqual(square((255, 0, 0)).finish().getpixel((0, 0)), (255, 0, 0, 255))
        self.assertEqual(first.finish().getpixel((0, 0)), (0, 0, 255, 255))
        square((0, 255, 0))
        self.assertEqual(calls, [(255, 0, 0), (0, 255, 0)])
        picture = drawn_once(lambda: square((0, 255, 0)).finish())
        picture().putpixel((0, 0), (0, 0, 0, 0))
        self.assertEqual(picture().getpixel((0, 0)), (0, 255, 0, 255))


if __name__ == "__main__":
    unittest.main()
