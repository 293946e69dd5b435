"""Makes docs/screenshot.png and docs/screenshot-zh.png, the README's pictures
of the game in English and in Chinese, with the headless binary: level 1 after
a few shots, one of them still falling (the same moment in both).

Usage: /usr/bin/python3 tests/e2e/readme_screenshot.py [BUILD_DIR/quandrel]
"""

import os
import shutil
import sys

from play_helpers import aim_and_fire, choose_slot, play
from quandrel_driver import MENU, Game

REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def shoot_picture(lang, name):
    game = Game(lang=lang)
    try:
        session = game.start()
        session.send(*MENU, "command 220")
        shots = [0]

        def after_some_shots(_dump):
            shots[0] += 1
            return shots[0] > 12
        dump = play(session, until=after_some_shots)
        aim_and_fire(session, dump, choose_slot(dump))
        session.send("wait 400")
        path = os.path.join(game.directory, "screenshot.png")
        session.send("screenshot " + path)
        session.dump()
        session.finish()
        target = os.path.join(REPOSITORY, "docs", name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(path, target)
        print("wrote", target)
    finally:
        game.close()


def main():
    if len(sys.argv) > 1:
        os.environ["QUANDREL_BINARY"] = sys.argv[1]
    shoot_picture("en", "screenshot.png")
    shoot_picture("zh", "screenshot-zh.png")


if __name__ == "__main__":
    main()
