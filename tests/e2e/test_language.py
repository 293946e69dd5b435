"""The game in each language: every screen played draws that language's
texts and loads its pictures wherever there are some, Chinese shows the
originals, play and the stored settings are the same in all, and the
language follows the environment unless --lang says otherwise."""

import gettext
import glob
import os
import subprocess
import sys
import tempfile
import unittest

from quandrel_driver import LANGUAGES, MENU, Game, GameTestCase, binary_path, read_png
from play_helpers import play

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(SOURCE, "tools", "artkit"))
import words  # noqa: E402  (the characters of each language's font in the page)
TRACE_NAME = "assets.trace"
# Every screen in one game, a dump after each step; None: play level 1 until
# it can be claimed, and claim it.
TOUR = [
    MENU,
    ["command 222"], ["command 235"],  # the settings panel and back
    ["command 223"], ["command 236"],  # the help page and back
    ["command 224"], ["answer no"],  # the exit question
    ["command 220"], ["focus out"], ["focus in", "tap 240 400"],  # the board and the pause veil
    ["command 101 1", "wait 10000", "command 101 1", "wait 50"],  # time runs out: game over
    ["command 118"],  # retry
    None,  # level passed
]
# The texts the program itself draws on the tour.
DRAWN_TEXTS = ("营救", "发泄", "返回", "确定退出?", "确定", "取消", "游戏已暂停", "点击继续")


def has_han(text):
    return any("\u4e00" <= c <= "\u9fff" for c in text)


def read_trace(path, directory=""):
    """The trace as {"text": {asked: drawn}, "file": {asked: loaded}, "resource": {id: language}},
    picture paths relative to the game's `directory`."""
    found = {"text": {}, "file": {}, "resource": {}}
    with open(path, encoding="utf-8") as file:
        for line in file.read().splitlines():
            kind, asked, got = line.split("\t")
            if kind == "file" and directory:
                asked, got = (name.replace(directory, "", 1) for name in (asked, got))
            found[kind][asked] = got
    return found


def catalogue(lang):
    """msgid -> msgstr of po/LANG.po as gettext compiles it (entries without a context)."""
    with tempfile.TemporaryDirectory() as scratch:
        compiled = os.path.join(scratch, lang + ".mo")
        subprocess.run(["msgfmt", "-o", compiled, os.path.join(SOURCE, "po", lang + ".po")], check=True)
        with open(compiled, "rb") as file:
            translations = gettext.GNUTranslations(file)
    return {msgid: msgstr for msgid, msgstr in translations._catalog.items()
            if isinstance(msgid, str) and msgid and "\x04" not in msgid}


def play_tour(lang):
    """Plays the tour in `lang`; returns (dumps, trace, settings file bytes)."""
    game = Game(lang=lang)
    try:
        trace = os.path.join(game.directory, TRACE_NAME)
        game.env["QUANDREL_TRACE_ASSETS"] = trace
        session = game.start()
        try:
            dumps = []
            for steps in TOUR:
                if steps is None:
                    if play(session, until=lambda dump: dump["passLit"]) is None:
                        raise AssertionError("the player did not win level 1")
                    steps = ["command 101 0"]
                session.send(*steps)
                dumps.append(session.dump())
            code, _, errors = session.finish()
            if code != 0:
                raise AssertionError(errors)
        finally:
            session.kill()
        with open(game.settings_path, "rb") as file:
            stored = file.read()
        return dumps, read_trace(trace, game.directory), stored
    finally:
        game.close()


class LanguageTourTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        binary_path()
        cls.tours = {lang: play_tour(lang) for lang in LANGUAGES}
        cls.chinese = cls.tours["zh"]
        cls.translated = [lang for lang in LANGUAGES if lang != "zh"]
        cls.images = os.path.join(os.path.dirname(os.path.abspath(binary_path())), "Images")

    def test_the_table_holds_every_catalogue(self):
        catalogues = {os.path.basename(path)[:-3] for path in glob.glob(os.path.join(SOURCE, "po", "*.po"))}
        self.assertEqual(set(LANGUAGES), catalogues | {"zh"})

    def picture_of(self, lang, path):
        """The language's variant of a picture path under /Images/, if one exists."""
        rest = path[len("/Images/"):]
        return f"/Images/{lang}/{rest}" if os.path.isfile(os.path.join(self.images, lang, rest)) else None

    def test_every_language_draws_its_own_texts(self):
        for lang in self.translated:
            translations = catalogue(lang)
            texts = self.tours[lang][1]["text"]
            without_han = not any(has_han(text) for text in translations.values())
            for original in DRAWN_TEXTS:
                self.assertIn(original, texts, f"{lang}: never drawn on the tour")
            for asked, drawn in texts.items():
                with self.subTest(lang=lang, text=asked):
                    # Numbers and other texts outside the catalogue are drawn as they are.
                    self.assertEqual(drawn, translations.get(asked, asked))
                    if without_han:
                        self.assertFalse(has_han(drawn), "Chinese drawn")

    def test_every_language_loads_its_own_pictures_where_there_are_some(self):
        for lang in self.translated:
            files = self.tours[lang][1]["file"]
            for name in ("start.png", "set.png", "help.png", "past.png", "gameover.png", "splash.png"):
                self.assertIn("/Images/" + name, files, f"{lang}: never loaded")
            own = 0
            for asked, loaded in files.items():
                with self.subTest(lang=lang, picture=asked):
                    self.assertTrue(loaded, "not loaded")
                    wanted = self.picture_of(lang, asked)
                    self.assertEqual(loaded, wanted or asked)
                    own += wanted is not None
            self.assertGreaterEqual(own, 6, f"{lang}: too few pictures of its own")
            resources = self.tours[lang][1]["resource"]
            self.assertGreater(len(resources), 10)
            for resource_id, language in resources.items():
                with self.subTest(lang=lang, resource=resource_id):
                    variant = os.path.isfile(os.path.join(SOURCE, "assets", "resources", lang, resource_id + ".png"))
                    self.assertEqual(language, lang if variant else "zh")

    def test_each_language_draws_only_characters_its_own_font_holds(self):
        # The page gives each language a font of its texts' characters alone.
        for lang in LANGUAGES:
            drawn = set("".join(self.tours[lang][1]["text"].values())) - {" "}
            with self.subTest(lang=lang):
                self.assertEqual(drawn - set(words.language_characters(lang)), set())

    def test_chinese_screens_show_the_originals(self):
        trace = self.chinese[1]
        self.assertEqual(set(trace["text"]), set(self.tours["en"][1]["text"]))
        for asked, drawn in trace["text"].items():
            self.assertEqual(drawn, asked)
        self.assertEqual(set(trace["file"]), set(self.tours["en"][1]["file"]))
        for asked, loaded in trace["file"].items():
            self.assertEqual(loaded, asked)
        self.assertEqual(set(trace["resource"].values()), {"zh"})

    def test_play_and_the_stored_settings_are_the_same_in_every_language(self):
        chinese_dumps, _, chinese_stored = self.chinese
        screens = [dump["screen"] for dump in chinese_dumps]
        for screen in ("settings", "help", "question", "game", "gameover", "passed", "menu"):
            self.assertIn(screen, screens)
        self.assertTrue(chinese_stored.startswith(b"\xff\xfe"))
        # The dumps differ only in the language they name and speak: the same
        # announcements, each in its own words.
        def neutral(dump):
            return {**dump, "language": None,
                    "announcements": [a["priority"] for a in dump["announcements"]]}
        chinese_dumps = [neutral(dump) for dump in chinese_dumps]
        for lang in self.translated:
            dumps, _, stored = self.tours[lang]
            with self.subTest(lang=lang):
                self.assertEqual({dump["language"] for dump in dumps}, {lang})
                self.assertEqual([neutral(dump) for dump in dumps], chinese_dumps)
                self.assertEqual(stored, chinese_stored)


