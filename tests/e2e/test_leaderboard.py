"""The headless game and a real quandrel-server process, the round trips over
the network: today's run posted and taken, the leaderboard screen with the top
ten, the player's own row under them and their standing, a listed run fetched
and proven on the watch screen; a post with no server waits in the daily file
and goes at the next start, where the server's refusal reaches the game. What
each reply does to the post is tests/screen/leaderboard_test.cpp's.

The other players' runs are cuts of the autoplayer's run of day 8 (level 2),
posted straight to the server under fixed ids and names, so the board, and
the frame of the leaderboard screen, are the same every time."""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

from quandrel_driver import MENU, GameTestCase, binary_path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "server"))
from leaderboard_server import Database, Server, runs_of_level  # noqa: E402
import test_screenshots  # noqa: E402

TODAY, DAY, LEVEL = "2026-12-08", 8, 2
PRESS = "wait 100"
REPLY_SECONDS = 30  # the most a reply from the local server may take before the test gives up
PLAYER = "00112233445566778899aabbccddeeff"
DAILY, LEADERBOARD_BUTTON, POST = 400, 481, 480
FIRST_ROW, OWN_ROW, LEADERBOARD_BACK = 490, 500, 484


def others(count):
    """Runs of other players: the first cut of day 8's run reaching each
    score from the top, (token, score), highest first."""
    cuts = runs_of_level(LEVEL)["cuts"]
    best = {}
    for cut in cuts:
        best.setdefault(cut["score"], cut)
    return [(best[score]["token"], score) for score in sorted(best, reverse=True)][:count]


def daily_file(token):
    """The daily file of a player who played day 8 with `token`, not yet posted."""
    done = subprocess.run([binary_path(), "--verify", token], capture_output=True, text=True, check=True)
    result = json.loads(done.stdout)
    return ("[format]\nversion=1\n\n[player]\nid=%s\ncolour=3\ncreature=11\n\n[day%d]\nofficial=1\nfinished=1\n"
            "level=%d\nscore=%d\nshots=%d\ntimeMs=%d\nstars=%d\nclaimed=%d\nrun=%s\n") % (
        PLAYER, DAY, result["level"], result["score"], result["shots"], result["timeMs"], result["stars"],
        1 if result["claimed"] else 0, token)


