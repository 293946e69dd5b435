"""The generator's output, made once per test run and shared by the tests that check it:
ctest's assets_generate writes it to QUANDREL_ASSETS_MADE; a test run alone makes its own."""
import atexit
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.environ.get("QUANDREL_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
REPORT = "report.json"

_made = []


def generate(directory):
    """Runs tools/make_assets.py into an empty directory, with its report of the drawn texts."""
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_assets.py"), "--out", directory,
                    "--report", os.path.join(directory, REPORT)], check=True, stdout=subprocess.DEVNULL)


def directory():
    """The folder the generator wrote into."""
    if not _made:
        shared = os.environ.get("QUANDREL_ASSETS_MADE")
        if shared:
            _made.append(shared)
        else:
            own = tempfile.mkdtemp(prefix="quandrel-assets-")
            atexit.register(shutil.rmtree, own, True)
            generate(own)
            _made.append(own)
    return _made[0]


def report():
    """{language: {"used", "untranslated", "pictures": {name: {"words", "lines"}}}} (make_assets.py)."""
    with open(os.path.join(directory(), REPORT), encoding="utf-8") as f:
        return json.load(f)


if __name__ == "__main__":
    # ctest's assets_generate: python3 made_assets.py DIR makes DIR afresh.
    target = sys.argv[1]
    shutil.rmtree(target, ignore_errors=True)
    os.makedirs(target)
    generate(target)
