"""Moving the sprayer by touch, the desktop keys, and the movement switch."""

import unittest

from quandrel_driver import MENU, GameTestCase, settings_bytes


class TouchTest(GameTestCase):
    def test_taps_step_the_sprayer_towards_their_half(self):
        taps = [("tap 300 300", 128), ("tap 240 300", 128), ("tap 300 612", 128),
                ("tap 300 611", 151), ("tap 100 300", 128), ("tap 100 300", 105),
                ("tap 100 300", 105)] + [("tap 470 10", x) for x in range(128, 405, 23)] + \
               [("tap 470 10", 404)]
        script = MENU + ["command 220"]
        for tap, _ in taps:
            script += [tap, "dump"]
        dumps = self.run_script(script)
        for (tap, expected), dump in zip(taps, dumps):
            self.assertEqual(dump["sprayerX"], expected, tap)
            self.assertEqual(dump["sprayerPictureX"], expected, tap)

    def test_drag_held_at_the_right_edge_steps_between_404_and_427(self):
        script = MENU + ["command 220", "down 300 300"]
        for _ in range(16):
            script += ["move 470 300", "dump"]
        script += ["up 470 300", "move 100 300", "dump"]
        dumps = self.run_script(script)
        positions = [dump["sprayerX"] for dump in dumps]
        # The press itself stepped to 128; each move steps once towards the finger.
        self.assertEqual(positions[:12], list(range(151, 405, 23)))
        self.assertEqual(positions[12:16], [427, 404, 427, 404])
        self.assertEqual(positions[16], 404)  # released: moving does nothing


class KeyTest(GameTestCase):
    def test_keys_do_what_their_buttons_do_where_those_are_shown(self):
        session = self.new_session(settings_bytes(7))
        # On the menu the keys move the focus ring; the game's keys do nothing.
        session.send(*MENU, "key R", "key B")
        menu = session.dump()
        self.assertEqual((menu["shotsLeft"], menu["sprayerX"]), (100, 105))
        session.send("command 221", "key Right", "key Right", "key Left")
        self.assertEqual(session.dump()["sprayerX"], 128)
        for _ in range(9):
            session.send("key Right")
        session.send("key Space", "wait 1200")
        completed = session.dump()  # colour 0 completed slot 9
        self.assertEqual((completed["shotsLeft"], completed["score"]), (99, 50))
        session.send("key B")
        bought = session.dump()
        self.assertEqual((bought["shotsLeft"], bought["score"]), (124, 0))
        session.send("key Return")
        self.assertEqual(session.dump()["sounds"], [3])
        session.send("key R")
        self.assertEqual(session.dump()["sounds"], [])
        session.send("key Escape")
        paused = session.dump()
        self.assertEqual(paused["screen"], "menu")
        self.assertTrue(paused["paused"])
        # Escape presses the panel's back button, which reports on release.
        session.send("command 222", "key Escape", "wait 100")
        self.assertEqual(session.dump()["screen"], "menu")
        session.send("command 223", "key Escape", "wait 100")
        self.assertEqual(session.dump()["screen"], "menu")


class MovementSwitchTest(GameTestCase):
    def test_with_movement_on_the_sprayer_glides_between_steps(self):
        dumps = self.run_script(MENU + ["command 221", "tap 300 300", "dump", "wait 10", "dump",
                                        "wait 40", "dump", "command 101 1", "dump"],
                                settings=settings_bytes(1, is_move=1))
        moved, first_tick, arrived, fired = dumps
        self.assertTrue(moved["movementOn"])
        self.assertEqual((moved["sprayerX"], moved["sprayerPictureX"]), (128, 105))
        self.assertIn([197, 10], moved["timers"])
        self.assertTrue(105 < first_tick["sprayerPictureX"] < 128)
        self.assertEqual(arrived["sprayerPictureX"], 128)
        self.assertNotIn(197, [timer[0] for timer in arrived["timers"]])
        self.assertEqual(fired["shot"]["x"], 168)


if __name__ == "__main__":
    unittest.main()
