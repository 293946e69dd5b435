#!/usr/bin/python3
"""Plays Quandrel headless from the first level to the last as a player would:
it reads only what the screen shows (the state the game dumps: the tubes, the
colour in the sprayer and the next one, the keys, the score, the shots left)
and answers with the player's keys (Left, Right, Space, Return, R, B). It wins
every level or says which one it could not win, and writes a table of each
level's play.

With --runs DIR it plays instead each level as a day's challenge (the first
day from 2026-12-01 whose level it is), claims it and writes the day's shared
run to DIR/level-N.run, one token per file.

With --board TOKEN it opens a shared board (as `quandrel --board TOKEN` does)
and clears it. With --boards N it makes N boards drawn at random (from
--seed), each in the maker by the player's own presses, clears and shares
each, and checks that every host proves the shared board the same:
`quandrel --verify` and the board's screen of a game opened on it agree with
the clear, and that game clears it again as its receiver. --boards-out DIR
keeps each board's token as DIR/board-N.board.

Usage: autoplay.py [--binary PATH] [--table FILE] [--runs DIR] [--board TOKEN]
                   [--boards N [--seed S] [--boards-out DIR]] [--quiet]
Exit status: 0 when all ten levels (or the boards) were won, 1 when one was
not, 2 on a usage or start-up problem. Standard library only."""

import datetime

import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

LEVELS = 10
SPLASH_MS = 3000
# A shot leaves the sprayer, falls and is gone within this time.
SHOT_FLIGHT_MS = 1200
# A button pressed from the keyboard is let go of (and acts) after 100 ms.
KEY_PRESS_MS = 200
PURCHASE_PRICE = 50
SHOTS_PER_PURCHASE = 25

# The board as the player reads it: a tube is empty, holds one to three
# measures of one of six colours, or is spoiled. Colours 0, 1 and 4 are the
# primaries; two of them make a secondary.
EMPTY = 0
SPOILED = 19
PRIMARY_MIXES = {frozenset((0, 1)): 2, frozenset((1, 4)): 3, frozenset((0, 4)): 5}
MIXED_KEY = 6
SCORE_KEY = 7
# The daily challenge: day 1 is 2026-12-01, and day d plays level
# 1 + 3 (d - 1) mod 10, so days 1..10 bring each level once.
FIRST_DAY = datetime.date(2026, 12, 1)
DAILY_BUTTON = 400
DAILY_PLAY = 402
# Boards: the menu's Make, the maker's tubes (one command per tube, each press
# the next state), score steps, New colours and Try; a received board's Play.
MAKE_BUTTON = 600
FIRST_MAKER_TUBE = 602
SCORE_DOWN, SCORE_UP, NEW_COLOURS, TRY_BOARD = 612, 613, 614, 615
BOARD_PLAY = 654
TUBE_STATES = 20
SCORE_STEP = 50
# A shared board with its clearing run fits in this many characters.
MOST_BOARD_TOKEN = 1536
# Sprayer positions: 105 at the left, one step 23 px; a shot lands 40 px right
# of the sprayer, so the sprayer stands one step left of the tube it aims at.
LEFTMOST_SPRAYER_X = 105
SPRAYER_STEP = 23


def colour_of(state):
    return (state - 1) // 3


def measures(state):
    return (state - 1) % 3 + 1


def is_full(state):
    return 1 <= state <= 18 and measures(state) == 3


def mix(state, colour):
    """(new state, whether a secondary was completed from two primaries)."""
    if state == EMPTY:
        return 3 * colour + 1, False
    if state == SPOILED or is_full(state):
        return SPOILED, False
    held, count = colour_of(state), measures(state)
    if colour == held:
        return 3 * held + count + 1, False
    secondary = PRIMARY_MIXES.get(frozenset((held, colour)))
    if secondary is not None:
        return 3 * secondary + count + 1, count == 2
    return SPOILED, False


def keys_needed(asks_mixed):
    return [k for k in range(8) if not (k == MIXED_KEY and not asks_mixed)]


