"""The daily challenge through its screens, as a player goes: the daily
screen's Play, today's level won and claimed, Share, the shared run opened from
the clipboard and proven on the watch screen, played back, then raced with its
ghost beside the player; a run that is no run refused, keeping nothing."""

import os

from play_helpers import win_level
from quandrel_driver import MENU, GameTestCase

TODAY = "2026-12-08"
PRESS = "wait 100"
PRACTICE_MARK, GHOST = 419, 420
SHARE, OPEN_RUN = 403, 404
WATCH, RACE, WATCH_BACK, STOP = 431, 432, 433, 451
FOUR_TIMES = 449


class DailyScreensTest(GameTestCase):
    def start(self):
        game = self.new_game()
        game.env["QUANDREL_TODAY"] = TODAY
        session = self.new_session(game=game)
        session.send(*MENU)
        return game, session

    def test_play_share_watch_and_race_the_day(self):
        game, session = self.start()
        session.send("command 400", PRESS)
        daily = session.dump()
        self.assertEqual(daily["screen"], "daily")
        self.assertIsNone(daily["daily"]["result"])
        self.assertNotIn(SHARE, daily["visible"], "nothing to share before today's attempt")

        session.send("command 402", PRESS)
        playing = session.dump()
        self.assertEqual((playing["screen"], playing["currentLevel"]), ("game", daily["daily"]["level"]))
        self.assertNotIn(PRACTICE_MARK, playing["visible"], "the day's first attempt is official")
        win_level(session)
        session.send("command 200", PRESS)  # any word of the level-passed screen
        back = session.dump()
        self.assertEqual(back["screen"], "daily")
        result = back["daily"]["result"]
        self.assertTrue(result["claimed"])
        self.assertIn(SHARE, back["visible"])

        session.send("command %d" % SHARE, PRESS)
        shared = session.dump()
        self.assertEqual(shared["shared"], [shared["share"]["text"]])
        self.assertIn(str(result["score"]), shared["share"]["text"])
        token = shared["share"]["token"]

        session.send("clipboard " + token, "command %d" % OPEN_RUN, PRESS)
        watch = session.dump()
        self.assertEqual(watch["screen"], "watch")
        self.assertEqual((watch["watch"]["state"], watch["watch"]["score"], watch["watch"]["day"]),
                         ("verified", result["score"], 8))

        # Played back at 4x: the playback's own game moves, the player's records do not.
        session.send("command %d" % WATCH, PRESS, "command %d" % FOUR_TIMES, "wait 3000")
        playback = session.dump()
        self.assertEqual(playback["screen"], "watch")
        self.assertIn(STOP, playback["visible"])
        session.send("command %d" % STOP, PRESS)
        self.assertNotIn(STOP, session.dump()["visible"])

        # Racing: a practice of the same level, its ghost drawn beside the player.
        session.send("command %d" % RACE, PRESS)
        racing = session.dump()
        self.assertEqual((racing["screen"], racing["currentLevel"]), ("game", daily["daily"]["level"]))
        self.assertIn(PRACTICE_MARK, racing["visible"])
        self.assertIn(GHOST, racing["visible"])
        ghost_at_start = racing["ghost"]
        session.send("wait 20000")
        later = session.dump()
        self.assertNotEqual(later["ghost"], ghost_at_start, "the ghost plays its run while the player waits")
        self.assertEqual(later["daily"]["result"], result, "a race keeps nothing")

    def test_a_run_that_is_no_run_is_refused_and_kept_nowhere(self):
        game, session = self.start()
        daily_file = os.path.join(game.directory, "quandrel-daily.ini")
        session.send("command 400", PRESS, "command %d" % OPEN_RUN, PRESS)
        self.assertEqual(session.dump()["screen"], "daily", "an empty clipboard opens nothing")
        session.send("clipboard QRUN.bm90IGEgcnVu", "command %d" % OPEN_RUN, PRESS)
        refused = session.dump()
        self.assertEqual(refused["screen"], "watch")
        self.assertEqual(refused["watch"]["state"], "refused")
        self.assertNotIn(RACE, refused["visible"])
        self.assertFalse(os.path.exists(daily_file))
        session.send("key Escape", PRESS)
        self.assertEqual(session.dump()["screen"], "daily", "back where the run was opened from")
