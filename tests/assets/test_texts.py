"""Checks the text catalogue in po/: gettext accepts every file, the generator's
reader reads them as gettext does, every text the code or a picture shows is in
the template and translated, and nothing else is; every translated picture's
words fit their places; the subset font holds every character of the catalogue."""
import gettext
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
PO = os.path.join(ROOT, "po")
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(ROOT, "tools"))

from artkit import catalogue, help_pages, text, words  # noqa: E402
import made_assets  # noqa: E402

TEMPLATE = os.path.join(PO, "quandrel.pot")
CJK_CHARACTER = re.compile("[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]")
HAN_CHARACTER = re.compile("[\u4e00-\u9fff]")
PLACEHOLDER = re.compile(r"\{\w+\}")


def code_texts():
    """Every Chinese string literal of the program's sources and the web page's
    scripts, outside comments."""
    found = set()
    literals = {".cpp": re.compile(r'u8?"((?:[^"\\]|\\.)*)"'), ".js": re.compile(r"'((?:[^'\\]|\\.)*)'")}
    literals[".hpp"] = literals[".h"] = literals[".cpp"]
    for folder, _, names in os.walk(os.path.join(ROOT, "src")):
        for name in names:
            literal = literals.get(os.path.splitext(name)[1])
            if literal is None:
                continue
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                for line in f:
                    code = line.split("//", 1)[0]
                    found.update(s for s in literal.findall(code) if CJK_CHARACTER.search(s))
    return found


def draw_pictures(code, only=None):
    """The pictures (all, or those named in only) as the generator drew them in a language:
    the texts asked for, those left untranslated, the lines drawn and the pictures' names."""
    drawn = made_assets.report()[code]
    pictures = {name: p for name, p in drawn["pictures"].items() if only is None or name in only}
    lines = [line for p in pictures.values() for line in p["lines"]]
    return ({tuple(k) for k in drawn["used"]}, {tuple(k) for k in drawn["untranslated"]}, lines,
            set(pictures))


def chinese_pictures():
    """Every picture drawn in Chinese."""
    return draw_pictures(words.SOURCE_LANGUAGE)


def worded():
    """File names and resource ids of the pictures that carry words."""
    return {name for name, p in made_assets.report()[words.SOURCE_LANGUAGE]["pictures"].items() if p["words"]}


