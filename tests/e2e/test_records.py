"""The records a player keeps: each level's best score, fewest shots, fastest
time and stars, kept in quandrel-records.ini across runs; the level screen
reached from the start menu by keys alone; the finale after the tenth level;
a damaged records file set aside; and --records, which only reads."""

import os
import subprocess

from play_helpers import play, win_level
from quandrel_driver import MENU, GameTestCase, records_bytes, settings_bytes

RECORDS = "quandrel-records.ini"
LEVELS_BUTTON = 225
FIRST_TILE = 240
KEY_PRESS = ["wait 200"]  # a key's button acts when it is let go of, 100 ms later


class CountingSession:
    """Passes a session through, counting the repairs the player asks for."""

    def __init__(self, session):
        self.session = session
        self.repairs = 0

    def send(self, *lines):
        self.repairs += lines.count("command 114")
        self.session.send(*lines)

    def dump(self):
        return self.session.dump()


class RecordsTest(GameTestCase):
    def write_records(self, game, data):
        with open(game.records_path, "wb") as file:
            file.write(data)

    def read_records(self, game):
        with open(game.records_path, "rb") as file:
            return file.read()

    def claim_level_one(self, game, buy):
        """Plays level 1 in a new run of `game` (buying 25 shots early when `buy`) and claims
        it; returns (what was done, the level-passed dump)."""
        session = CountingSession(self.new_session(game=game))
        session.send(*MENU, "command 220")
        start = session.dump()
        bought = 0
        if buy:
            scored = play(session, until=lambda d: d["score"] >= 50)
            self.assertIsNotNone(scored, "no colour completed")
            session.send("command 117")
            bought = 25
        won = play(session, until=lambda d: d["passLit"], max_shots=125)
        self.assertIsNotNone(won, "the player did not win level 1")
        session.send("command 101 0")
        passed = session.dump()
        self.assertEqual(passed["screen"], "passed")
        done = {"score": won["score"], "shots": 100 + bought - won["shotsLeft"], "ms": passed["t"] - start["t"],
                "stars": 1 if buy else 2 if session.repairs else 3}
        session.session.finish()
        return done, passed

    def test_level_one_claimed_twice_keeps_each_fields_best(self):
        game = self.new_game()
        first, passed = self.claim_level_one(game, buy=False)
        self.assertTrue(passed["newRecord"], "the first claim sets the records")
        self.assertEqual(passed["records"][0], {"level": 1, "claims": 1, "bestScore": first["score"],
                                                "fewestShots": first["shots"], "fastestMs": first["ms"],
                                                "stars": first["stars"]})
        self.assertEqual(passed["records"][1], {"level": 2, "claims": 0, "bestScore": None, "fewestShots": None,
                                                "fastestMs": None, "stars": None})

        second, passed = self.claim_level_one(game, buy=True)
        self.assertEqual(passed["records"][0], {
            "level": 1, "claims": 2, "bestScore": max(first["score"], second["score"]),
            "fewestShots": min(first["shots"], second["shots"]), "fastestMs": min(first["ms"], second["ms"]),
            "stars": first["stars"]})
        beaten = second["score"] > first["score"] or second["shots"] < first["shots"] or second["ms"] < first["ms"]
        self.assertEqual(passed["newRecord"], beaten)

        best = passed["records"][0]
        self.assertEqual(self.read_records(game), records_bytes(
            {1: (2, best["bestScore"], best["fewestShots"], best["fastestMs"], best["stars"])}))
        leftovers = [n for n in os.listdir(game.directory) if n.endswith(".tmp") or n.endswith(".bad")]
        self.assertEqual(leftovers, [])

    def test_level_screen_by_keys_starts_a_reached_level_and_refuses_a_locked_one(self):
        game = self.new_game(settings_bytes(2), records=records_bytes({2: (1, 800, 50, 60000, 3)}))
        session = self.new_session(game=game)
        # The ring shows on start; the button to its right is the level screen's.
        session.send(*MENU, "key Right", "key Right", "key Return", *KEY_PRESS)
        shown = session.dump()
        self.assertEqual(shown["screen"], "levels")
        self.assertEqual(shown["focus"], FIRST_TILE)
        self.assertEqual([i for i in shown["visible"] if FIRST_TILE <= i < FIRST_TILE + 10], list(range(240, 250)))
        self.assertIn(237, shown["visible"])
        session.send("pad b", *KEY_PRESS)
        self.assertEqual(session.dump()["screen"], "menu")
        session.send("command %d" % LEVELS_BUTTON, "key Down", "key Right", "key Return",
                     *KEY_PRESS)
        refused = session.dump()
        self.assertEqual(refused["focus"], FIRST_TILE + 3)
        self.assertEqual(refused["screen"], "levels", "level 4 is locked: reached are 1..3")
        session.send("key Left", "key Return", *KEY_PRESS)
        started = session.dump()
        self.assertEqual((started["screen"], started["currentLevel"]), ("game", 3))
        self.assertEqual((started["score"], started["shotsLeft"], started["keys"]), (0, 100, [False] * 8))

    def test_tenth_level_leads_to_the_finale_and_any_press_back_to_the_menu(self):
        game = self.new_game(settings_bytes(10),
                             records=records_bytes({1: (1, 700, 80, 90000, 3), 4: (2, 900, 70, 80000, 2)}))
        session = self.new_session(game=game)
        session.send(*MENU, "command 221")
        figures, passed = win_level(session)
        stars = 1 if figures["bought"] else 2 if figures["repairs"] else 3
        self.assertEqual(passed["records"][9]["bestScore"], figures["score"])
        self.assertEqual(passed["records"][9]["stars"], stars)
        session.send("command 203")
        finale = session.dump()
        self.assertEqual(finale["screen"], "finale")
        self.assertNotIn(101, finale["visible"])
        session.send("command 220")
        self.assertEqual(session.dump()["screen"], "finale", "start waits for the menu")
        session.send("tap 240 300")
        menu = session.dump()
        self.assertEqual(menu["screen"], "menu")
        self.assertEqual(game.settings()["CurrentLevel"], "10", "continue keeps its level")

    def test_a_damaged_records_file_is_set_aside_and_the_game_still_starts(self):
        game = self.new_game()
        damaged = b"\xff\xfe[\x00l\x00"
        self.write_records(game, damaged)
        session = self.new_session(game=game)
        session.send(*MENU)
        dump = session.dump()
        self.assertEqual(dump["screen"], "menu")
        self.assertEqual([r["claims"] for r in dump["records"]], [0] * 10)
        code, _, errors = session.finish()
        self.assertEqual(code, 0)
        with open(os.path.join(game.directory, RECORDS + ".bad"), "rb") as file:
            self.assertEqual(file.read(), damaged)
        self.assertFalse(os.path.exists(os.path.join(game.directory, RECORDS)))
        self.assertEqual(errors.count(RECORDS + ".bad"), 1, errors)

    def test_records_command_prints_the_table_and_changes_no_records_file(self):
        game = self.new_game()
        run = lambda: subprocess.run([game.binary, "--records"], cwd=game.directory, env=game.env,
                                     capture_output=True, text=True, timeout=60)
        empty = run()
        self.assertEqual(empty.returncode, 0, empty.stderr)
        lines = empty.stdout.splitlines()
        self.assertEqual(len(lines), 11)
        self.assertEqual(lines[1].split(), ["1", "0", "-", "-", "-", "-"])
        self.assertFalse(os.path.exists(os.path.join(game.directory, RECORDS)))

        data = records_bytes({3: (4, 1250, 61, 83450, 2)})
        self.write_records(game, data)
        before = os.stat(os.path.join(game.directory, RECORDS)).st_mtime_ns
        kept = run()
        self.assertEqual(kept.returncode, 0, kept.stderr)
        self.assertEqual(kept.stdout.splitlines()[3].split(), ["3", "4", "1250", "61", "83.4s", "2/3"])
        self.assertEqual(self.read_records(game), data)
        self.assertEqual(os.stat(os.path.join(game.directory, RECORDS)).st_mtime_ns, before)

        self.write_records(game, b"not a records file")
        damaged = run()
        self.assertEqual(damaged.returncode, 1)
        self.assertIn("damaged", damaged.stderr)
        self.assertEqual(self.read_records(game), b"not a records file")
        self.assertFalse(os.path.exists(os.path.join(game.directory, RECORDS + ".bad")))
