"""The screens a player sees, each reached from a fresh game: the splash, the
menu, the settings panel, the help page, the board, the pause veil, the exit
question, game over and level passed, the same steps in every language; and
the level screen and the finale, from prepared records; the daily screen and
the watch screen on a fixed day; the maker and a received board's screen."""

import os

from play_helpers import play, win_level
from quandrel_driver import MENU, records_bytes, settings_bytes

BOARD = MENU + ["command 220"]
SCENES = {
    "splash": [],
    "menu": MENU,
    "settings": MENU + ["command 222"],
    "help": MENU + ["command 223"],
    "level1": BOARD,
    "paused": BOARD + ["focus out"],
    "question": MENU + ["command 224"],
    # The bar runs out after the first shot; the next fire shows the end.
    "gameover": BOARD + ["command 101 1", "wait 10000", "command 101 1", "wait 50"],
    "passed": None,  # played: see reach
}


def reach(session, name):
    """Sends the steps to scene `name`; returns the dump that shows it."""
    steps = SCENES[name]
    if steps is not None:
        session.send(*steps)
        return session.dump()
    session.send(*BOARD)
    won = play(session, until=lambda dump: dump["passLit"])
    if won is None:
        raise AssertionError("the player did not win level 1")
    session.send("command 101 0")
    return session.dump()


# The level screen and the finale: one frame each, in Chinese. Each game starts
# from its settings and records files.
RECORDS = records_bytes({1: (2, 1750, 104, 124800, 1), 2: (1, 800, 47, 56400, 3), 3: (1, 1050, 63, 75600, 2)})
RECORD_SCENES = {
    "levels": (settings_bytes(4), MENU + ["command 225"]),
    "finale": (settings_bytes(10), MENU + ["command 221"]),
}


def reach_record_scene(session, name):
    """Sends the steps to record scene `name`; returns the dump that shows it."""
    session.send(*RECORD_SCENES[name][1])
    if name == "finale":
        win_level(session)
        session.send("command 200")
    return session.dump()


# The daily challenge's screens: one frame each, in Chinese, on a fixed day.
# The watch screen shows a run refused for what the clipboard held.
TODAY = "2026-12-08"
DAILY_SCENES = {
    "daily": MENU + ["command 400", "wait 100"],
    "watch": MENU + ["command 400", "clipboard QRUN.notarun", "command 404", "wait 100"],
}


# Boards players make and share: one frame each, in Chinese. The maker opens on
# a new board; the board's screen on a stored board token given as --board.
BOARD_TOKEN_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "fuzz", "board-seeds",
                                "board-2.board")
BOARD_SCENES = {
    "maker": ([], MENU + ["command 600", "wait 100"]),
    "board": (["--board", BOARD_TOKEN_FILE], MENU),
}


def board_scene_arguments(name):
    """The command line's additions for board scene `name` (the token read from its file)."""
    arguments = BOARD_SCENES[name][0]
    if not arguments:
        return []
    with open(arguments[1], encoding="ascii") as file:
        return [arguments[0], file.read().strip()]
