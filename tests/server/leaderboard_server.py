"""The built quandrel-server as the tests meet it: a process on a free port of
127.0.0.1, over a fresh database (an SQLite file, or a PostgreSQL database of
the cluster pg_virtualenv started, when QUANDREL_TEST_DATABASE=postgresql),
asked over HTTP; and the real runs the tests post (server_test_runs).
Standard library only."""

import datetime
import http.client
import json
import os
import re
import signal
import shutil
import sqlite3
import subprocess
import tempfile
import time
import unittest
import uuid

SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FIRST_DAY = datetime.date(2026, 12, 1)
START_SECONDS = 20


def tool(variable):
    path = os.environ.get(variable, "")
    if not os.path.isfile(path):
        raise unittest.SkipTest("%s is not set to a built program" % variable)
    return path


def date_of_day(day):
    return (FIRST_DAY + datetime.timedelta(days=day - 1)).isoformat()


def new_player():
    return uuid.uuid4().hex


_runs = {}


def runs_of_level(level):
    """The runs made from the autoplayer's run of `level` (its day is the first
    of days 1..10 with that level): {"day", "whole", "cuts", "twin", ...}."""
    if level not in _runs:
        seed = os.path.join(SOURCE_DIR, "fuzz", "run-seeds", "level-%d.run" % level)
        done = subprocess.run([tool("QUANDREL_TEST_RUNS"), seed], capture_output=True, text=True, check=True)
        _runs[level] = json.loads(done.stdout)
    return _runs[level]


def database_kind():
    return os.environ.get("QUANDREL_TEST_DATABASE", "sqlite")


class Database:
    """A fresh, empty database, and plain SQL on it for what the API cannot
    show (its rows) or do (spoil a stored run)."""

    def __init__(self, folder):
        self.kind = database_kind()
        if self.kind == "sqlite":
            self.path = os.path.join(folder, "runs.sqlite")
            self.address = "sqlite:" + self.path
        else:
            if not os.environ.get("PGHOST"):
                raise unittest.SkipTest("no PostgreSQL (run under pg_virtualenv -t)")
            self.name = "quandrel_" + uuid.uuid4().hex[:12]
            self._psql("postgres", "CREATE DATABASE %s" % self.name)
            self.address = "postgresql:///" + self.name

    def _psql(self, database, sql):
        done = subprocess.run(["psql", "-X", "-q", "-tA", "-v", "ON_ERROR_STOP=1", "-d", database, "-c", sql],
                              capture_output=True, text=True, check=True)
        return [line.split("|") for line in done.stdout.splitlines() if line]

    def query(self, sql):
        """The rows of `sql`, each a list of texts."""
        if self.kind == "sqlite":
            with sqlite3.connect(self.path, timeout=10) as db:
                rows = db.execute(sql).fetchall()
            return [[str(value) for value in row] for row in rows]
        return self._psql(self.name, sql)

    def drop(self):
        if self.kind != "sqlite":
            self._psql("postgres", "DROP DATABASE IF EXISTS %s WITH (FORCE)" % self.name)


class Reply:
    def __init__(self, status, headers, body):
        self.status = status
        self.headers = headers
        self.text = body
        try:
            self.json = json.loads(body) if body else None
        except ValueError:
            self.json = None

    def __repr__(self):
        return "%d %s" % (self.status, self.text[:300])


class Server:
    """One quandrel-server process. Limits are off unless asked for."""

    def __init__(self, database, day, options=(), environment=None):
        self.database = database
        self.day = day
        self.options = list(options)
        self.environment = environment or {}
        self.log_folder = tempfile.mkdtemp(prefix="quandrel-server-log-")
        self.process = None
        self.port = None

    def start(self):
        env = dict(os.environ, QUANDREL_TODAY=date_of_day(self.day), **self.environment)
        self.log_path = os.path.join(self.log_folder, "server-%d.log" % time.monotonic_ns())
        arguments = [tool("QUANDREL_SERVER_BINARY"), "--listen", "127.0.0.1:0", "--db", self.database.address]
        if not any(option in self.options for option in ("--post-rate", "--read-rate")):
            arguments += ["--post-rate", "0", "--read-rate", "0"]
        with open(self.log_path, "w") as log:
            self.process = subprocess.Popen(arguments + self.options, env=env, stdout=log, stderr=log)
        deadline = time.monotonic() + START_SECONDS
        while time.monotonic() < deadline:
            found = re.search(r"listening on http://127\.0\.0\.1:(\d+)", self.log())
            if found:
                self.port = int(found.group(1))
                return self
            if self.process.poll() is not None:
                raise AssertionError("quandrel-server ended at start: " + self.log())
            time.sleep(0.02)
        raise AssertionError("quandrel-server did not start: " + self.log())

    def log(self):
        with open(self.log_path) as file:
            return file.read()

    def request(self, method, path, body=None, headers=None):
        """The reply to one request on a connection of its own."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        try:
            if isinstance(body, (dict, list)):
                body = json.dumps(body)
            connection.request(method, path, body=body, headers=headers or {})
            response = connection.getresponse()
            return Reply(response.status, dict(response.getheaders()), response.read().decode("utf-8"))
        finally:
            connection.close()

    def post(self, token, player, name=(1, 2), headers=None):
        return self.request("POST", "/v1/runs", {"token": token, "player": player, "name": list(name)}, headers)

    def board(self, query=""):
        return self.request("GET", "/v1/days/%d/board%s" % (self.day, query))

    def stop(self):
        """SIGTERM, as systemd stops it; returns its exit status."""
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        return self.process.wait(timeout=30) if self.process else None

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait(timeout=30)

    def close(self):
        if self.process and self.process.poll() is None:
            self.kill()
        shutil.rmtree(self.log_folder, ignore_errors=True)


class ServerTestCase(unittest.TestCase):
    """Each test on a fresh database; servers started by `server` are ended
    after it."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="quandrel-server-test-")
        self.database = Database(self.folder)
        self.servers = []

    def tearDown(self):
        for server in self.servers:
            server.close()
        self.database.drop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def server(self, day=1, options=(), environment=None):
        server = Server(self.database, day, options, environment)
        self.servers.append(server)
        return server.start()
