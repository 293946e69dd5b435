"""Start-up: the splash over the game controls, the menu at 3000 ms and not
before, a second copy refused, and the command line."""

import subprocess
import unittest

from quandrel_driver import Game, GameTestCase

# Every control the window adds at start-up, in drawing order, the toolbar
# (hidden) last.
STARTUP_CONTROLS = ([102, 103, 114, 117, 116, 104, 105] + list(range(120, 126)) +
                    list(range(140, 146)) + list(range(150, 156)) + list(range(170, 178)) +
                    list(range(160, 170)) + list(range(180, 184)) + list(range(190, 194)) +
                    [112, 107])


class StartupTest(GameTestCase):
    def test_splash_covers_the_game_controls(self):
        game = self.new_game()
        [dump] = self.run_script(["dump"], game=game)
        self.assertEqual(dump["visible"], STARTUP_CONTROLS)
        self.assertEqual(dump["screen"], "splash")
        self.assertEqual(dump["timers"], [[115, 3000]])
        self.assertEqual(dump["sounds"], [3])
        self.assertEqual(dump["looping"], 3)
        self.assertEqual(dump["currentColour"], 0)
        self.assertIn(dump["nextColour"], range(6))
        self.assertEqual(dump["currentLevel"], 0)
        self.assertEqual((dump["score"], dump["shotsLeft"], dump["levelTargetScore"]),
                         (0, 100, 600))
        self.assertEqual(dump["timeBarX"], 480)
        self.assertEqual(dump["sprayerX"], 105)
        self.assertIsNone(dump["shot"])
        # The settings file beside the executable, saved at the end with the defaults.
        self.assertEqual(game.settings(), {"CurrentLevel": "0", "isSound": "1", "isMove": "1"})

    def test_menu_appears_at_3000_ms_and_not_before(self):
        before, after = self.run_script(["wait 2999", "dump", "wait 1", "dump"])
        self.assertEqual(before["screen"], "splash")
        self.assertFalse(before["splashDone"])
        self.assertEqual(after["screen"], "menu")
        self.assertEqual(after["timers"], [])
        self.assertEqual(after["visible"][-9:], [108, 225, 400, 600, 220, 221, 222, 223, 224])
        self.assertNotIn(107, after["visible"])
        self.assertEqual(after["looping"], 3)

    def test_second_copy_is_refused_while_the_first_runs(self):
        first = self.new_game()
        session = self.new_session(game=first)
        self.assertEqual(session.dump()["screen"], "splash")
        second = Game()
        self.addCleanup(second.close)
        second.env["XDG_RUNTIME_DIR"] = first.runtime_dir  # the same user session
        done = subprocess.run([second.binary, "--headless"], input="dump\n", env=second.env,
                              cwd=second.directory, capture_output=True, text=True, timeout=60)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, "")  # no window, no loop: the dump never ran
        session.send("wait 3000")
        self.assertEqual(session.dump()["screen"], "menu")
        code, _, stderr = session.finish()
        self.assertEqual(code, 0, stderr)

    def test_version_and_help(self):
        game = self.new_game()
        version = subprocess.run([game.binary, "--version"], capture_output=True, text=True,
                                 cwd=game.directory, env=game.env, timeout=60)
        self.assertEqual(version.returncode, 0)
        self.assertRegex(version.stdout, r"^quandrel \d+\.\d+\.\d+\n$")
        usage = subprocess.run([game.binary, "--help"], capture_output=True, text=True,
                               cwd=game.directory, env=game.env, timeout=60)
        self.assertEqual(usage.returncode, 0)
        self.assertIn("--headless", usage.stdout)


if __name__ == "__main__":
    unittest.main()
