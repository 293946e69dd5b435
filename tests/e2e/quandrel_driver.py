"""Runs the real quandrel binary headless from a fresh temporary directory and
reads back the state it dumps.

Each Game copies the executable into its own directory with Images/ and Sounds/
linked beside it, so the settings file lands there, never in the build tree,
and tests can run in parallel. A game speaks Chinese, the language the tests
were written in, unless it is made with another `lang` (None: the language
the environment chooses).
"""

import json
import os
import shutil
import subprocess
import tempfile
import unittest

from PIL import Image

SECTION = "QuandrelV1.2 By NX For @Meizu::M8"

# Where the sprayer must stand for its shot to land on target slot k
# (the shot starts 40 px right of the sprayer; the sprayer moves in 23 px steps
# from x 105).
START_SPRAYER_X = 105
SPRAYER_STEP = 23


# Every language the game speaks and locale names that choose it: the table the
# tests of each language run from (the languages are the catalogues in po/).
LANGUAGES = {
    "zh": ("zh_CN.UTF-8", "zh_TW"),
    "en": ("en_US.UTF-8", "en_GB"),
    "es": ("es_ES.UTF-8", "es_MX"),
    "pt": ("pt_BR.UTF-8", "pt_PT", "pt"),
    "fr": ("fr_FR.UTF-8", "fr_CA"),
    "de": ("de_DE.UTF-8", "de_AT"),
    "ja": ("ja_JP.UTF-8",),
    "ko": ("ko_KR.UTF-8",),
    "ru": ("ru_RU.UTF-8", "ru_UA"),
}


def sprayer_x_for_slot(slot):
    return START_SPRAYER_X + SPRAYER_STEP * (slot + 1)


def binary_path():
    path = os.environ.get("QUANDREL_BINARY")
    if not path:
        build = os.environ.get("QUANDREL_BINARY_DIR", "")
        path = os.path.join(build, "quandrel")
    if not os.path.isfile(path):
        raise unittest.SkipTest("quandrel binary not found at " + path)
    return path


def settings_bytes(level, is_sound=1, is_move=0):
    """A settings file as the game writes it: UTF-16LE with its mark, CR LF."""
    text = "[%s]\r\n  CurrentLevel=%s\r\n  isSound=%s\r\n  isMove=%s" % (
        SECTION, level, is_sound, is_move)
    return b"\xff\xfe" + text.encode("utf-16-le")


def records_bytes(levels):
    """A records file as the game writes it, holding
    {level: (claims, best score, fewest shots, fastest ms, stars)}."""
    text = "[format]\nversion=1\n"
    for level, (claims, score, shots, ms, stars) in sorted(levels.items()):
        text += "\n[level%d]\nclaims=%d\nbestScore=%d\nfewestShots=%d\nfastestMs=%d\nstars=%d\n" % (
            level, claims, score, shots, ms, stars)
    return text.encode("utf-8")


def parse_settings(data):
    """The keys of a UTF-16LE settings file as a dict of strings; None when it is not one."""
    if not data.startswith(b"\xff\xfe") or len(data) % 2:
        return None
    values = {}
    for line in data[2:].decode("utf-16-le").split("\r\n"):
        line = line.strip()
        if "=" in line and not line.startswith("["):
            key, value = line.split("=", 1)
            values[key] = value
    return values


