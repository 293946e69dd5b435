"""A seeded random player: taps, drags, keys, the commands of the buttons on
screen and waits, 200,000 of them by default, with the state checked after
every one. QUANDREL_SOAK_STEPS and QUANDREL_SOAK_SEED change the run."""

import os
import random
import unittest

from play_helpers import SPOILED, is_full, key_rule_holds
from quandrel_driver import GameTestCase

BUTTON_COMMANDS = {114, 116, 117, 118, 119, 220, 221, 222, 223, 224, 225, 230, 231, 235, 236, 237, 238, 239}
BUTTON_COMMANDS |= set(range(200, 210)) | set(range(240, 250))
KEYS = ["Left", "Right", "Space", "Return", "Escape", "R", "B", "Up", "F11"]
SCREENS = {"splash", "menu", "settings", "help", "levels", "game", "passed", "gameover", "finale", "question", "daily", "watch",
           "leaderboard", "maker", "board"}
SCORE_STEPS = {0, 50, -30, -50}
# Buttons that lead back into play are pressed more often than the others.
FAVOURED = {220: 4, 221: 4, 118: 3, 235: 3, 236: 3}


def random_action(rng, dump):
    if dump["screen"] == "question":
        return ["answer no"]  # a yes would end the run
    roll = rng.random()
    if roll < 0.30:
        return ["tap %d %d" % (rng.randrange(480), rng.randrange(720))]
    if roll < 0.40:
        x, y = rng.randrange(480), rng.randrange(720)
        moves = ["move %d %d" % (rng.randrange(480), rng.randrange(720))
                 for _ in range(rng.randrange(1, 6))]
        return ["down %d %d" % (x, y)] + moves + ["up %d %d" % (x, y)]
    if roll < 0.50:
        return ["key " + rng.choice(KEYS)]
    if roll < 0.75:
        shown = [id for id in dump["visible"] if id in BUTTON_COMMANDS]
        if 101 in dump["visible"] and rng.random() < 0.6:
            return ["command 101 %d" % rng.choice([1, 1, 1, 0, 2])]
        if shown:
            weights = [FAVOURED.get(id, 1) for id in shown]
            return ["command %d" % rng.choices(shown, weights)[0]]
        return ["wait 50"]
    if rng.random() < 0.02:
        return ["wait %d" % rng.randrange(9000, 12000)]
    return ["wait %d" % rng.choice([10, 30, 50, 250, rng.randrange(1, 1300)])]


class SoakTest(GameTestCase):
    def check(self, before, after, where):
        targets = after["targets"]
        self.assertTrue(all(0 <= s <= SPOILED for s in targets), where)
        # A full tube empties as it scores; only a made or received board may start with one.
        if after["maker"] is None and after["board"] is None:
            self.assertFalse(any(is_full(s) for s in targets), where)
        self.assertGreaterEqual(after["shotsLeft"], 0, where)
        self.assertIn(after["currentColour"], range(6), where)
        self.assertIn(after["nextColour"], range(6), where)
        self.assertIn(after["missCounter"], range(4), where)
        self.assertIn(after["mixedFromPrimaries"], (0, 1), where)
        self.assertIn(after["lightningFrame"], range(5), where)
        self.assertIn(after["cloudDriftCount"], range(5), where)
        self.assertIn(after["currentLevel"], range(11), where)
        self.assertIn(after["screen"], SCREENS, where)
        self.assertTrue(0 <= after["timeBarX"] <= 480, where)
        self.assertTrue(105 <= after["sprayerX"] <= 427 and (after["sprayerX"] - 105) % 23 == 0,
                        where)
        if after["shotInFlight"]:
            self.assertTrue(after["shot"]["visible"], where)
        if after["passLit"]:
            self.assertTrue(key_rule_holds(after), where)
        gained = [k for k in range(8) if after["keys"][k] and not before["keys"][k]]
        if gained:
            # Keys come only with a completed colour: 50 points in the same step.
            self.assertEqual(after["score"] - before["score"], 50, where)
            if 7 in gained:
                self.assertGreaterEqual(after["score"], after["levelTargetScore"], where)
            if 6 in gained:
                self.assertEqual(after["mixedFromPrimaries"], 1, where)
        delta = after["score"] - before["score"]
        self.assertTrue(delta in SCORE_STEPS or after["score"] == 0, where)

    def test_random_player_keeps_the_game_valid(self):
        steps = int(os.environ.get("QUANDREL_SOAK_STEPS", "200000"))
        seed = int(os.environ.get("QUANDREL_SOAK_SEED", "20240607"))
        rng = random.Random(seed)
        session = self.new_session()
        before = session.dump()
        screens = set()
        for step in range(steps):
            action = random_action(rng, before)
            session.send(*action)
            after = session.dump()
            self.check(before, after, "seed %d step %d %s" % (seed, step, action))
            screens.add(after["screen"])
            before = after
        code, _, stderr = session.finish()
        self.assertEqual(code, 0, stderr)
        self.assertNotIn("runtime error", stderr)
        self.assertNotIn("Sanitizer", stderr)
        if steps >= 10000:
            self.assertTrue({"menu", "game", "gameover", "settings", "help"} <= screens, screens)


if __name__ == "__main__":
    unittest.main()