def free_port():
    """A port nobody listens on (just closed again)."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class LeaderboardTest(GameTestCase):
    def setUp(self):
        folder = tempfile.mkdtemp(prefix="quandrel-leaderboard-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        self.database = Database(folder)

    def start_server(self):
        server = Server(self.database, DAY)
        self.addCleanup(server.close)
        return server.start()

    def game(self, token, address):
        game = self.new_game()
        game.env["QUANDREL_TODAY"] = TODAY
        game.env["QUANDREL_LEADERBOARD"] = address
        with open(os.path.join(game.directory, "quandrel-daily.ini"), "w") as file:
            file.write(daily_file(token))
        return game

    def settle(self, session, until):
        """Lets the game's clock go on 10 ms at a time until `until(dump)`;
        the replies come in at the waits. Returns that dump."""
        deadline = time.monotonic() + REPLY_SECONDS
        while True:
            session.send("wait 10")
            dump = session.dump()
            if until(dump):
                return dump
            if time.monotonic() > deadline:
                raise AssertionError("no reply came: %s" % dump["leaderboard"])
            time.sleep(0.005)

    def daily_text(self, game):
        with open(os.path.join(game.directory, "quandrel-daily.ini")) as file:
            return file.read()

    def test_post_show_the_board_and_watch_a_listed_run(self):
        server = self.start_server()
        listed = others(11)
        for n, (token, _) in enumerate(listed):
            reply = server.post(token, "%032x" % (n + 1), (n % 16, (3 * n) % 16))
            self.assertEqual(reply.status, 201, reply)
        own_token = others(16)[-1][0]  # a score under every other
        game = self.game(own_token, "http://127.0.0.1:%d/" % server.port)
        session = self.new_session(game=game)
        session.send(*MENU)
        session.send("command %d" % DAILY, PRESS, "command %d" % POST)
        posted = self.settle(session, lambda dump: not dump["leaderboard"]["pending"])
        self.assertEqual(posted["daily"]["post"], "taken")
        of = len(listed) + 1
        self.assertEqual((posted["leaderboard"]["rank"], posted["leaderboard"]["of"]), (of, of))
        self.assertEqual(posted["leaderboard"]["percentile"], 100 * (of - of + 1) // of, "the share at or under it")
        self.assertEqual(server.board().json["of"], of)

        session.send("command %d" % LEADERBOARD_BUTTON, PRESS)
        board = self.settle(session, lambda dump: dump["leaderboard"]["state"] != "loading")
        self.assertEqual(board["screen"], "leaderboard")
        self.assertEqual(board["leaderboard"]["state"], "shown")
        rows = board["leaderboard"]["rows"]
        self.assertEqual([row["rank"] for row in rows], list(range(1, 11)))
        self.assertEqual([row["score"] for row in rows], [score for _, score in listed[:10]])
        self.assertEqual([row["name"] for row in rows], [[n % 16, (3 * n) % 16] for n in range(10)])
        self.assertEqual(rows[0]["shown"], "琥珀色的狐狸")
        for row_id in range(FIRST_ROW, OWN_ROW + 1):
            self.assertIn(row_id, board["visible"], "the top ten, then the player's own row")
        said = " ".join(a["text"] for a in board["announcements"])
        self.assertIn("排行榜，第8天。", said)
        self.assertIn("你是第%d名，共%d人" % (of, of), said)
        path = os.path.join(game.directory, "leaderboard.png")
        session.send("screenshot " + path)
        session.dump()
        test_screenshots.GoldenScreenshotTest.compare(self, "leaderboard", path)

        # A listed run, chosen by keys: its token fetched, proven and watched;
        # back where it was chosen, then to the daily screen by the pad.
        session.send("key Down", "key Down")
        ringed = session.dump()
        self.assertEqual(ringed["focus"], FIRST_ROW + 1)
        self.assertEqual([a["text"] for a in ringed["announcements"]][-1],
                         "第2名，%s，%d分，%d颗星" % (rows[1]["shown"], rows[1]["score"], rows[1]["stars"]))
        session.send("key Return", PRESS)
        self.assertEqual(session.dump()["leaderboard"]["pending"], [{"request": "run", "run": rows[1]["run"]}])
        watch = self.settle(session, lambda dump: dump["screen"] == "watch")
        self.assertEqual((watch["watch"]["state"], watch["watch"]["score"]), ("verified", rows[1]["score"]))
        session.send("key Escape", PRESS)
        self.assertEqual(self.settle(session, lambda dump: dump["leaderboard"]["state"] == "shown")["screen"],
                         "leaderboard")
        session.send("pad b", PRESS)
        self.assertEqual(session.dump()["screen"], "daily")
        code, _, errors = session.finish()
        self.assertEqual(code, 0, errors)

    def test_a_post_with_no_server_waits_and_the_next_start_hears_its_refusal(self):
        token = others(1)[0][0]
        game = self.game(token, "http://127.0.0.1:%d" % free_port())
        session = game.start()
        self.addCleanup(session.kill)
        session.send(*MENU)
        session.send("command %d" % DAILY, PRESS, "command %d" % POST)
        waiting = self.settle(session, lambda dump: not dump["leaderboard"]["pending"])
        self.assertEqual(waiting["daily"]["post"], "waiting", "no connection is no answer")
        code, _, errors = session.finish()
        self.assertEqual(code, 0, errors)
        self.assertIn("post=waiting", self.daily_text(game))

        # The next start, with the leaderboard there and the run already on it
        # under another player: the post goes at once and its 422 reaches the game.
        server = self.start_server()
        self.assertEqual(server.post(token, "%032x" % 99).status, 201)
        game.env["QUANDREL_LEADERBOARD"] = "http://127.0.0.1:%d" % server.port
        session = game.start()
        self.addCleanup(session.kill)
        self.assertEqual(session.dump()["leaderboard"]["pending"], [{"request": "post", "day": DAY}])
        refused = self.settle(session, lambda dump: not dump["leaderboard"]["pending"])
        self.assertEqual(refused["daily"]["post"], "refused")
        self.assertIn("post=refused\nrefusal=copied", self.daily_text(game))
        session.finish()

    def test_names_are_read_in_the_viewers_language(self):
        server = self.start_server()
        token, score = others(1)[0]
        self.assertEqual(server.post(token, "%032x" % 1, (0, 0)).status, 201)
        game = self.game(others(2)[1][0], "http://127.0.0.1:%d" % server.port)
        game.lang = "en"
        session = self.new_session(game=game)
        session.send(*MENU)
        session.send("command %d" % DAILY, PRESS)
        self.assertIn("Your name: Indigo Bee.", " ".join(a["text"] for a in session.dump()["announcements"]))
        session.send("command %d" % LEADERBOARD_BUTTON, PRESS)
        board = self.settle(session, lambda dump: dump["leaderboard"]["state"] == "shown")
        self.assertEqual([row["shown"] for row in board["leaderboard"]["rows"]], ["Amber Fox"])
        self.assertEqual([a["text"] for a in board["announcements"]],
                         ["Leaderboard, day 8. Players today: 1. Rank 1, Amber Fox, %d points, 0 stars; Back." % score])
        self.assertEqual(board["leaderboard"]["rank"], None, "the player has not posted")
