"""How an attempt ends or is helped along: claims, the two purchases, the
time bar running out, the last of the hundred shots, every target spoiled."""

import unittest

from play_helpers import SPOILED, choose_slot, shoot, slot_for_effect
from quandrel_driver import MENU, GameTestCase, settings_bytes

GAME_OVER_BUTTONS = [118, 119]


class ClaimTest(GameTestCase):
    def test_claim_without_the_keys_only_plays_the_tune(self):
        session = self.new_session()
        session.send(*MENU, "command 220")
        before = session.dump()
        session.send("command 101 0")
        after = session.dump()
        self.assertEqual(after["sounds"], [3])
        self.assertEqual(after["looping"], 3)
        self.assertEqual(after["screen"], "game")
        for field in ("levelPassed", "targets", "score", "shotsLeft", "visible"):
            self.assertEqual(after[field], before[field], field)


class PurchaseTest(GameTestCase):
    def completed_level_seven(self):
        """Level 7 after its first shot completed colour 0: 50 points."""
        session = self.new_session(settings_bytes(7))
        session.send(*MENU, "command 221")
        dump = shoot(session, 9)
        self.assertEqual(dump["score"], 50)
        return session, dump

    def test_fifty_points_buy_25_shots_once(self):
        session, dump = self.completed_level_seven()
        self.assertTrue(dump["buyLit"] and dump["repairLit"])
        session.send("command 117")
        bought = session.dump()
        self.assertEqual((bought["score"], bought["shotsLeft"]), (0, dump["shotsLeft"] + 25))
        self.assertFalse(bought["buyLit"])
        self.assertEqual(bought["sounds"], [])
        session.send("command 117")
        self.assertEqual(session.dump()["shotsLeft"], bought["shotsLeft"])

    def test_fifty_points_repair_the_leftmost_spoiled_target(self):
        session, dump = self.completed_level_seven()
        session.send("command 114")
        repaired = session.dump()
        self.assertEqual(repaired["score"], 0)
        self.assertEqual(repaired["targets"][0], 0)
        self.assertEqual(repaired["targets"][1:], dump["targets"][1:])
        self.assertEqual(repaired["sounds"], [6])
        self.assertFalse(repaired["repairLit"])

    def test_below_fifty_points_nothing_is_bought(self):
        session, dump = self.completed_level_seven()
        while dump["score"] >= 50:  # spoil something to fall below 50
            slot = slot_for_effect(dump, "spoil")
            dump = shoot(session, slot if slot is not None else slot_for_effect(dump, "grow"))
        self.assertLess(dump["score"], 50)
        self.assertFalse(dump["buyLit"] or dump["repairLit"])
        session.send("command 117", "command 114")
        after = session.dump()
        for field in ("score", "shotsLeft", "targets"):
            self.assertEqual(after[field], dump[field], field)
        self.assertEqual(after["sounds"], [])


class EndingTest(GameTestCase):
    def test_time_out_between_shots_shows_at_the_next_fire(self):
        session = self.new_session()
        session.send(*MENU, "command 220", "wait 20000")
        self.assertFalse(session.dump()["gameOver"])  # the bar runs only after a shot
        session.send("command 101 1", "wait 9950")
        self.assertFalse(session.dump()["gameOver"])
        session.send("wait 50")
        timed_out = session.dump()
        self.assertTrue(timed_out["gameOver"])
        self.assertFalse(timed_out["timeBarRunning"])
        self.assertEqual(timed_out["timeBarX"], 0)
        session.send("wait 5000")
        self.assertEqual(session.dump()["screen"], "game")
        session.send("command 101 1")
        fired = session.dump()
        self.assertEqual(fired["screen"], "game")
        self.assertTrue(fired["shotInFlight"])
        self.assertEqual(fired["haptics"], [])
        session.send("wait 50")  # the shot's first tick shows it
        shown = session.dump()
        self.assertEqual(shown["screen"], "gameover")
        self.assertEqual(shown["haptics"], ["gameover"])
        session.send("wait 500")  # shown again at each tick of the falling shot, felt once
        self.assertEqual(session.dump()["haptics"], [])
        self.assertEqual(shown["visible"][-2:], GAME_OVER_BUTTONS)
        self.assertNotIn(101, shown["visible"])
        session.send("command 118")
        retried = session.dump()
        self.assertEqual(retried["screen"], "game")
        self.assertFalse(retried["gameOver"])
        self.assertEqual(retried["shotsLeft"], 100)

    def test_last_shot_lands_without_effect_and_the_next_fire_ends_it(self):
        session = self.new_session()
        session.send(*MENU, "command 220")
        dump = session.dump()
        for _ in range(99):
            if dump["targets"].count(SPOILED) >= 4 and dump["score"] >= 50:
                session.send("command 114")
                dump = session.dump()
            dump = shoot(session, choose_slot(dump))
            self.assertFalse(dump["gameOver"], dump)
        self.assertEqual(dump["shotsLeft"], 1)
        slot = slot_for_effect(dump, "harmless")
        self.assertIsNotNone(slot)
        last = shoot(session, slot)
        self.assertEqual(last["shotsLeft"], 0)
        self.assertTrue(last["hitPending"])
        self.assertEqual(last["targets"], dump["targets"])
        self.assertEqual(last["screen"], "game")
        session.send("command 101 1")
        over = session.dump()
        self.assertTrue(over["gameOver"])
        self.assertEqual(over["screen"], "gameover")
        session.send("command 119")
        menu = session.dump()
        self.assertEqual(menu["screen"], "menu")
        self.assertFalse(menu["gameOver"])

    def test_last_target_spoiled_ends_the_attempt_in_the_same_tick(self):
        session = self.new_session(settings_bytes(10))  # two targets, both empty
        session.send(*MENU, "command 221")
        dump = session.dump()
        while dump["targets"].count(SPOILED) < 9 or slot_for_effect(dump, "spoil") is None:
            self.assertFalse(dump["gameOver"])
            slot = slot_for_effect(dump, "spoil")
            if slot is None:
                slot = slot_for_effect(dump, "grow")
            dump = shoot(session, slot)
        session.send("command 101 1", "wait 1050")  # resolved on this tick
        over = session.dump()
        self.assertEqual(over["targets"], [SPOILED] * 10)
        self.assertEqual(over["haptics"], ["spoil", "gameover"])
        self.assertTrue(over["gameOver"])
        self.assertEqual(over["screen"], "gameover")


if __name__ == "__main__":
    unittest.main()
