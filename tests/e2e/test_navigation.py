"""The whole game with the keyboard alone, and with a gamepad alone: from the
splash through a won level, a word choice, a lost level, a retry and the exit
question, by the focus ring on the screens with buttons and the game's own
keys on the board."""

import os
import unittest

from play_helpers import SPOILED, choose_slot
from quandrel_driver import (MENU, SHOT_FLIGHT_MS, SPLASH_MS, SPRAYER_STEP, GameTestCase, read_png,
                             sprayer_x_for_slot)

PRESS_MS = 100  # a key holds its button this long before the command
TIME_BAR_MS = 10000


class Keyboard:
    up, down, left, right = "key Up", "key Down", "key Left", "key Right"
    press = "key Return"  # the focused button
    fire = "key Space"
    claim = "key Return"
    back = "key Escape"
    repair = "key R"
    no_choice = "key Right"  # on the question: to the other button


class Pad:
    up, down, left, right = "pad up", "pad down", "pad left", "pad right"
    press = "pad a"
    fire = "pad a"
    claim = "pad start"
    back = "pad b"
    repair = "pad x"
    no_choice = "pad right"


def play_level(test, session, controls):
    """Plays shot by shot with the controls until the face lights; returns that dump."""
    for _ in range(100):
        dump = session.dump()
        if dump["passLit"]:
            return dump
        test.assertEqual(dump["screen"], "game")
        test.assertFalse(dump["gameOver"])
        if dump["targets"].count(SPOILED) >= 3 and dump["score"] >= 50 + dump["levelTargetScore"] // 4:
            session.send(controls.repair)
            dump = session.dump()
        slot = choose_slot(dump)
        target_x = sprayer_x_for_slot(slot) if slot is not None else 105
        steps = (target_x - dump["sprayerX"]) // SPRAYER_STEP
        session.send(*([controls.right if steps > 0 else controls.left] * abs(steps)))
        session.send(controls.fire, "wait %d" % SHOT_FLIGHT_MS)
    test.fail("the player did not win the level")


class WholeGameTest(GameTestCase):
    def play_whole_game(self, controls):
        game = self.new_game()
        session = self.new_session(game=game)
        session.send(*MENU)
        menu = session.dump()
        self.assertEqual((menu["screen"], menu["focus"]), ("menu", None))

        # The first navigation key shows the ring on the first button; the
        # next ones move it.
        session.send(controls.down)
        self.assertEqual(session.dump()["focus"], 220)
        session.send(controls.down, controls.down)
        self.assertEqual(session.dump()["focus"], 222)
        session.send(controls.up, controls.up)
        self.assertEqual(session.dump()["focus"], 220)
        session.send(controls.press)
        held = session.dump()
        self.assertEqual(held["screen"], "menu")  # held down until the release
        session.send("wait %d" % PRESS_MS)
        started = session.dump()
        self.assertEqual((started["screen"], started["currentLevel"]), ("game", 1))
        self.assertIsNone(started["focus"])  # the board keeps its keys

        play_level(self, session, controls)
        session.send(controls.claim)
        passed = session.dump()
        self.assertEqual((passed["screen"], passed["focus"]), ("passed", 200))
        session.send(controls.right, controls.right, controls.down)
        self.assertEqual(session.dump()["focus"], 207)
        session.send(controls.up, controls.left)
        self.assertEqual(session.dump()["focus"], 201)
        session.send(controls.back)  # no way back from the choice of words
        self.assertEqual(session.dump()["screen"], "passed")
        session.send(controls.press, "wait %d" % PRESS_MS)
        level_two = session.dump()
        self.assertEqual((level_two["screen"], level_two["currentLevel"]), ("game", 2))

        # Lost: one shot starts the time bar, which runs out.
        session.send(controls.fire, "wait %d" % TIME_BAR_MS, controls.fire, "wait 50")
        over = session.dump()
        self.assertEqual((over["screen"], over["focus"]), ("gameover", 118))
        session.send(controls.press, "wait %d" % PRESS_MS)
        retried = session.dump()
        self.assertEqual((retried["screen"], retried["currentLevel"], retried["shotsLeft"]),
                         ("game", 2, 100))
        session.send(controls.fire, "wait %d" % TIME_BAR_MS, controls.fire, "wait 50")
        self.assertEqual(session.dump()["screen"], "gameover")
        session.send(controls.back, "wait %d" % PRESS_MS)  # back to the menu
        back = session.dump()
        self.assertEqual((back["screen"], back["focus"]), ("menu", 220))

        # The menu's way back is the exit question, which opens on yes.
        session.send(controls.back, "wait %d" % PRESS_MS)
        asked = session.dump()
        self.assertIsNotNone(asked["question"])
        self.assertEqual(asked["focus"], "yes")
        session.send(controls.no_choice)
        self.assertEqual(session.dump()["focus"], "no")
        session.send(controls.press)
        refused = session.dump()
        self.assertIsNone(refused["question"])
        self.assertEqual(refused["screen"], "menu")
        session.send(controls.back, "wait %d" % PRESS_MS, controls.back)  # back on the question is no
        self.assertIsNone(session.dump()["question"])
        session.send(controls.back, "wait %d" % PRESS_MS, controls.press)
        code, _, errors = session.finish()
        self.assertEqual(code, 0, errors)
        self.assertEqual(game.settings()["CurrentLevel"], "2")

    def test_keyboard_alone(self):
        self.play_whole_game(Keyboard)

    def test_gamepad_alone(self):
        self.play_whole_game(Pad)


