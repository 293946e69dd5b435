"""A session played headless with --record replays, from its recording alone,
to exactly the state it ended in: pointer, keys, pad buttons, commands, the
focus pause, misses that draw random colours and the exit question."""

import json
import os
import subprocess
import unittest

from quandrel_driver import MENU, GameTestCase


def aim_and_miss():
    """Shoots past every tube: four of these draw one random colour."""
    return ["key Left"] * 8 + ["key Space", "wait 1300"]


SESSION = MENU + [
    "tap 234 459",                     # the menu's start button
    "wait 250",
    "key Right", "key Right", "pad a", "wait 1300",
    "down 300 300", "move 340 300", "wait 16", "move 420 300", "up 420 300",
    "pad right", "key Space", "wait 700",
] + aim_and_miss() * 5 + [
    "focus out", "wait 5000", "focus in", "key Space",
    "pad x", "pad y", "key Space", "wait 400",
    "pad b",                           # back to the menu, the game paused
    "wait 500", "command 224", "wait 300", "answer no", "wait 200",
    "command 221", "wait 2000", "key Right", "pad a", "wait 900",
]


class RecordAndReplay(GameTestCase):
    def run_recorded(self, game, script_lines, record=None, dump_at_exit="end.json"):
        arguments = [game.binary, "--headless", "--dump-at-exit", dump_at_exit]
        if record:
            arguments += ["--record", record]
        done = subprocess.run(arguments, input="\n".join(script_lines) + "\n", env=game.env, cwd=game.directory,
                              capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(os.path.join(game.directory, dump_at_exit), encoding="utf-8") as file:
            return json.loads(file.read())

    def test_a_recorded_session_replays_to_the_same_final_state(self):
        played = self.new_game()
        end = self.run_recorded(played, SESSION, record="session.txt")
        with open(os.path.join(played.directory, "session.txt"), encoding="utf-8") as file:
            recording = file.read()
        self.assertEqual(end["screen"], "game")
        self.assertEqual(end["missCounter"], 1, "five misses: a random colour thrown at the fourth")
        for line in ("pad a", "pad x", "focus out", "answer no", "command 221", "move 420 300"):
            self.assertIn("\n%s\n" % line, recording)
        self.assertTrue(recording.endswith("quit\n"), "the end of the script is recorded as the close")

        replayed = self.new_game()
        with open(os.path.join(replayed.directory, "session.txt"), "w", encoding="utf-8") as file:
            file.write(recording)
        done = subprocess.run([replayed.binary, "--headless", "--script", "session.txt",
                               "--dump-at-exit", "again.json"], env=replayed.env, cwd=replayed.directory,
                              capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(os.path.join(replayed.directory, "again.json"), encoding="utf-8") as file:
            again = json.loads(file.read())
        self.assertEqual(again, end)
        self.assertEqual(replayed.settings(), played.settings())


if __name__ == "__main__":
    unittest.main()
