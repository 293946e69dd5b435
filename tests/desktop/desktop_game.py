"""Runs the real quandrel binary from a fresh temporary directory set up with
a chosen bad condition, headless or on SDL's dummy drivers, and reads back
what it printed and what it left in its settings file.

When the tests run as root, games that must meet file permissions run as the
unprivileged user nobody (root writes everywhere)."""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
from quandrel_driver import SECTION, parse_settings  # noqa: E402,F401

NOBODY = 65534
START_GAME = 220
EXIT_GAME = 224


def binary_path():
    path = os.environ.get("QUANDREL_BINARY", "")
    if not os.path.isfile(path):
        raise unittest.SkipTest("quandrel binary not found (QUANDREL_BINARY)")
    return path


def settings_bytes(level, is_sound=1, is_move=1):
    """A settings file as the game writes it: UTF-16LE with its mark, CR LF."""
    text = "[%s]\r\n  CurrentLevel=%s\r\n  isSound=%s\r\n  isMove=%s" % (SECTION, level, is_sound, is_move)
    return b"\xff\xfe" + text.encode("utf-16-le")


def playing_lines():
    """Splash, start a game, fire twice, let both shots land."""
    return ["wait 3000", "command %d" % START_GAME, "key Space", "wait 1500", "key Space", "wait 1500", "dump"]


def exit_lines():
    """The exit command and its question answered yes."""
    return ["command %d" % EXIT_GAME, "answer yes"]


class Game:
    """One copy of the game in its own directory (removed by close)."""

    def __init__(self, images="link", sounds="link", unprivileged=False):
        self.source = binary_path()
        self.source_dir = os.path.dirname(os.path.abspath(self.source))
        self.directory = tempfile.mkdtemp(prefix="quandrel-desktop-")
        os.chmod(self.directory, 0o755)
        self.binary = os.path.join(self.directory, "quandrel")
        shutil.copy2(self.source, self.binary)
        self._place("Images", images)
        self._place("Sounds", sounds)
        self.unprivileged = unprivileged and os.geteuid() == 0
        self.env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER"):
            self.env.pop(name, None)
        # Its own runtime directory: its own single-instance lock.
        self.runtime_dir = os.path.join(self.directory, "run")
        os.mkdir(self.runtime_dir, 0o700)
        self.env["XDG_RUNTIME_DIR"] = self.runtime_dir
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.directory, "config")
        if self.unprivileged:
            os.chown(self.runtime_dir, NOBODY, NOBODY)

    def _place(self, folder, how):
        """link: the build's folder linked in; copy: a copy to spoil; missing: none."""
        source = os.path.join(self.source_dir, folder)
        target = os.path.join(self.directory, folder)
        if how == "link":
            os.symlink(source, target)
        elif how == "copy":
            shutil.copytree(source, target)

    def folder(self, name):
        return os.path.join(self.directory, name)

    @property
    def settings_path(self):
        return os.path.join(self.directory, "quandrel.ini")

    def write_settings(self, data, mode=0o644, owner=None):
        with open(self.settings_path, "wb") as file:
            file.write(data)
        os.chmod(self.settings_path, mode)
        if owner is not None and os.geteuid() == 0:
            os.chown(self.settings_path, owner, owner)

    def settings_data(self):
        try:
            with open(self.settings_path, "rb") as file:
                return file.read()
        except FileNotFoundError:
            return None

    def give_directory_to_player(self):
        """Lets the (unprivileged) player write in the game's directory."""
        if self.unprivileged:
            os.chown(self.directory, NOBODY, NOBODY)
            if os.path.exists(self.settings_path):
                os.chown(self.settings_path, NOBODY, NOBODY)

    def _command(self, arguments):
        prefix = []
        if self.unprivileged:
            prefix = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups", "--"]
        return prefix + [self.binary] + arguments

    def run(self, lines, arguments=("--headless",), env=None, timeout=120):
        """Runs a whole script; returns (dumps, completed process)."""
        full_env = dict(self.env)
        full_env.update(env or {})
        done = subprocess.run(self._command(list(arguments)), input="\n".join(lines) + "\n", env=full_env,
                              cwd=self.directory, capture_output=True, text=True, timeout=timeout)
        dumps = [json.loads(line) for line in done.stdout.splitlines() if line.startswith("{")]
        return dumps, done

    def run_window(self, seconds, env):
        """Runs in a window on SDL's drivers for a while, then asks it to close
        (SIGTERM, as a desktop does); returns (exit status, standard error)."""
        full_env = dict(self.env)
        full_env.update(env)
        process = subprocess.Popen(self._command([]), env=full_env, cwd=self.directory,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        time.sleep(seconds)
        process.send_signal(signal.SIGTERM)
        try:
            _, errors = process.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            process.kill()
            _, errors = process.communicate()
            return None, errors
        return process.returncode, errors

    def close(self):
        shutil.rmtree(self.directory, ignore_errors=True)


class GameTestCase(unittest.TestCase):
    """Makes games that are removed when the test ends."""

    def game(self, **kwargs):
        game = Game(**kwargs)
        self.addCleanup(game.close)
        return game

    def assertPlayed(self, dumps, done):
        """The script ran to its end: the game started and both shots left."""
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue(dumps, done.stderr)
        self.assertEqual(dumps[-1]["screen"], "game")
        self.assertEqual(dumps[-1]["shotsLeft"], 98)