class LanguageChoiceTest(GameTestCase):
    LOCALE_VARIABLES = ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")

    def claim_caption(self, environment, lang=None):
        """The claim button's caption as drawn on the board."""
        game = self.new_game(lang=lang)
        for name in self.LOCALE_VARIABLES:
            game.env.pop(name, None)
        game.env.update(environment)
        trace = os.path.join(game.directory, TRACE_NAME)
        game.env["QUANDREL_TRACE_ASSETS"] = trace
        self.run_script(MENU + ["command 220", "wait 100"], game=game)
        return read_trace(trace)["text"]["营救"]

    def test_the_environment_chooses_as_gettext_does(self):
        claim = {lang: catalogue(lang)["营救"] for lang in LANGUAGES if lang != "zh"}
        claim["zh"] = "营救"
        cases = [
            ({}, "en"),
            ({"LANG": "zh_CN.UTF-8", "LC_MESSAGES": "de_DE.UTF-8"}, "de"),
            ({"LANG": "zh_CN.UTF-8", "LC_ALL": "C"}, "en"),
            ({"LC_ALL": "en_US.UTF-8", "LANGUAGE": "nl:fr_FR:en"}, "fr"),
            ({"LANG": "C", "LANGUAGE": ""}, "en"),
            ({"LANG": "nl_NL.UTF-8"}, "en"),  # a language the game lacks
            ({"LANGUAGE": "sv:ja:zh_CN"}, "ja"),
        ]
        cases += [({"LANG": locale}, lang) for lang, locales in LANGUAGES.items() for locale in locales]
        for environment, lang in cases:
            with self.subTest(environment=environment):
                self.assertEqual(self.claim_caption(environment), claim[lang])

    def test_lang_overrides_the_environment(self):
        self.assertEqual(self.claim_caption({"LANG": "zh_CN.UTF-8"}, lang="en"), "Claim")
        self.assertEqual(self.claim_caption({"LANGUAGE": "en"}, lang="zh"), "营救")
        self.assertEqual(self.claim_caption({"LANG": "de_DE.UTF-8"}, lang="ko"), catalogue("ko")["营救"])

    def test_an_unknown_language_is_refused_naming_the_known_ones(self):
        game = self.new_game()
        for lang in ("nl", "", "EN"):
            with self.subTest(lang=lang):
                done = subprocess.run([game.binary, "--headless", "--lang", lang], input="dump\n", env=game.env,
                                      cwd=game.directory, capture_output=True, text=True, timeout=60)
                self.assertEqual(done.returncode, 2)
                self.assertIn("--lang", done.stderr)
                self.assertEqual(done.stdout, "")
                self.assertIn(", ".join(sorted(LANGUAGES)), done.stderr)


class LanguageSwitchTest(GameTestCase):
    def run_in(self, game, lang, steps, environment="zh_CN"):
        """Runs `steps` with --lang `lang` (None: the environment's LANGUAGE);
        returns the dumps and the trace."""
        game.lang = lang
        game.env["LANGUAGE"] = environment
        trace = os.path.join(game.directory, TRACE_NAME)
        if os.path.exists(trace):
            os.remove(trace)
        game.env["QUANDREL_TRACE_ASSETS"] = trace
        return self.run_script(steps, game=game), read_trace(trace, game.directory)

    def test_the_panels_switch_changes_everything_at_once_and_is_kept(self):
        game = self.new_game(lang=None)
        before = os.path.join(game.directory, "before.png")
        after = os.path.join(game.directory, "after.png")
        dumps, trace = self.run_in(game, None, MENU + [
            "command 222", "screenshot " + before, "dump", "command 234", "command 234", "screenshot " + after, "dump",
            "command 235", "command 224", "dump", "answer no"])
        chinese, english, question = dumps
        self.assertEqual((chinese["language"], chinese["options"]["language"]), ("zh", "auto"))
        self.assertEqual((english["language"], english["options"]["language"]), ("en", "en"))
        # The panel already on screen and its buttons were loaded again in English.
        self.assertEqual(trace["file"]["/Images/set.png"], "/Images/en/set.png")
        self.assertEqual(trace["file"]["/Images/start.png"], "/Images/en/start.png")
        self.assertEqual(trace["resource"]["183"], "en")
        self.assertEqual(trace["resource"]["140"], "en")
        self.assertNotEqual(read_png(before)[2], read_png(after)[2])
        self.assertEqual(question["question"], {"text": "确定退出?", "caption": "感谢对Ostra游戏的支持！"})
        self.assertEqual(trace["text"]["确定退出?"], "Quit?")

        # Kept over a restart, ahead of the environment's choice.
        dumps, trace = self.run_in(game, None, MENU + ["command 220", "wait 100", "dump"])
        self.assertEqual((dumps[0]["language"], dumps[0]["options"]["language"]), ("en", "en"))
        self.assertEqual(trace["text"]["营救"], "Claim")

    def test_lang_overrides_the_stored_choice_without_changing_it(self):
        game = self.new_game(lang=None)
        self.run_in(game, None, MENU + ["command 222", "command 234", "command 234"])  # zh, de, en
        dumps, trace = self.run_in(game, "zh", MENU + ["command 220", "wait 100", "dump"], environment="en")
        self.assertEqual((dumps[0]["language"], dumps[0]["options"]["language"]), ("zh", "en"))
        self.assertEqual(trace["text"]["营救"], "营救")
        with open(os.path.join(game.directory, "quandrel-options.ini"), encoding="utf-8") as file:
            self.assertIn("\nlanguage=en\n", file.read())
        dumps, _ = self.run_in(game, None, MENU + ["dump"])
        self.assertEqual(dumps[0]["language"], "en")


if __name__ == "__main__":
    unittest.main()
