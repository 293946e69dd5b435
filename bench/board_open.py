#!/usr/bin/python3
"""CPU time to open a shared board's link natively: the headless game started
with --board TOKEN until its board screen is up (the token read, its maker's
run replayed on it, the screen built and drawn), next to the same start that
stops at the menu, taken in turns. Medians over RUNS starts of each (and of
their differences); prints a Markdown table.

Usage: bench/board_open.py BUILD_DIR TOKEN_FILE... [--runs N]
Standard library only."""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

SCRIPT = "wait 3000\ndump\nquit\n"


def cpu_ms_of(command, cwd, env):
    """CPU time (user and system) of one run of `command`, and its first output line."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    done = subprocess.run(command, input=SCRIPT, cwd=cwd, env=env, capture_output=True, text=True, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    spent = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return spent * 1000, done.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build")
    parser.add_argument("tokens", nargs="+")
    parser.add_argument("--runs", type=int, default=21)
    options = parser.parse_args()
    work = tempfile.mkdtemp(prefix="quandrel-board-open-")
    try:
        shutil.copy2(os.path.join(options.build, "quandrel"), work)
        for folder in ("Images", "Sounds"):
            os.symlink(os.path.abspath(os.path.join(options.build, folder)), os.path.join(work, folder))
        env = dict(os.environ, XDG_RUNTIME_DIR=work)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        game = [os.path.join(work, "quandrel"), "--headless", "--lang", "zh"]
        cpu_ms_of(game, work, env)  # the files in the page cache, as for a player's second start
        print("| token | characters | to the menu | to the board's screen | the board's share |")
        print("|---|---|---|---|---|")
        for path in options.tokens:
            with open(path, encoding="ascii") as file:
                token = file.read().strip()
            # Taken in turns, so that the machine's load weighs on both alike.
            menu, opened = [], []
            for _ in range(options.runs):
                menu.append(cpu_ms_of(game, work, env)[0])
                spent, output = cpu_ms_of(game + ["--board", token], work, env)
                if '"screen":"board"' not in output or '"state":"proven"' not in output:
                    print("board_open: %s did not open proven" % path, file=sys.stderr)
                    return 1
                opened.append(spent)
            print("| %s | %d | %.1f ms | %.1f ms | %.1f ms |" % (
                os.path.basename(path), len(token), statistics.median(menu), statistics.median(opened),
                statistics.median(b - a for a, b in zip(menu, opened))))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