class RingTest(GameTestCase):
    def test_panels_and_their_way_back(self):
        session = self.new_session()
        # Tab: start (the ring shows), the level screen's button beside it, the maker's,
        # continue, the daily button beside it, options.
        session.send(*MENU, "key Tab", "key Tab", "key Tab", "key Tab", "key Tab", "key Tab", "key Return",
                     "wait %d" % PRESS_MS)
        settings = session.dump()
        self.assertEqual((settings["screen"], settings["focus"]), ("settings", 232))
        session.send("key Down", "key Down", "key Down", "key Space", "wait %d" % PRESS_MS)
        toggled = session.dump()
        self.assertFalse(toggled["soundEnabled"])
        self.assertEqual(toggled["focus"], 230)
        session.send("key Up", "key Up", "key Up", "key Shift+Tab")
        self.assertEqual(session.dump()["focus"], 235)  # wraps to the last
        session.send("key Escape", "wait %d" % PRESS_MS, "key Down", "key Down", "key Down",
                     "key Return", "wait %d" % PRESS_MS)
        help_page = session.dump()
        # The ring starts on the first button of the help's row: previous page.
        self.assertEqual((help_page["screen"], help_page["focus"]), ("help", 238))
        session.send("pad b", "wait %d" % PRESS_MS)
        self.assertEqual(session.dump()["screen"], "menu")

    def test_every_row_of_the_options_panel_by_keys(self):
        game = self.new_game()
        session = self.new_session(game=game)
        press = ["key Return", "wait %d" % PRESS_MS]
        session.send(*MENU, *["key Tab"] * 6, *press)  # to options
        self.assertEqual(session.dump()["focus"], 232)
        modes = []
        for _ in range(3):
            session.send(*press)
            modes.append(session.dump()["options"]["timeMode"])
        self.assertEqual(modes, ["relaxed", "off", "normal"])
        session.send("key Down", *press)
        vibration = session.dump()
        self.assertEqual((vibration["focus"], vibration["options"]["vibration"]), (233, False))
        session.send("key Down", *press)
        switched = session.dump()
        # The languages go round in the order of their codes: after zh comes de.
        self.assertEqual((switched["focus"], switched["language"]), (234, "de"))
        self.assertEqual(switched["options"], {"timeMode": "normal", "vibration": False, "language": "de",
                                                "speech": False})
        session.send("key Down", "key Down", "key Down")
        self.assertEqual(session.dump()["focus"], 300)  # Speech, under Glide
        session.send("key Down")
        self.assertEqual(session.dump()["focus"], 235)
        session.send("key Escape", "wait %d" % PRESS_MS)
        self.assertEqual(session.dump()["screen"], "menu")
        code, _, errors = session.finish()
        self.assertEqual(code, 0, errors)
        with open(os.path.join(game.directory, "quandrel-options.ini"), encoding="utf-8") as file:
            self.assertEqual(file.read(),
                             "[format]\nversion=1\n\n[options]\ntimeMode=normal\nvibration=off\nlanguage=de\n"
                             "speech=off\n")
        # The designed settings file keeps its own keys only.
        self.assertEqual(sorted(game.settings()), ["CurrentLevel", "isMove", "isSound"])

    def test_help_pages_turn_by_keys_pad_and_ring(self):
        game = self.new_game()
        session = self.new_session(game=game)
        session.send(*MENU, "command 223")
        opened = session.dump()
        self.assertEqual((opened["screen"], opened["helpPage"], opened["focus"]), ("help", 1, None))

        # Right reads on to the last page and stops there; every page is drawn differently.
        pages, frames = [], []
        for n in range(5):
            shot = "%s/page%d.png" % (game.directory, n)
            session.send("screenshot " + shot, "key Right")
            pages.append(session.dump()["helpPage"])
            frames.append(read_png(shot)[2])
        self.assertEqual(pages, [2, 3, 4, 5, 5])
        self.assertEqual(len(set(frames[:5])), 5)
        # Left and Right turn pages, not the ring; the pad's d-pad does the same.
        session.send("key Left")
        self.assertEqual(session.dump()["helpPage"], 4)
        session.send("pad left", "pad left")
        dump = session.dump()
        self.assertEqual((dump["helpPage"], dump["focus"]), (2, None))
        session.send("pad right")
        self.assertEqual(session.dump()["helpPage"], 3)

        # The ring goes among previous, next and back with Tab, Down and Up.
        session.send("key Tab", "key Return", "wait %d" % PRESS_MS)
        dump = session.dump()
        self.assertEqual((dump["focus"], dump["helpPage"]), (238, 2))
        session.send("key Down", "key Return", "wait %d" % PRESS_MS, "key Return", "wait %d" % PRESS_MS)
        dump = session.dump()
        self.assertEqual((dump["focus"], dump["helpPage"]), (239, 4))
        session.send("pad down")
        self.assertEqual(session.dump()["focus"], 236)
        session.send("key Right", "pad a", "wait %d" % PRESS_MS)
        closed = session.dump()
        self.assertEqual((closed["screen"], closed["helpPage"]), ("menu", None))
        # Opened again, the help starts at its first page; a finger swept left
        # reads on, swept right goes back, and a short sweep turns nothing.
        session.send("command 223")
        self.assertEqual(session.dump()["helpPage"], 1)
        session.send("down 300 300", "move 200 310", "up 200 310")
        self.assertEqual(session.dump()["helpPage"], 2)
        session.send("down 200 300", "up 240 300", "down 100 300", "up 300 300")
        self.assertEqual(session.dump()["helpPage"], 1)

    def test_the_press_shows_the_pressed_picture_until_the_release(self):
        game = self.new_game()
        session = self.new_session(game=game)
        first = game.directory + "/rest.png"
        held = game.directory + "/held.png"
        session.send(*MENU, "screenshot " + first, "key Down", "key Down", "key Return",
                     "screenshot " + held, "wait %d" % PRESS_MS)
        released = session.dump()  # also: both pictures are written by now
        self.assertEqual(released["screen"], "game")
        rest, pressed = read_png(first)[2], read_png(held)[2]

        def pixel(data, x, y):
            return data[(y * 480 + x) * 4:(y * 480 + x) * 4 + 3]

        # The continue button (180, 480, 108 x 38): its middle changes while
        # held; its edge carries the ring.
        self.assertNotEqual(pixel(rest, 234, 499), pixel(pressed, 234, 499))
        self.assertNotEqual(pixel(rest, 181, 499), pixel(pressed, 181, 499))