class Game:
    """One copy of the game in its own directory."""

    def __init__(self, settings=None, lang="zh", records=None):
        source = binary_path()
        self.lang = lang
        self.directory = tempfile.mkdtemp(prefix="quandrel-e2e-")
        self.binary = os.path.join(self.directory, "quandrel")
        shutil.copy2(source, self.binary)
        source_dir = os.path.dirname(os.path.abspath(source))
        for folder in ("Images", "Sounds"):
            target = os.path.join(source_dir, folder)
            if os.path.isdir(target):
                os.symlink(target, os.path.join(self.directory, folder))
        if settings is not None:
            with open(self.settings_path, "wb") as file:
                file.write(settings)
        if records is not None:
            with open(self.records_path, "wb") as file:
                file.write(records)
        self.env = dict(os.environ)
        # Each game gets its own runtime directory: its own single-instance lock.
        self.runtime_dir = os.path.join(self.directory, "run")
        os.mkdir(self.runtime_dir, 0o700)
        self.env["XDG_RUNTIME_DIR"] = self.runtime_dir
        self.arguments = []  # more of the command line (--board TOKEN)
        self.env.pop("DISPLAY", None)
        self.env.pop("WAYLAND_DISPLAY", None)

    @property
    def command(self):
        """The command line of a headless run."""
        return [self.binary, "--headless"] + (["--lang", self.lang] if self.lang else []) + self.arguments

    @property
    def settings_path(self):
        return os.path.join(self.directory, "quandrel.ini")

    @property
    def records_path(self):
        return os.path.join(self.directory, "quandrel-records.ini")

    def settings(self):
        try:
            with open(self.settings_path, "rb") as file:
                return parse_settings(file.read())
        except FileNotFoundError:
            return None

    def close(self):
        shutil.rmtree(self.directory, ignore_errors=True)

    def run(self, lines, timeout=300):
        """Runs a whole script; returns (dumps, completed process)."""
        script = "\n".join(lines) + "\n"
        done = subprocess.run(self.command, input=script, env=self.env,
                              cwd=self.directory, capture_output=True, text=True,
                              timeout=timeout)
        dumps = [json.loads(line) for line in done.stdout.splitlines()
                 if line.startswith("{")]
        return dumps, done

    def start(self):
        """Starts an interactive session; see Session."""
        return Session(self)


class Session:
    """A running headless game that takes one command at a time."""

    def __init__(self, game, extra_env=None):
        env = dict(game.env)
        env.update(extra_env or {})
        self.process = subprocess.Popen(game.command, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        cwd=game.directory, env=env, text=True, bufsize=1)

    def send(self, *lines):
        for line in lines:
            self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def dump(self):
        self.send("dump")
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError("the game ended: " + self.process.stderr.read())
        return json.loads(line)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for pipe in (self.process.stdin, self.process.stdout, self.process.stderr):
            if not pipe.closed:
                try:
                    pipe.close()
                except BrokenPipeError:
                    pass

    def finish(self, timeout=60):
        """Ends the game as when the window is closed; returns its exit code and stderr."""
        try:
            self.process.stdin.write("quit\n")
            self.process.stdin.close()
        except BrokenPipeError:
            pass
        rest = self.process.stdout.read()
        code = self.process.wait(timeout=timeout)
        errors = self.process.stderr.read()
        self.process.stdout.close()
        self.process.stderr.close()
        return code, rest, errors


class GameTestCase(unittest.TestCase):
    """Creates games that are removed after the test."""

    def new_game(self, settings=None, lang="zh", records=None):
        game = Game(settings, lang, records)
        self.addCleanup(game.close)
        return game

    def new_session(self, settings=None, game=None):
        """A running game, ended (if still running) after the test."""
        session = (game or self.new_game(settings)).start()
        self.addCleanup(session.kill)
        return session

    def run_script(self, lines, settings=None, game=None):
        game = game or self.new_game(settings)
        dumps, done = game.run(lines)
        self.assertEqual(done.returncode, 0, done.stderr)
        return dumps


# Script fragments.
SPLASH_MS = 3000
MENU = ["wait %d" % SPLASH_MS]
SHOT_FLIGHT_MS = 24 * 50  # from launch until the shot is hidden


def start_level_one():
    return MENU + ["command 220"]


def continue_at(level):
    """A game that continues at `level` from a prepared settings file."""
    return settings_bytes(level), MENU + ["command 221"]


def move_sprayer_to(current_x, target_x):
    """Taps that step the sprayer from current_x to target_x."""
    steps = (target_x - current_x) // SPRAYER_STEP
    tap = "tap 360 300" if steps > 0 else "tap 120 300"
    return [tap] * abs(steps)


def read_png(path):
    """Decodes an 8-bit RGB or RGBA PNG into (width, height, bytes of RGBA)."""
    with open(path, "rb") as file:
        head = file.read(33)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError("not a PNG: " + path)
    depth, colour_type = head[24], head[25]
    if depth != 8 or colour_type not in (2, 6):
        raise ValueError("unsupported PNG format")
    with Image.open(path) as picture:
        return picture.width, picture.height, picture.convert("RGBA").tobytes()
