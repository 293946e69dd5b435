"""What the leaderboard keeps under pressure: two server processes on one
database taking the same player's runs at the same moment keep exactly one,
a server killed with SIGKILL while runs pour in has kept every run it
answered as kept, and a PostgreSQL that goes away and comes back costs 503s
and nothing else."""

import subprocess
import threading

from leaderboard_server import ServerTestCase, new_player, runs_of_level

POSTERS = 8
ACKNOWLEDGED_BEFORE_KILL = 60


def at_once(calls):
    """Runs the calls on threads of their own released together; their results."""
    start = threading.Barrier(len(calls))
    results = [None] * len(calls)

    def run(index, call):
        start.wait()
        results[index] = call()

    threads = [threading.Thread(target=run, args=(i, call)) for i, call in enumerate(calls)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return results


class TwoServers(ServerTestCase):
    def test_the_same_players_runs_at_once_on_two_servers_keep_exactly_one(self):
        first, second = self.server(), self.server()
        cuts = runs_of_level(1)["cuts"]
        players = []
        for round_number in range(15):
            player = new_player()
            players.append(player)
            mine, theirs = cuts[2 * round_number], cuts[2 * round_number + 1]
            replies = at_once([lambda: first.post(mine["token"], player),
                               lambda: second.post(theirs["token"], player)])
            with self.subTest(round=round_number):
                self.assertEqual(sorted(r.status for r in replies), [201, 409], replies)
                kept = next(r for r in replies if r.status == 201).json
                refused = next(r for r in replies if r.status == 409).json
                self.assertEqual(refused["run"], kept["run"])
                self.assertEqual(refused["score"], kept["score"])
        counts = self.database.query("SELECT player, count(*) FROM runs GROUP BY player")
        self.assertEqual(sorted(counts), sorted([player, "1"] for player in players))

    def test_one_token_at_once_from_two_players_is_kept_once(self):
        first, second = self.server(), self.server()
        cuts = runs_of_level(1)["cuts"]
        for round_number in range(10):
            token = cuts[100 + round_number]["token"]
            replies = at_once([lambda: first.post(token, new_player()), lambda: second.post(token, new_player())])
            self.assertEqual(sorted(r.status for r in replies), [201, 422], replies)
            self.assertEqual(next(r for r in replies if r.status == 422).json["error"], "copied")
        self.assertEqual(self.database.query("SELECT count(*) FROM runs"), [["10"]])


class DatabaseAway(ServerTestCase):
    def cluster(self, action):
        version, name = subprocess.run(["pg_lsclusters", "-h"], capture_output=True, text=True,
                                       check=True).stdout.split()[:2]
        subprocess.run(["pg_ctlcluster", version, name, action, "-m", "fast"] if action == "stop"
                       else ["pg_ctlcluster", version, name, action], check=True, capture_output=True)

    def test_a_postgresql_gone_gets_503_and_keeps_nothing_and_its_return_is_served(self):
        if self.database.kind != "postgresql":
            self.skipTest("an SQLite file does not go away")
        server = self.server()
        cuts = runs_of_level(1)["cuts"]
        self.assertEqual(server.post(cuts[10]["token"], new_player()).status, 201)
        self.cluster("stop")
        try:
            refused = server.post(cuts[20]["token"], new_player())
            self.assertEqual((refused.status, refused.json["error"]), (503, "unavailable"), refused)
            self.assertEqual(server.request("GET", "/healthz").status, 503)
            self.assertEqual(server.board().status, 503)
        finally:
            self.cluster("start")
        self.assertEqual(server.request("GET", "/healthz").status, 200)
        again = server.post(cuts[20]["token"], new_player())
        self.assertEqual((again.status, again.json["of"]), (201, 2), again)


class Killed(ServerTestCase):
    def test_a_kill_under_load_loses_no_acknowledged_run(self):
        server = self.server()
        tokens = [cut["token"] for cut in runs_of_level(1)["cuts"]]
        acknowledged = []
        lock = threading.Lock()
        enough = threading.Event()

        def poster():
            while True:
                with lock:
                    if not tokens:
                        return
                    token = tokens.pop()
                player = new_player()
                try:
                    reply = server.post(token, player)
                except OSError:
                    return  # the server is gone
                if reply.status == 201:
                    with lock:
                        acknowledged.append((player, reply.json["run"], token))
                        if len(acknowledged) >= ACKNOWLEDGED_BEFORE_KILL:
                            enough.set()

        threads = [threading.Thread(target=poster) for _ in range(POSTERS)]
        for thread in threads:
            thread.start()
        self.assertTrue(enough.wait(timeout=120), "runs were acknowledged")
        server.kill()
        for thread in threads:
            thread.join()
        self.assertGreaterEqual(len(acknowledged), ACKNOWLEDGED_BEFORE_KILL)
        self.assertTrue(tokens, "the server was killed with runs still coming")

        again = self.server()
        board = again.board("?limit=0").json
        self.assertGreaterEqual(board["of"], len(acknowledged))
        for player, run, token in acknowledged:
            shown = again.request("GET", "/v1/runs/%d" % run)
            self.assertEqual((shown.status, shown.json["token"]), (200, token), run)
            around = again.board("?limit=0&around=" + player).json["around"]
            self.assertIn(run, [row["run"] for row in around])
