"""A player who reads the board wins level 1, claims it and moves on to level
2 through a word of the level-passed screen; and on level 2 the key of a
colour mixed from two primaries is needed as well. The day's challenge played
the same way: claimed, shared, proven by --verify without a file written, and
raced."""

import json
import os
import subprocess
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


    def test_day_played_shared_verified_and_raced(self):
        game = self.new_game()
        game.env["QUANDREL_TODAY"] = "2026-12-01"  # day 1, level 1
        session = self.new_session(game=game)
        session.send(*MENU, "command 400", "command 402")
        first = session.dump()
        self.assertEqual((first["screen"], first["currentLevel"]), ("game", 1))
        self.assertEqual(first["daily"]["practice"], False)
        self.assertIsNone(first["share"])
        won = play(session, until=lambda dump: dump["passLit"])
        self.assertIsNotNone(won, "the player did not win the day's level")
        session.send("command 101 0")
        claimed = session.dump()
        result = claimed["daily"]["result"]
        self.assertEqual((result["score"], result["claimed"]), (won["score"], True))
        self.assertEqual((claimed["daily"]["streak"], claimed["daily"]["bestStreak"]), (1, 1))
        token = claimed["share"]["token"]
        self.assertIn(token, claimed["share"]["text"])
        self.assertEqual(claimed["settings"]["level"], 0, "the day does not change the saved level")
        self.assertEqual(claimed["records"][0]["claims"], 0, "the day keeps no level records")

        # Proven from outside with the same numbers, and nothing written.
        files = sorted(os.listdir(game.directory))
        daily_file = open(os.path.join(game.directory, "quandrel-daily.ini"), "rb").read()
        proof = subprocess.run([game.binary, "--verify", token], capture_output=True, text=True,
                               cwd=game.directory, env=game.env, timeout=60)
        self.assertEqual(proof.returncode, 0, proof.stderr)
        self.assertEqual(json.loads(proof.stdout), dict(result, day=1, level=1, version=1, timeMode="normal"))
        forged = token[:-8] + ("A" if token[-8] != "A" else "B") + token[-7:]
        refused = subprocess.run([game.binary, "--verify", forged], capture_output=True, text=True,
                                 cwd=game.directory, env=game.env, timeout=60)
        self.assertEqual((refused.returncode, refused.stdout), (1, ""))
        self.assertTrue(refused.stderr.startswith("error: "), refused.stderr)
        self.assertEqual(sorted(os.listdir(game.directory)), files)
        self.assertEqual(open(os.path.join(game.directory, "quandrel-daily.ini"), "rb").read(), daily_file)

        # Opened from the clipboard and raced: the ghost stands where the run stood.
        session.send("command 205", "command 400", "clipboard " + claimed["share"]["text"], "command 404")
        watch = session.dump()
        self.assertEqual(watch["watch"], {"state": "verified", "reason": None, "score": result["score"],
                                          "level": 1, "day": 1})
        session.send("command 432")
        racing = session.dump()
        self.assertEqual((racing["screen"], racing["daily"]["practice"]), ("game", True))
        self.assertEqual((racing["sprayerX"], racing["ghost"]["score"]), (105, 0))
        session.send("wait %d" % (result["timeMs"] + 2000))
        late = session.dump()
        self.assertEqual(late["ghost"]["score"], result["score"], "by then the run had claimed")
        self.assertEqual(late["daily"]["result"], result, "practice keeps nothing")


if __name__ == "__main__":
    unittest.main()
