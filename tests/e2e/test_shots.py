"""A shot's flight and what its landing does: every kind of hit, misses and
the random colour of every fourth miss. The first shot of a level is always
colour 0, so these boards give known outcomes."""

import unittest

from play_helpers import SPOILED, is_full, mix
from quandrel_driver import MENU, GameTestCase, move_sprayer_to, settings_bytes, sprayer_x_for_slot

TICK = 50


def fire_at(slot):
    target_x = sprayer_x_for_slot(slot) if slot is not None else 105
    return move_sprayer_to(105, target_x) + ["command 101 1"]


class ShotFlightTest(GameTestCase):
    def test_shot_falls_is_resolved_past_450_and_hidden_past_500(self):
        dumps = self.run_script(
            MENU + ["command 221", "dump"] + fire_at(6) +
            ["dump", "wait 500", "command 101 1", "dump", "wait 500", "dump",
             "wait 50", "dump", "wait 100", "dump", "wait 50", "dump"],
            settings=settings_bytes(6))
        _, launched, refired, at450, at465, at495, at510 = dumps
        self.assertEqual(launched["shot"], {"x": 168 + 23 * 6, "y": 150, "colour": 0,
                                            "visible": True})
        self.assertEqual(launched["sounds"], [1])
        self.assertIn([110, 50], launched["timers"])
        self.assertEqual(launched["shotsLeft"], 99)
        # Fire while the shot flies: only the time bar starts again.
        self.assertEqual(refired["shotsLeft"], 99)
        self.assertEqual(refired["timeBarX"], 480)
        self.assertEqual(refired["sounds"], [])
        self.assertEqual(at450["shot"]["y"], 450)
        self.assertTrue(at450["hitPending"])
        self.assertEqual(at450["targets"][6], 1)
        self.assertEqual(at465["shot"]["y"], 465)
        self.assertFalse(at465["hitPending"])
        self.assertEqual(at465["targets"][6], 2)
        self.assertTrue(at495["shotInFlight"])
        self.assertEqual(at510["shot"]["y"], 510)
        self.assertFalse(at510["shot"]["visible"])
        self.assertFalse(at510["shotInFlight"])
        self.assertIn([110, 50], at510["timers"])  # never stopped


class HitTest(GameTestCase):
    def land_first_shot(self, level, slot):
        dumps = self.run_script(MENU + ["command 221", "dump"] + fire_at(slot) +
                                ["dump", "wait %d" % (21 * TICK), "dump"],
                                settings=settings_bytes(level))
        return dumps[0], dumps[2]

    def test_growing_and_mixing_keep_the_score(self):
        for level, slot, expected in ((6, 0, 1), (6, 6, 2), (6, 2, 8), (1, 1, 8), (1, 6, 17)):
            with self.subTest(level=level, slot=slot):
                before, after = self.land_first_shot(level, slot)
                self.assertEqual(expected, mix(before["targets"][slot], 0)[0])
                self.assertEqual(after["targets"][slot], expected)
                self.assertEqual(after["score"], 0)
                self.assertEqual((after["sounds"], after["haptics"]), ([], []))
                self.assertEqual(after["keys"], [False] * 8)

    def test_spoiling_costs_30_points_and_strikes_lightning(self):
        before, after = self.land_first_shot(1, 0)
        self.assertEqual(after["targets"][0], SPOILED)
        self.assertEqual(after["score"], -30)
        self.assertEqual(after["sounds"], [5])
        self.assertEqual(after["haptics"], ["spoil"])
        self.assertTrue(after["lightningRunning"])
        self.assertIn([186, 10], after["timers"])

    def test_completion_scores_earns_the_key_and_sends_clouds(self):
        before, after = self.land_first_shot(7, 9)  # two measures of colour 0
        self.assertEqual(after["targets"][9], 0)
        self.assertEqual(after["score"], 50)
        self.assertEqual(after["keys"], [True] + [False] * 7)
        self.assertEqual(after["sounds"], [4])
        self.assertEqual(after["haptics"], ["complete"])
        self.assertIn([196, 30], after["timers"])
        self.assertIn(after["cloudDriftCount"], range(5))
        self.assertEqual(after["mixedFromPrimaries"], 0)

    def test_completion_mixed_from_primaries_earns_key_6(self):
        before, after = self.land_first_shot(9, 4)  # two measures of colour 1, plus 0
        self.assertEqual(after["targets"][4], 0)
        self.assertEqual(after["mixedFromPrimaries"], 1)
        self.assertEqual([k for k, earned in enumerate(after["keys"]) if earned], [2, 6])


class MissTest(GameTestCase):
    def test_every_fourth_miss_throws_a_colour_on_the_leftmost_target(self):
        session = self.new_session(settings_bytes(4))  # slots 0 and 1 start spoiled
        session.send(*MENU, "command 221")
        start = session.dump()
        for miss in range(1, 4):
            session.send("command 101 1", "wait 1200")
            dump = session.dump()
            self.assertEqual(dump["missCounter"], miss)
            self.assertEqual(dump["targets"], start["targets"])
        session.send("command 101 1", "wait 1200")
        dump = session.dump()
        self.assertEqual(dump["missCounter"], 0)
        leftmost = 2
        self.assertEqual(dump["targets"][leftmost + 1:], start["targets"][leftmost + 1:])
        outcomes = {mix(start["targets"][leftmost], colour)[0] for colour in range(6)}
        outcomes = {0 if is_full(state) else state for state in outcomes}
        self.assertIn(dump["targets"][leftmost], outcomes)
        if dump["targets"][leftmost] == SPOILED:
            self.assertEqual(dump["score"], -30)
        if dump["targets"][leftmost] == 0:
            self.assertEqual(dump["score"], 50)
            self.assertNotIn(196, [timer[0] for timer in dump["timers"]])  # no clouds

    def test_a_shot_on_a_spoiled_target_is_a_miss(self):
        [_, dump] = self.run_script(MENU + ["command 221", "dump"] + fire_at(3) + ["wait 1200", "dump"],
                                    settings=settings_bytes(2))
        self.assertEqual(dump["missCounter"], 1)
        self.assertEqual(dump["score"], 0)


if __name__ == "__main__":
    unittest.main()
