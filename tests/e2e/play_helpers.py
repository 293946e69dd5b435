"""What the tests need to play the game through its dumps: the colour rules as
the autoplayer of tools/ writes them in words (an oracle independent of the
game's table), aiming and firing, and a simple player that prefers completing
colours it lacks keys for.
"""

import os
import sys

from quandrel_driver import SHOT_FLIGHT_MS, move_sprayer_to, sprayer_x_for_slot

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
if TOOLS not in sys.path:
    sys.path.insert(0, TOOLS)
# The autoplayer's reading of the board, written apart from the game's own table.
import autoplay  # noqa: E402
from autoplay import EMPTY, SPOILED, colour_of, is_full, measures, mix  # noqa: E402,F401


def key_rule_holds(dump):
    needed = [0, 1, 2, 3, 4, 5, 7] if dump["currentLevel"] <= 1 else list(range(8))
    return all(dump["keys"][k] for k in needed)


def aim_and_fire(session, dump, slot):
    """Steps the sprayer over `slot` (None: over no target) and fires."""
    target_x = sprayer_x_for_slot(slot) if slot is not None else 105
    session.send(*move_sprayer_to(dump["sprayerX"], target_x))
    session.send("command 101 1")


def shoot(session, slot):
    """Fires at `slot` and lets the shot land; returns the dump after it."""
    aim_and_fire(session, session.dump(), slot)
    session.send("wait %d" % SHOT_FLIGHT_MS)
    return session.dump()


def slot_for_effect(dump, wanted):
    """A target on which the current colour has the wanted effect
    ("spoil", "full", "grow", "harmless"), or None."""
    colour = dump["currentColour"]
    for slot, state in enumerate(dump["targets"]):
        if state == SPOILED:
            continue
        new, _ = mix(state, colour)
        effects = {
            "spoil": new == SPOILED,
            "full": is_full(new),
            "grow": new != SPOILED and not is_full(new),
            "harmless": new != SPOILED,
        }
        if effects[wanted]:
            return slot
    return None


def move_value(dump, state, colour, avoid_mixed_key):
    new, completes_mix = mix(state, colour)
    keys = dump["keys"]
    if new == SPOILED:
        return -100
    if is_full(new):
        value = 100 + (200 if not keys[colour_of(new)] else 0)
        if completes_mix and not keys[6]:
            others = all(keys[k] for k in (0, 1, 2, 3, 4, 5, 7))
            value += 150 if (not avoid_mixed_key or others) else -400
        return value
    lacking = 0 if keys[colour_of(new)] else 1
    value = 40 + 60 * lacking if measures(new) == 2 else 10 + 30 * lacking
    # Mixing over a colour whose key is still missing undoes its progress.
    if state != EMPTY and colour_of(state) != colour_of(new) and not keys[colour_of(state)]:
        value -= 80
    return value


def choose_slot(dump, avoid_mixed_key=False):
    """The player's pick for the current colour: None means shooting past the targets."""
    best, best_value = None, -50
    for slot, state in enumerate(dump["targets"]):
        if state == SPOILED:
            continue
        value = move_value(dump, state, dump["currentColour"], avoid_mixed_key)
        if value > best_value:
            best, best_value = slot, value
    return best


def play(session, until, max_shots=100, avoid_mixed_key=False):
    """Plays shot by shot until `until(dump)` holds; returns that dump, or
    None when the attempt ended or ran out of shots first."""
    for _ in range(max_shots):
        dump = session.dump()
        if until(dump):
            return dump
        if dump["screen"] != "game" or dump["gameOver"] or dump["shotsLeft"] == 0:
            return None
        spoiled = dump["targets"].count(SPOILED)
        if spoiled >= 3 and dump["score"] >= 50 + dump["levelTargetScore"] // 4:
            session.send("command 114")
            dump = session.dump()
        aim_and_fire(session, dump, choose_slot(dump, avoid_mixed_key))
        session.send("wait %d" % SHOT_FLIGHT_MS)
    dump = session.dump()
    return dump if until(dump) else None


def win_level(session, claimed_screen="passed"):
    """Plays the level on screen with the autoplayer of tools/ and claims it; returns what it
    counted ({"fired", "bought", "repairs", "score", "time"}) and the dump of the screen the
    claim leads to (the level-passed screen, or a board's), or raises when the level is lost."""
    class Player:
        def do(self, *lines):
            session.send(*lines)
            return session.dump()

    figures, passed = autoplay.play_level(Player(), session.dump(), claimed_screen=claimed_screen)
    if figures is None:
        raise AssertionError("the autoplayer lost level %d" % passed["currentLevel"])
    return figures, passed