class Board:
    """What the player tracks between shots: tubes, keys, score, the mixing flag."""

    def __init__(self, dump):
        self.targets = list(dump["targets"])
        self.keys = list(dump["keys"])
        self.score = dump["score"]
        self.target_score = dump["levelTargetScore"]
        self.asks_mixed = dump["asksMixedKey"]
        self.mixed = dump["mixedFromPrimaries"] == 1

    def copy(self):
        other = Board.__new__(Board)
        other.__dict__ = dict(self.__dict__)
        other.targets = list(self.targets)
        other.keys = list(self.keys)
        return other

    def land(self, slot, colour):
        """The board after `colour` lands on `slot`; returns the move's worth."""
        state = self.targets[slot]
        new, completes_mix = mix(state, colour)
        if new == SPOILED:
            self.targets[slot] = SPOILED
            self.score -= 30
            usable = sum(1 for t in self.targets if t != SPOILED)
            return -400 if usable else -100000
        worth = 0
        if state != EMPTY and colour_of(state) != colour_of(new) and not self.keys[colour_of(state)]:
            # Mixing over a colour whose key is still missing undoes its progress.
            worth -= 40 * measures(state)
        if is_full(new):
            self.targets[slot] = EMPTY
            self.score += 50
            held = colour_of(new)
            worth += 120 if not self.keys[held] else 60
            self.keys[held] = True
            self.mixed = self.mixed or completes_mix
            if self.mixed and not self.keys[MIXED_KEY]:
                self.keys[MIXED_KEY] = True
                worth += 250 if self.asks_mixed else 0
            if self.score >= self.target_score and not self.keys[SCORE_KEY]:
                self.keys[SCORE_KEY] = True
                worth += 250
            return worth
        self.targets[slot] = new
        held = colour_of(new)
        lacking = not self.keys[held]
        worth += (25 if measures(new) == 2 else 8) + (30 if lacking else 0)
        # A primary in two measures is one shot of another primary from the
        # mixing key.
        if held in (0, 1, 4) and measures(new) == 2 and not self.keys[MIXED_KEY] and self.asks_mixed:
            worth += 15
        return worth

    def won(self):
        return all(self.keys[k] for k in keys_needed(self.asks_mixed))


def best_slot(board, colour, following, miss_counter):
    """The tube to shoot at (None: past the tubes), looking one shot ahead."""
    choices = []
    for slot, state in enumerate(board.targets):
        if state == SPOILED:
            continue
        after = board.copy()
        worth = after.land(slot, colour)
        worth += 0.5 * max(next_worth(after, following), 0)
        choices.append((worth, -slot, slot))
    # Past the tubes: nothing changes, except that every fourth miss throws an
    # unknown colour onto the leftmost tube that is not spoiled.
    worth = -5
    if miss_counter == 3:
        leftmost = next((t for t in board.targets if t != SPOILED), None)
        worth -= 0 if leftmost == EMPTY else 150
    worth += 0.5 * max(next_worth(board, following), 0)
    choices.append((worth, 1, None))
    return max(choices)[2]


def next_worth(board, colour):
    best = -5
    for slot, state in enumerate(board.targets):
        if state != SPOILED:
            best = max(best, board.copy().land(slot, colour))
    return best


class Game:
    """The game, headless, in a directory of its own (its own settings file)."""

    def __init__(self, binary, today=None, arguments=()):
        self.directory = tempfile.mkdtemp(prefix="quandrel-autoplay-")
        program = os.path.join(self.directory, "quandrel")
        shutil.copy2(binary, program)
        source = os.path.dirname(os.path.abspath(binary))
        for folder in ("Images", "Sounds"):
            if os.path.isdir(os.path.join(source, folder)):
                os.symlink(os.path.join(source, folder), os.path.join(self.directory, folder))
        env = dict(os.environ)
        env["XDG_RUNTIME_DIR"] = os.path.join(self.directory, "run")
        os.mkdir(env["XDG_RUNTIME_DIR"], 0o700)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        if today is not None:
            env["QUANDREL_TODAY"] = today.isoformat()
        self.process = subprocess.Popen([program, "--headless", *arguments], cwd=self.directory, env=env, text=True,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, bufsize=1)

    def do(self, *lines):
        """Sends the lines and a dump; returns the state after them."""
        self.process.stdin.write("\n".join(lines + ("dump",)) + "\n")
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError("the game ended: " + self.process.stderr.read())
        return json.loads(line)

    def close(self):
        try:
            self.process.stdin.write("quit\n")
            self.process.stdin.close()
        except BrokenPipeError:
            pass
        self.process.wait(timeout=30)
        self.process.stdout.close()
        self.process.stderr.close()
        shutil.rmtree(self.directory, ignore_errors=True)