if __name__ == "__main__":
    unittest.main()


class AnnouncementTest(GameTestCase):
    """The words a player by ear hears: each screen, each move of the ring with
    the button's state, in the dump and in the announcement log."""

    def said(self, session):
        return [(a["priority"], a["text"]) for a in session.dump()["announcements"]]

    def test_screens_and_focus_moves_in_english_and_chinese(self):
        press = ["key Return", "wait %d" % PRESS_MS]
        cases = [
            ("en", "Main menu. Start; Levels; Make; Continue; Daily challenge; Options; Help; Exit.",
             "Daily challenge, day 8, level 2. Not played yet today. Streak 0 days, best streak 0 days. "
             "Play; Open a run; Back.",
             "Time bar, Normal", "Time bar, Relaxed", "Thanks for playing Ostra games! Quit? Y for yes, N for no.",
             "OK"),
            ("zh", "主菜单。 开始游戏；选关；做关卡；继续游戏；每日挑战；选项设置；帮助说明；退出游戏。",
             "每日挑战第8天，第2关。 今天还没玩。 连续0天，最佳连续0天。 开始挑战；打开记录；返回。",
             "时间条，标准", "时间条，宽松", "感谢对Ostra游戏的支持！ 确定退出? 按Y确定，按N取消。", "确定"),
        ]
        for lang, menu, daily, ringed, pressed, question, yes in cases:
            with self.subTest(lang=lang):
                game = self.new_game(lang=lang)
                log = os.path.join(game.directory, "words.log")
                game.env["QUANDREL_ANNOUNCE_LOG"] = log
                game.env["QUANDREL_TODAY"] = "2026-12-08"
                session = self.new_session(game=game)
                session.send(*MENU)
                self.assertEqual(self.said(session), [("polite", menu)])
                session.send("command 400", "wait %d" % PRESS_MS)
                self.assertEqual(self.said(session), [("polite", daily)])
                session.send("command 405", "wait %d" % PRESS_MS)
                session.send("command 222", "key Down")
                options = self.said(session)
                self.assertEqual(options[-1], ("polite", ringed))
                session.send(*press)
                self.assertEqual(self.said(session), [("polite", pressed)])
                session.send("key Escape", "wait %d" % PRESS_MS, "command 224")
                # The question, then its ringed answer.
                self.assertEqual(self.said(session)[-2:], [("assertive", question), ("polite", yes)])
                session.send("key N")
                code, _, errors = session.finish()
                self.assertEqual(code, 0, errors)
                with open(log, encoding="utf-8") as file:
                    lines = [line.rstrip("\n").split("\t") for line in file]
                self.assertEqual(lines[0], [str(SPLASH_MS), "polite", menu])
                self.assertIn(["assertive", question], [line[1:] for line in lines])

    def test_the_maker_tells_each_change_once(self):
        game = self.new_game(lang="en")
        session = self.new_session(game=game)
        session.send(*MENU)
        self.said(session)
        session.send("command 600", "wait %d" % PRESS_MS)
        entered = self.said(session)
        self.assertEqual(len(entered), 1)
        self.assertTrue(entered[0][1].startswith("Make a board. Target 600 points. Not cleared yet: clear it to "
                                                 "share it. Tube 1, purple, 1 of 3; Tube 2, yellow, 1 of 3;"),
                        entered)
        steps = [
            (["command 602"], ["Tube 1, purple, 2 of 3."]),  # a tap: the tube's new state
            (["command 613"], ["Target 650 points."]),
            (["command 614"], ["New colours."]),
            (["key Tab"], ["Tube 1, purple, 2 of 3"]),  # the ring on the tube: its name
            (["key Return", "wait %d" % PRESS_MS], ["Tube 1, purple, 3 of 3"]),  # told once, by its name
            (["key Return", "wait %d" % PRESS_MS], ["Tube 1, broken"]),
        ]
        for lines, words in steps:
            with self.subTest(lines=lines):
                session.send(*lines)
                self.assertEqual(self.said(session), [("polite", w) for w in words])
