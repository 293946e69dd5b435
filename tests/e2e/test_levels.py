"""The level board: every level's layout as continue loads it, the record of
the highest level reached, and a new game that does not lower it."""

import unittest

from quandrel_driver import MENU, GameTestCase, settings_bytes

S = 19
BOARDS = {
    1: ([16, 4, 7, 10, 7, 16, 13, 10, 16, 13], 600),
    2: ([16, 4, 7, S, 7, 16, 13, S, 16, 13], 800),
    3: ([16, S, 7, S, 7, 16, 13, S, 16, 13], 900),
    4: ([S, S, 7, S, 7, 0, 13, S, S, 13], 1000),
    5: ([S, S, 4, S, 13, 0, S, S, 0, S], 1200),
    6: ([0, S, 4, S, 0, S, 1, S, S, S], 1300),
    7: ([S, 11, 0, S, 0, 0, S, S, S, 2], 1400),
    8: ([S, S, 4, S, 0, 0, 1, S, S, S], 1500),
    9: ([S, S, S, S, 5, 0, S, 1, S, 0], 1600),
    10: ([S, S, 0, S, 0, S, S, S, S, S], 1800),
}


class LevelBoardTest(GameTestCase):
    def test_every_level_starts_as_its_table_says(self):
        for level, (targets, target_score) in BOARDS.items():
            with self.subTest(level=level):
                game = self.new_game(settings_bytes(level))
                [dump] = self.run_script(MENU + ["command 221", "dump"], game=game)
                self.assertEqual(dump["currentLevel"], level)
                self.assertEqual(dump["targets"], targets)
                self.assertEqual(dump["levelTargetScore"], target_score)
                self.assertEqual((dump["score"], dump["shotsLeft"], dump["currentColour"]),
                                 (0, 100, 0))
                self.assertEqual(dump["keys"], [False] * 8)
                self.assertEqual(dump["timeBarX"], 480)
                self.assertFalse(dump["passLit"] or dump["repairLit"] or dump["buyLit"])
                self.assertEqual(dump["visible"][-1], 101)  # the toolbar, on top
                self.assertEqual(game.settings()["CurrentLevel"], str(level))

    def test_new_game_keeps_the_highest_level_reached(self):
        game = self.new_game(settings_bytes(6))
        dumps = self.run_script(MENU + ["command 221", "command 101 2", "command 220", "dump"],
                                game=game)
        self.assertEqual(dumps[0]["currentLevel"], 1)
        self.assertEqual(dumps[0]["targets"], BOARDS[1][0])
        self.assertEqual(dumps[0]["settings"]["level"], 6)
        self.assertEqual(game.settings()["CurrentLevel"], "6")

    def test_first_game_records_level_one(self):
        game = self.new_game()
        [dump] = self.run_script(MENU + ["command 220", "dump"], game=game)
        self.assertEqual(dump["sounds"], [3, 7])
        self.assertEqual(dump["settings"]["level"], 1)


if __name__ == "__main__":
    unittest.main()