class Files(unittest.TestCase):
    def test_gettext_accepts_the_template_and_every_translation(self):
        if shutil.which("msgfmt") is None:
            self.skipTest("msgfmt (Debian package gettext) is not installed")
        for path in [TEMPLATE] + list(words.translations().values()):
            with self.subTest(path=os.path.basename(path)):
                done = subprocess.run(["msgfmt", "--check", "-o", os.devnull, path], capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stderr)

    def test_translations_declare_utf8_their_language_team_and_plural_forms(self):
        for code, path in words.translations().items():
            header = words.read(path)[0]
            self.assertEqual(header.msgid, "")
            with self.subTest(lang=code):
                self.assertIn("Content-Type: text/plain; charset=UTF-8\n", header.msgstr)
                # The file's name is the language; the header may name its region (pt_BR).
                self.assertRegex(header.msgstr, rf"(?m)^Language: {code}(_[A-Z]{{2}})?$")
                self.assertRegex(header.msgstr, r"(?m)^Plural-Forms: nplurals=\d; plural=.+;$")
                self.assertRegex(header.msgstr, r"(?m)^Language-Team: .*Quandrel")

    def test_reader_agrees_with_gettext_on_every_message(self):
        if shutil.which("msgfmt") is None:
            self.skipTest("msgfmt (Debian package gettext) is not installed")
        for code, path in words.translations().items():
            with tempfile.TemporaryDirectory() as tmp, self.subTest(lang=code):
                mo = os.path.join(tmp, "q.mo")
                subprocess.run(["msgfmt", "-o", mo, path], check=True)
                with open(mo, "rb") as f:
                    compiled = gettext.GNUTranslations(f)
                entries = words.messages(words.read(path))
                self.assertGreater(len(entries), 40)
                for e in entries:
                    if e.plural:
                        # The form gettext shows for each count is the reader's form by the header's rule.
                        for n in range(0, 230):
                            shown = compiled.ngettext(e.msgid, e.msgid_plural, n)
                            self.assertEqual(e.msgstr_plural[compiled.plural(n)], shown, (e.msgid, n))
                        continue
                    expected = compiled.pgettext(e.msgctxt, e.msgid) if e.msgctxt else compiled.gettext(e.msgid)
                    # gettext shows an untranslated message as its msgid.
                    self.assertEqual(e.msgstr or e.msgid, expected)

    def test_reader_refuses_malformed_files(self):
        broken = {
            "text outside a message": '"stray"\n',
            "a message without translation": 'msgid "a"\n',
            "an unknown keyword": 'msgid "a"\nmsgtxt "b"\n',
            "msgid_plural after the msgstr": 'msgid "a"\nmsgstr "b"\nmsgid_plural "c"\n',
            "a counted word's msgstr without its form": 'msgid "a"\nmsgid_plural "a"\nmsgstr "b"\n',
            "a form out of order": 'msgid "a"\nmsgid_plural "a"\nmsgstr[0] "b"\nmsgstr[2] "c"\n',
            "a form without msgid_plural": 'msgid "a"\nmsgstr[0] "b"\n',
            "a counted word without forms": 'msgid "a"\nmsgid_plural "a"\n',
            "the same message twice": 'msgid "a"\nmsgstr "b"\n\nmsgid "a"\nmsgstr "c"\n',
            "an unquoted string": 'msgid a\nmsgstr "b"\n',
        }
        for what, source in broken.items():
            with self.subTest(what=what), self.assertRaises(words.PoError):
                words.parse(source)
        # The same text in two contexts is two messages, and continued strings join.
        two = words.parse('msgctxt "x"\nmsgid "a"\nmsgstr ""\n"b\\"c"\n\nmsgid "a"\nmsgstr "d"\n')
        self.assertEqual([(e.msgctxt, e.msgid, e.msgstr) for e in two], [("x", "a", 'b"c'), (None, "a", "d")])
        counted = words.parse('msgid "{1}天"\nmsgid_plural "{1}天"\nmsgstr[0] "{1} "\n"day"\nmsgstr[1] "{1} days"\n')
        self.assertEqual([(e.msgid_plural, e.translations) for e in counted], [("{1}天", ["{1} day", "{1} days"])])


class Coverage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.template = {e.key: e for e in words.messages(words.read(TEMPLATE))}
        cls.drawn_keys = chinese_pictures()[0]

    def test_every_text_the_code_shows_is_in_the_template(self):
        shown = code_texts()
        self.assertGreaterEqual(len(shown), 9)
        self.assertEqual(shown - {msgid for _, msgid in self.template}, set())

    def test_template_holds_only_texts_that_are_shown(self):
        shown = {(None, t) for t in code_texts()} | self.drawn_keys
        self.assertEqual(set(self.template) - shown, set())

    def test_every_entry_says_where_it_is_used(self):
        for key, e in self.template.items():
            with self.subTest(msgid=key[1]):
                self.assertTrue(e.references)
                for ref in e.references:
                    self.assertTrue(os.path.exists(os.path.join(ROOT, ref.split(":")[0])), ref)

    def test_every_translation_has_exactly_the_template_messages_all_translated(self):
        for code, path in words.translations().items():
            entries = words.messages(words.read(path))
            with self.subTest(lang=code):
                self.assertEqual({e.key for e in entries}, set(self.template))
                self.assertEqual([e.msgid for e in entries if not all(t.strip() for t in e.translations)], [])
                self.assertEqual([e.msgid for e in entries if "fuzzy" in e.flags], [])

    def test_counted_words_have_every_form_of_their_language_and_its_placeholders(self):
        counted = [e for e in self.template.values() if e.plural]
        self.assertGreaterEqual(len(counted), 6)
        for e in counted:
            with self.subTest(msgid=e.msgid):
                # The program asks with the one Chinese text: Chinese has one form.
                self.assertEqual(e.msgid_plural, e.msgid)
                self.assertEqual(e.msgstr_plural, ["", ""])
        for code, path in words.translations().items():
            header, *entries = words.read(path)
            forms = int(re.search(r"(?m)^Plural-Forms: nplurals=(\d);", header.msgstr).group(1))
            for e in entries:
                with self.subTest(lang=code, msgid=e.msgid):
                    self.assertEqual(e.plural, self.template[e.key].plural)
                    if not e.plural:
                        continue
                    self.assertEqual(e.msgid_plural, e.msgid)
                    self.assertEqual(len(e.msgstr_plural), forms)
                    for form in e.msgstr_plural:
                        self.assertEqual(PLACEHOLDER.findall(form), PLACEHOLDER.findall(e.msgid))

    def test_drawing_a_text_missing_from_the_template_is_refused(self):
        with self.assertRaises(KeyError):
            words.tr("不在目录里")
        with self.assertRaises(KeyError):
            words.tr("移动", "no such context")

    def test_font_holds_every_character_of_the_catalogue(self):
        with open(os.path.join(ROOT, "assets", "fonts", "chars.txt"), encoding="utf-8") as f:
            listed = f.read().strip()
        # The list is made from the catalogue by tools/make_font.sh, never by hand.
        self.assertEqual(listed, words.catalogue_characters())
        subset = (os.path.join(ROOT, "assets", "fonts", "quandrel-cjk.ttf"), 0)
        text.require_glyphs(subset, listed + "".join(chr(c) for c in range(0x21, 0x7F)))
        with self.assertRaises(text.MissingGlyph):
            text.require_glyphs(subset, "\u9F98")