def aim_keys(sprayer_x, slot):
    """Left/Right presses that bring the sprayer over `slot` (None: left of every tube)."""
    target = LEFTMOST_SPRAYER_X + SPRAYER_STEP * (slot + 1) if slot is not None else LEFTMOST_SPRAYER_X
    steps = (target - sprayer_x) // SPRAYER_STEP
    return ["key Right" if steps > 0 else "key Left"] * abs(steps)


def play_level(game, dump, max_shots=400, claimed_screen="passed"):
    """Plays the level on screen until it is claimed; returns (figures, dump on
    the screen the claim leads to) or (None, last dump) when it was lost."""
    level = dump["currentLevel"]
    figures = {"level": level, "fired": 0, "bought": 0, "repairs": 0, "start": dump["t"]}
    for _ in range(max_shots):
        if dump["screen"] != "game" or dump["gameOver"]:
            return None, dump
        board = Board(dump)
        if dump["passLit"] or board.won():
            passed = game.do("key Return")
            if passed["screen"] == claimed_screen:
                figures["score"] = dump["score"]
                figures["time"] = passed["t"] - figures["start"]
                return figures, passed
        usable = sum(1 for t in board.targets if t != SPOILED)
        if dump["score"] >= PURCHASE_PRICE and usable < 4 and SPOILED in board.targets:
            dump = game.do("key R")
            figures["repairs"] += 1
            continue
        if dump["shotsLeft"] <= 1 and dump["score"] >= PURCHASE_PRICE:
            dump = game.do("key B")
            figures["bought"] += SHOTS_PER_PURCHASE
            continue
        if dump["shotsLeft"] == 0:
            return None, dump
        slot = best_slot(board, dump["currentColour"], dump["nextColour"], dump["missCounter"])
        dump = game.do(*aim_keys(dump["sprayerX"], slot), "key Space", "wait %d" % SHOT_FLIGHT_MS)
        figures["fired"] += 1
    return None, dump


def records_problem(passed, figures):
    """What the level-passed screen's dump gets wrong about the first claim of the level
    just played (None when nothing): its score, shots, time and stars."""
    record = passed["records"][figures["level"] - 1]
    stars = 1 if figures["bought"] else 2 if figures["repairs"] else 3
    expected = {"claims": 1, "bestScore": figures["score"], "fewestShots": figures["fired"], "stars": stars}
    wrong = {k: record[k] for k, v in expected.items() if record[k] != v}
    # The level starts when the key that started it is let go of, before the first dump of it.
    if not figures["time"] <= record["fastestMs"] <= figures["time"] + KEY_PRESS_MS:
        wrong["fastestMs"] = record["fastestMs"]
    if not passed["newRecord"]:
        wrong["newRecord"] = False
    return "%s, expected %s and %d ms" % (wrong, expected, figures["time"]) if wrong else None


