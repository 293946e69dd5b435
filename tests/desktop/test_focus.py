"""The real game, headless, with its window losing the focus mid-game: the
time bar and the falling shot stand still however long it is away, the veil
is shown, and the press that brings it back does not reach the game; with
--no-focus-pause the time bar runs out as it always did."""

import unittest

from desktop_game import GameTestCase, START_GAME

AWAY_MS = 60000


def game_under_way():
    """A game with its first shot falling."""
    return ["wait 3000", "command %d" % START_GAME, "key Space", "wait 300", "dump"]


class FocusPause(GameTestCase):
    def test_the_game_stands_still_while_away_and_goes_on_after_a_press(self):
        game = self.game()
        dumps, done = game.run(game_under_way() + [
            "focus out", "wait %d" % AWAY_MS, "dump",
            "focus in", "tap 400 300", "dump",
            "wait 300", "dump",
        ])
        self.assertEqual(done.returncode, 0, done.stderr)
        before, away, back, later = dumps
        self.assertFalse(before["focusPaused"])
        self.assertTrue(away["focusPaused"])
        for field in ("timeBarX", "shot", "sprayerX", "score", "gameOver", "screen", "timers"):
            self.assertEqual(away[field], before[field], field)
        self.assertFalse(back["focusPaused"])
        self.assertEqual(back["sprayerX"], before["sprayerX"], "the resuming tap did not move the sprayer")
        self.assertGreater(later["shot"]["y"], before["shot"]["y"], "the shot falls again")
        self.assertFalse(later["gameOver"])

    def test_the_veil_is_drawn_over_the_game(self):
        game = self.game()
        dumps, done = game.run(game_under_way() + [
            "screenshot playing.png", "focus out", "screenshot away.png"])
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(game.folder("playing.png"), "rb") as playing, open(game.folder("away.png"), "rb") as away:
            self.assertNotEqual(playing.read(), away.read())

    def test_without_the_pause_the_time_bar_runs_out_while_away(self):
        game = self.game()
        dumps, done = game.run(game_under_way() + [
            "focus out", "wait 12000", "dump", "key Space", "wait 100", "dump"],
            arguments=("--headless", "--no-focus-pause"))
        self.assertEqual(done.returncode, 0, done.stderr)
        away, pressed = dumps[1:]
        self.assertFalse(away["focusPaused"])
        self.assertTrue(away["gameOver"])
        self.assertEqual(pressed["screen"], "gameover")


if __name__ == "__main__":
    unittest.main()
