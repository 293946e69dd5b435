"""A player who reads the board wins level 1, claims it and moves on to level
2 through a word of the level-passed screen; and on level 2 the key of a
colour mixed from two primaries is needed as well."""

import unittest

from play_helpers import key_rule_holds, play
from quandrel_driver import MENU, GameTestCase, settings_bytes
from test_levels import BOARDS

CHOICES = list(range(200, 210))


class PlaythroughTest(GameTestCase):
    def test_win_level_one_and_reach_level_two(self):
        game = self.new_game()
        session = self.new_session(game=game)
        session.send(*MENU, "command 220")
        won = play(session, until=lambda dump: dump["passLit"])
        self.assertIsNotNone(won, "the player did not win level 1")
        self.assertTrue(key_rule_holds(won))
        self.assertGreaterEqual(won["score"], 600)
        session.send("command 101 0")
        passed = session.dump()
        self.assertEqual(passed["screen"], "passed")
        self.assertTrue(passed["levelPassed"])
        self.assertIn(3, passed["sounds"])
        self.assertEqual(passed["looping"], 3)
        self.assertEqual(passed["visible"][-10:], CHOICES)
        self.assertNotIn(101, passed["visible"])
        session.send("command 205")
        level_two = session.dump()
        self.assertEqual(level_two["screen"], "game")
        self.assertEqual(level_two["currentLevel"], 2)
        self.assertEqual(level_two["targets"], BOARDS[2][0])
        self.assertEqual((level_two["score"], level_two["shotsLeft"]), (0, 100))
        self.assertEqual(level_two["keys"], [False] * 8)
        self.assertFalse(level_two["passLit"])
        self.assertTrue(set(CHOICES).isdisjoint(level_two["visible"]))
        self.assertEqual(game.settings()["CurrentLevel"], "2")

    def test_level_two_also_needs_the_mixed_key(self):
        session = self.new_session(settings_bytes(2))
        session.send(*MENU, "command 221")
        all_but_mixed = [0, 1, 2, 3, 4, 5, 7]
        almost = play(session, until=lambda d: all(d["keys"][k] for k in all_but_mixed),
                      avoid_mixed_key=True)
        self.assertIsNotNone(almost, "the player did not earn the keys")
        if not almost["keys"][6]:
            self.assertFalse(almost["passLit"])
            session.send("command 101 0")
            self.assertEqual(session.dump()["screen"], "game")
        won = play(session, until=lambda d: d["passLit"], max_shots=almost["shotsLeft"])
        self.assertIsNotNone(won, "the player did not mix a full secondary colour")
        self.assertTrue(won["keys"][6])
        session.send("command 101 0")
        self.assertEqual(session.dump()["screen"], "passed")


if __name__ == "__main__":
    unittest.main()