def write_table(path, rows):
    lines = [
        "# Every level won by the autoplayer",
        "",
        "`tools/autoplay.py` plays the headless game from the first level to the",
        "last using only what the player sees and the player's keys, and claims each",
        "level as soon as its keys are earned. The same run is a CTest test",
        "(`autoplay_all_levels`), so a change that makes a level unwinnable fails.",
        "Virtual time runs from the level's first moment to its claim.",
        "",
        "| Level | Shots fired | Shots bought | Repairs | Score | Virtual time |",
        "|---:|---:|---:|---:|---:|---:|",
    ]
    for row in rows:
        lines.append("| %d | %d | %d | %d | %d | %.1f s |" % (
            row["level"], row["fired"], row["bought"], row["repairs"], row["score"], row["time"] / 1000))
    with open(path, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")


def day_of_level(level):
    return next(day for day in range(1, LEVELS + 1) if 1 + 3 * (day - 1) % LEVELS == level)


def write_runs(binary, directory, quiet):
    """Plays each level as its day's challenge and writes the shared run."""
    os.makedirs(directory, exist_ok=True)
    for level in range(1, LEVELS + 1):
        day = day_of_level(level)
        game = Game(binary, FIRST_DAY + datetime.timedelta(days=day - 1))
        try:
            game.do("wait %d" % SPLASH_MS, "command %d" % DAILY_BUTTON)
            dump = game.do("command %d" % DAILY_PLAY, "wait %d" % KEY_PRESS_MS)
            if dump["screen"] != "game" or dump["currentLevel"] != level:
                print("autoplay: day %d did not start level %d: %s" % (day, level, json.dumps(dump)), file=sys.stderr)
                return 2
            figures, dump = play_level(game, dump)
            if figures is None or dump["share"] is None:
                print("autoplay: day %d (level %d) was not won" % (day, level), file=sys.stderr)
                return 1
            with open(os.path.join(directory, "level-%d.run" % level), "w", encoding="ascii") as file:
                file.write(dump["share"]["token"] + "\n")
            if not quiet:
                print("day %d, level %d: %d points, %d shots, run of %d characters" % (
                    day, level, dump["daily"]["result"]["score"], dump["daily"]["result"]["shots"],
                    len(dump["share"]["token"])))
        finally:
            game.close()
    return 0


def clear_received_board(binary, token):
    """Opens the board `token` as a shared link would and clears it; returns
    (the board's dump before play, the claim's figures, the board's dump after),
    figures None when it was not cleared."""
    game = Game(binary, arguments=("--board", token))
    try:
        opened = game.do("wait %d" % SPLASH_MS)
        if opened["screen"] != "board" or opened["board"] is None or opened["board"]["state"] != "proven":
            return opened, None, opened
        dump = game.do("command %d" % BOARD_PLAY, "wait %d" % KEY_PRESS_MS)
        figures, after = play_level(game, dump, claimed_screen="board")
        return opened, figures, after
    finally:
        game.close()


def verify_natively(binary, token):
    """`quandrel --verify`'s JSON for a token, or None when it refuses it."""
    done = subprocess.run([binary, "--verify", token], capture_output=True, text=True, timeout=60)
    return json.loads(done.stdout) if done.returncode == 0 else None


def draw_board(rng):
    """A board as a player might make one: each tube's state, the target score
    and how many times New colours is pressed."""
    tubes = [rng.randrange(TUBE_STATES) for _ in range(10)]
    return tubes, SCORE_STEP * rng.randint(2, 24), rng.randint(0, 3)


def make_board(game, tubes, target, recolours):
    """Makes the board in the maker with the player's presses; returns the maker's dump."""
    dump = game.do("command %d" % MAKE_BUTTON, "wait %d" % KEY_PRESS_MS)
    presses = []
    for slot, (now, wanted) in enumerate(zip(dump["maker"]["tubes"], tubes)):
        presses += ["command %d" % (FIRST_MAKER_TUBE + slot)] * ((wanted - now) % TUBE_STATES)
    steps = (target - dump["maker"]["targetScore"]) // SCORE_STEP
    presses += ["command %d" % (SCORE_UP if steps > 0 else SCORE_DOWN)] * abs(steps)
    presses += ["command %d" % NEW_COLOURS] * recolours
    return game.do(*presses) if presses else dump


def board_problem(binary, made, token, figures):
    """What goes wrong when the shared board `token` is proven elsewhere (None
    when nothing): --verify, and the board's screen of a game opened on it."""
    native = verify_natively(binary, token)
    if native is None or not native["cleared"] or native["score"] != figures["score"]:
        return "--verify gives %s for a clear of %d points" % (native, figures["score"])
    if len(token) > MOST_BOARD_TOKEN:
        return "its token has %d characters" % len(token)
    opened, cleared, after = clear_received_board(binary, token)
    board = opened["board"]
    seen = board and (board["tubes"], board["targetScore"], board["makerScore"], board["makerStars"])
    if seen != (made["tubes"], made["targetScore"], native["score"], native["stars"]):
        return "opened as %s, --verify gives %s" % (board, native)
    if cleared is None or after["board"]["best"] is None:
        return "its receiver did not clear it (screen %s)" % after["screen"]
    return None


def make_boards(binary, count, seed, out, quiet):
    """Makes, clears and shares `count` boards drawn from `seed`, each proven on every host."""
    rng = random.Random(seed)
    if out:
        os.makedirs(out, exist_ok=True)
    for number in range(1, count + 1):
        tubes, target, recolours = draw_board(rng)
        game = Game(binary)
        try:
            game.do("wait %d" % SPLASH_MS)
            made = make_board(game, tubes, target, recolours)["maker"]
            if made["tubes"] != tubes or made["targetScore"] != target or made["cleared"]:
                print("autoplay: board %d was made as %s, not %s" % (number, made, (tubes, target)), file=sys.stderr)
                return 1
            dump = game.do("command %d" % TRY_BOARD, "wait %d" % KEY_PRESS_MS)
            figures, dump = play_level(game, dump, claimed_screen="maker")
            if figures is None or dump["share"] is None or not dump["maker"]["cleared"]:
                print("autoplay: board %d %s was not cleared (screen %s)" % (number, made, dump["screen"]),
                      file=sys.stderr)
                return 1
            token = dump["share"]["token"]
        finally:
            game.close()
        problem = board_problem(binary, made, token, figures)
        if problem:
            print("autoplay: board %d %s: %s" % (number, made, problem), file=sys.stderr)
            return 1
        if out:
            with open(os.path.join(out, "board-%d.board" % number), "w", encoding="ascii") as file:
                file.write(token + "\n")
        if not quiet:
            print("board %d: %s, target %d: cleared with %d points in %d shots, token of %d characters" % (
                number, made["tubes"], target, figures["score"], figures["fired"], len(token)))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--binary", default=os.path.join("build", "quandrel"))
    parser.add_argument("--table", help="write the per-level table (Markdown) to this file")
    parser.add_argument("--runs", help="play each level as a day's challenge and write its run into this folder")
    parser.add_argument("--board", help="open this shared board (a token or link) and clear it")
    parser.add_argument("--boards", type=int, help="make, clear, share and prove this many boards drawn at random")
    parser.add_argument("--seed", type=int, default=37, help="the seed the boards are drawn from")
    parser.add_argument("--boards-out", help="keep each made board's token in this folder")
    parser.add_argument("--quiet", action="store_true")
    options = parser.parse_args()
    if not os.path.isfile(options.binary):
        print("autoplay: no game at %s (use --binary)" % options.binary, file=sys.stderr)
        return 2
    if options.runs:
        return write_runs(options.binary, options.runs, options.quiet)
    if options.boards:
        return make_boards(options.binary, options.boards, options.seed, options.boards_out, options.quiet)
    if options.board:
        opened, figures, after = clear_received_board(options.binary, options.board)
        if figures is None:
            print("autoplay: the board was not cleared (screen %s, board %s)" % (after["screen"], after["board"]),
                  file=sys.stderr)
            return 1
        if not options.quiet:
            print("board %s cleared: %d points, %d shots; the maker's %d" % (
                opened["board"]["id"], figures["score"], figures["fired"], opened["board"]["makerScore"]))
        return 0

    game = Game(options.binary)
    rows = []
    try:
        game.do("wait %d" % SPLASH_MS)
        # The menu's first button starts a new game.
        dump = game.do("key Return", "wait %d" % KEY_PRESS_MS)
        if dump["screen"] != "game" or dump["currentLevel"] != 1:
            print("autoplay: the menu did not start level 1: %s" % json.dumps(dump), file=sys.stderr)
            return 2
        for level in range(1, LEVELS + 1):
            figures, dump = play_level(game, dump)
            if figures is None:
                print("autoplay: level %d was not won (screen %s, score %d, shots left %d, targets %s, keys %s)" % (
                    level, dump["screen"], dump["score"], dump["shotsLeft"], dump["targets"], dump["keys"]),
                    file=sys.stderr)
                return 1
            rows.append(figures)
            if not options.quiet:
                print("level %(level)d won: %(fired)d shots fired, %(bought)d bought, %(repairs)d repairs, "
                      "score %(score)d, %(time)d ms" % figures)
            problem = records_problem(dump, figures)
            if problem:
                print("autoplay: level %d's records are wrong: %s" % (level, problem), file=sys.stderr)
                return 1
            # The first word of the level-passed screen goes on; after the last level, any key
            # leaves the finale for the menu.
            dump = game.do("key Return", "wait %d" % KEY_PRESS_MS)
            expected = "game" if level < LEVELS else "finale"
            if level == LEVELS and dump["screen"] == expected:
                dump = game.do("key Space", "wait %d" % KEY_PRESS_MS)
                expected = "menu"
            if dump["screen"] != expected:
                print("autoplay: after level %d the screen is %s, not %s" % (level, dump["screen"], expected),
                      file=sys.stderr)
                return 1
    finally:
        game.close()
    if options.table:
        write_table(options.table, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