class TranslatedPictures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.drawn = {code: draw_pictures(code, worded()) for code in words.languages()[1:]}
        cls.drawn[words.SOURCE_LANGUAGE] = chinese_pictures()

    def test_no_picture_keeps_an_untranslated_text(self):
        for code, (used, untranslated, lines, _) in self.drawn.items():
            if code == words.SOURCE_LANGUAGE:
                continue
            with self.subTest(lang=code):
                self.assertGreater(len(used), 40)
                self.assertEqual(untranslated, set())

    def test_pictures_carry_no_chinese_character_their_catalogue_lacks(self):
        for code, path in words.translations().items():
            if any(HAN_CHARACTER.search(t) for e in words.messages(words.read(path)) for t in e.translations):
                continue  # Japanese writes with Chinese characters too
            with self.subTest(lang=code):
                _, _, lines, _ = self.drawn[code]
                self.assertEqual([t for t, *_ in lines if HAN_CHARACTER.search(t)], [])

    def test_every_line_stays_inside_its_place_and_its_picture(self):
        for code, (_, _, lines, _) in self.drawn.items():
            boxed = 0
            for line, ink, box, (w, h), _ in lines:
                with self.subTest(lang=code, text=line):
                    self.assertIsNotNone(ink, "nothing drawn")
                    self.assertTrue(0 <= ink[0] and 0 <= ink[1] and ink[2] <= w and ink[3] <= h, (ink, w, h))
                    if box is not None:
                        boxed += 1
                        self.assertTrue(box[0] <= ink[0] and box[1] <= ink[1] and ink[2] <= box[2]
                                        and ink[3] <= box[3], (ink, box))
            # Every caption and label has a place it must fit.
            self.assertGreater(boxed, 60)

    def test_shrunken_text_stays_readable(self):
        button_sizes = set(catalogue.RESOURCE_SIZES.values())
        for code, (_, _, lines, _) in self.drawn.items():
            for line, _, _, canvas, size in lines:
                with self.subTest(lang=code, text=line):
                    self.assertGreaterEqual(size, 9.0)
                    if tuple(canvas) in button_sizes:
                        self.assertGreaterEqual(size, 11.0, "a word on a button")

    def test_every_word_of_the_help_pages_is_16_px_or_larger_on_as_many_pages(self):
        counts = {}
        for code in words.languages():
            _, _, lines, images = draw_pictures(code, set(help_pages.PAGE_FILES))
            counts[code] = len(images)
            with self.subTest(lang=code):
                self.assertGreater(len(lines), 40)
                self.assertGreaterEqual(min(size for *_, size in lines), 16.0)
        self.assertEqual(set(counts.values()), {len(help_pages.PAGE_FILES)})


if __name__ == "__main__":
    unittest.main()
