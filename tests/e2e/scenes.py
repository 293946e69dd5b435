"""The screens a player sees, each reached from a fresh game: the splash, the
menu, the settings panel, the help page, the board, the pause veil, the exit
question, game over and level passed. The same steps in every language."""

from play_helpers import play
from quandrel_driver import MENU

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
