"""The start menu and what it opens: the settings panel with its rows, the
help page, continue, pause, and the exit question."""

import unittest

from quandrel_driver import MENU, GameTestCase, settings_bytes

# The panel, sound, movement, time bar, vibration, language, back.
SETTINGS_PANEL = [109, 230, 231, 232, 233, 300, 234, 235]


class SettingsPanelTest(GameTestCase):
    def test_options_opened_twice_show_the_same_panel(self):
        first, closed, second = self.run_script(
            MENU + ["command 222", "dump", "command 235", "dump", "command 222", "dump"])
        self.assertEqual(first["screen"], "settings")
        self.assertEqual(first["visible"][-len(SETTINGS_PANEL):], SETTINGS_PANEL)
        self.assertEqual(closed["screen"], "menu")
        self.assertTrue(set(SETTINGS_PANEL).isdisjoint(closed["visible"]))
        self.assertEqual(second["visible"], first["visible"])
        self.assertEqual(first["toggles"], [True, True])  # a first start: both on
        self.assertEqual(second["toggles"], first["toggles"])

    def test_sound_off_plays_the_exit_sound_and_on_plays_nothing(self):
        game = self.new_game()
        off, on = self.run_script(
            MENU + ["command 222", "dump", "command 230", "dump", "command 230", "dump"],
            game=game)[1:]
        self.assertEqual(off["sounds"], [8])
        self.assertFalse(off["soundEnabled"])
        self.assertIsNone(off["looping"])  # the tune ended with it
        self.assertEqual(off["toggles"], [False, True])
        self.assertFalse(off["settings"]["isSound"])
        self.assertEqual(on["sounds"], [])
        self.assertTrue(on["soundEnabled"])
        self.assertIsNone(on["looping"])  # comes back only with the next claim
        self.assertEqual(game.settings()["isSound"], "1")

    def test_stored_switches_hold_from_the_start(self):
        stored = settings_bytes(0, is_sound=0, is_move=0)
        game = self.new_game(stored)
        start, panel, stepped, playing, switched_on, fired = self.run_script(
            ["dump"] + MENU + ["command 222", "dump", "command 235", "command 220",
                               "tap 400 300", "dump", "command 101 1", "wait 1200", "dump",
                               "command 101 2", "command 222", "command 230", "dump",
                               "command 235", "command 221", "command 101 1", "dump"],
            game=game)
        self.assertEqual((start["sounds"], start["looping"]), ([], None), "no music at start")
        self.assertEqual((start["soundEnabled"], start["movementOn"]), (False, False))
        self.assertEqual(panel["toggles"], [False, False])
        self.assertEqual(panel["sounds"], [])
        self.assertEqual(stepped["sounds"] + playing["sounds"], [], "neither ready.wav nor a shot is heard")
        self.assertEqual((stepped["sprayerX"], stepped["sprayerPictureX"]), (128, 128),
                         "with movement off the sprayer jumps")
        self.assertEqual(switched_on["toggles"], [True, False])
        self.assertEqual(switched_on["sounds"], [], "switching on plays nothing")
        self.assertEqual(fired["sounds"], [1], "the next shot is heard")
        with open(game.settings_path, "rb") as file:
            self.assertEqual(file.read(), settings_bytes(1, is_sound=1, is_move=0))

    def test_switches_from_the_record_show_on_the_panel(self):
        game = self.new_game(settings_bytes(2, is_sound=0, is_move=1))
        dumps = self.run_script(MENU + ["command 221", "command 101 2", "command 222", "dump"],
                                game=game)
        self.assertEqual(dumps[0]["toggles"], [False, True])
        self.assertEqual((dumps[0]["soundEnabled"], dumps[0]["movementOn"]), (False, True))

    def test_movement_toggle_is_saved(self):
        game = self.new_game(settings_bytes(0, is_move=0))
        dump = self.run_script(MENU + ["command 222", "dump", "command 231", "dump"],
                               game=game)[1]
        self.assertTrue(dump["movementOn"])
        self.assertEqual(dump["sounds"], [])
        self.assertEqual(dump["toggles"], [True, True])
        self.assertEqual(game.settings()["isMove"], "1")


class HelpAndExitTest(GameTestCase):
    def test_help_page_opens_and_closes(self):
        shown, closed = self.run_script(MENU + ["command 223", "dump", "command 236", "dump"])
        self.assertEqual(shown["screen"], "help")
        self.assertEqual(shown["visible"][-4:], [100, 236, 238, 239])
        self.assertEqual(closed["screen"], "menu")
        self.assertEqual(closed["visible"][-5:], [220, 221, 222, 223, 224])

    def test_exit_answered_no_stays_and_the_file_is_written(self):
        game = self.new_game(settings_bytes(0, is_move=0))
        session = self.new_session(game=game)
        session.send(*MENU, "command 222", "command 231", "command 235")
        session.dump()
        session.send("command 224")
        asking = session.dump()
        self.assertEqual(asking["screen"], "question")
        self.assertEqual(asking["question"]["text"], "确定退出?")
        self.assertEqual(asking["question"]["caption"], "感谢对Ostra游戏的支持！")
        self.assertEqual(asking["sounds"], [8])
        self.assertEqual(game.settings(), {"CurrentLevel": "0", "isSound": "1", "isMove": "1"})
        session.send("answer no")
        self.assertEqual(session.dump()["screen"], "menu")
        session.send("command 224", "answer yes")
        code, rest, stderr = session.finish()
        self.assertEqual((code, rest), (0, ""), stderr)
        self.assertEqual(game.settings()["isMove"], "1")


class ContinueTest(GameTestCase):
    def test_continue_starts_the_saved_level_within_the_game(self):
        for stored, level in ((0, 1), (5, 5), (99, 10), (-4, 1)):
            with self.subTest(stored=stored):
                [dump] = self.run_script(MENU + ["command 221", "dump"],
                                         settings=settings_bytes(stored))
                self.assertEqual(dump["currentLevel"], level)
                self.assertEqual(dump["screen"], "game")
                self.assertIn([111, 250], dump["timers"])

    def test_pause_keeps_the_game_until_continue(self):
        session = self.new_session(settings_bytes(3))
        session.send(*MENU, "command 221", "command 101 1", "wait 600")
        playing = session.dump()
        session.send("command 101 2")
        paused = session.dump()
        self.assertEqual(paused["screen"], "menu")
        self.assertTrue(paused["paused"])
        self.assertNotIn(111, [timer[0] for timer in paused["timers"]])
        session.send("wait 5000", "command 221")
        resumed = session.dump()
        for field in ("currentLevel", "targets", "shotsLeft", "timeBarX", "shot", "score"):
            self.assertEqual(resumed[field], playing[field], field)
        self.assertFalse(resumed["paused"])
        self.assertIn([111, 250], resumed["timers"])
        session.send("command 101 2", "command 220")
        restarted = session.dump()
        self.assertEqual(restarted["currentLevel"], 1)
        self.assertEqual(restarted["shotsLeft"], 100)
        self.assertFalse(restarted["paused"])

    def test_start_and_continue_wait_for_the_menu(self):
        during_splash, = self.run_script(["command 220", "command 221", "dump"])
        self.assertEqual(during_splash["screen"], "splash")
        self.assertFalse(during_splash["inGame"])


if __name__ == "__main__":
    unittest.main()
