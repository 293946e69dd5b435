"""Boards players make, as a player goes: the maker opened from the menu on
level 1's board, edited by taps, tried and cleared, which unlocks Share (and
any edit locks it again); the shared board opened from its link on its own
screen, proven as --verify proves it, played, raced against its maker's
ghost and watched once tried; and forged and unproven boards refused with
their reason and nothing written."""

import base64
import binascii
import json
import os
import subprocess

from play_helpers import win_level
from quandrel_driver import MENU, GameTestCase

PRESS = "wait 100"
MAKE, FIRST_TUBE, SCORE_DOWN, SCORE_UP, NEW_COLOURS, TRY, SHARE, OPEN_BOARD, MAKER_BACK = (
    600, 602, 612, 613, 614, 615, 616, 617, 618)
PLAY, RACE, WATCH, BOARD_BACK = 654, 655, 656, 657
GHOST, PRACTICE_MARK, STOP = 420, 419, 451
RETRY, GAME_OVER_BACK = 118, 119
TIME_BAR_MS = 10000  # the Normal time bar runs out this long after a shot
BOARDS_FILE = "quandrel-boards.ini"
LEVEL_ONE = [16, 4, 7, 10, 7, 16, 13, 10, 16, 13]


def board_bytes(token):
    body = token[len("QBRD."):]
    return bytearray(base64.urlsafe_b64decode(body + "=" * (-len(body) % 4)))


def board_token(data):
    """A board token of the bytes (its checksum made anew, as a forger would)."""
    crc = binascii.crc32(b"QBRD." + bytes(data)) & 0xFFFFFFFF
    return "QBRD." + base64.urlsafe_b64encode(bytes(data) + crc.to_bytes(4, "little")).decode().rstrip("=")


def with_last_action_paused(token):
    """The board with its maker's last action (the claim) made a pause: a run that never clears it."""
    data = board_bytes(token)[:-4]
    start = len(data) - 1
    while start > 0 and data[start - 1] & 0x80:
        start -= 1
    data[start] = (data[start] & ~0x07) | 6
    return board_token(data)


class BoardsTest(GameTestCase):
    def maker_session(self):
        game = self.new_game(lang="en")
        session = self.new_session(game=game)
        session.send(*MENU, "command %d" % MAKE, PRESS)
        return game, session

    def make_and_clear(self, session):
        """Tries the board on the maker and clears it; returns the maker's dump after the claim."""
        session.send("command %d" % TRY, PRESS)
        playing = session.dump()
        self.assertEqual(playing["screen"], "game")
        self.assertNotIn(PRACTICE_MARK, playing["visible"], "a board's attempt is no practice")
        _, back = win_level(session, claimed_screen="maker")
        return back

    def verify(self, token):
        done = subprocess.run([os.environ["QUANDREL_BINARY"], "--verify", token], capture_output=True, text=True,
                              timeout=60)
        return done.returncode, done.stdout, done.stderr

    def test_a_board_made_tried_cleared_and_shared(self):
        game, session = self.maker_session()
        opened = session.dump()
        self.assertEqual(opened["screen"], "maker")
        self.assertEqual((opened["maker"]["tubes"], opened["maker"]["targetScore"]), (LEVEL_ONE, 600))
        self.assertFalse(opened["maker"]["cleared"])
        self.assertIsNone(opened["share"], "a board never cleared offers no share")
        self.assertNotIn(SHARE, opened["visible"])

        # Tube 1 cycles on, the score steps, New colours draws another seed.
        session.send("command %d" % FIRST_TUBE, "command %d" % FIRST_TUBE, "command %d" % SCORE_DOWN,
                     "command %d" % NEW_COLOURS, PRESS)
        made = session.dump()["maker"]
        self.assertEqual(made["tubes"], [18] + LEVEL_ONE[1:])
        self.assertEqual(made["targetScore"], 550)
        self.assertNotEqual(made["seed"], opened["maker"]["seed"])

        back = self.make_and_clear(session)
        self.assertEqual(back["screen"], "maker")
        self.assertTrue(back["maker"]["cleared"])
        self.assertEqual(back["maker"]["tubes"], made["tubes"], "the board as it was tried")
        self.assertIn(SHARE, back["visible"])
        self.assertEqual(back["focus"], SHARE, "the claim comes back to Share")
        token = back["share"]["token"]
        self.assertTrue(token.startswith("QBRD."))
        self.assertLessEqual(len(token), 1536)

        session.send("command %d" % SHARE, PRESS)
        shared = session.dump()
        self.assertEqual(shared["shared"], [shared["share"]["text"]])
        self.assertIn(token, shared["share"]["text"])

        # Proven outside the game, with the clear's own numbers.
        code, out, errors = self.verify(token)
        self.assertEqual(code, 0, errors)
        proven = json.loads(out)
        self.assertTrue(proven["cleared"])
        self.assertIn(str(proven["score"]), shared["share"]["text"])

        # Kept: each later start opens the board as it was left, cleared; any
        # edit after the clear asks for a new one.
        session.finish()
        path = os.path.join(game.directory, BOARDS_FILE)
        with open(path, "rb") as file:
            cleared_file = file.read()
        for edit in [FIRST_TUBE + 9, SCORE_UP, SCORE_DOWN, NEW_COLOURS]:
            with self.subTest(edit=edit):
                with open(path, "wb") as file:
                    file.write(cleared_file)
                again = self.new_session(game=game)
                again.send(*MENU, "command %d" % MAKE, PRESS)
                kept = again.dump()
                self.assertEqual(kept["maker"], back["maker"])
                self.assertEqual(kept["share"]["token"], token)
                again.send("command %d" % edit, PRESS)
                edited = again.dump()
                self.assertFalse(edited["maker"]["cleared"])
                self.assertIsNone(edited["share"])
                self.assertNotIn(SHARE, edited["visible"])
                again.finish()

    def test_keys_and_pad_and_escape_to_the_menu_at_once(self):
        _, session = self.maker_session()
        session.send("key Escape", PRESS)
        self.assertEqual(session.dump()["screen"], "menu")
        session.send("command %d" % MAKE, PRESS, "key Tab", "key Return", PRESS)
        ringed = session.dump()
        self.assertEqual(ringed["maker"]["tubes"][0], LEVEL_ONE[0] + 1, "the ring's first stop is tube 1")
        session.send("clipboard " + self.cleared_board(), "command %d" % OPEN_BOARD, PRESS)
        self.assertEqual(session.dump()["screen"], "board")
        session.send("key Escape", PRESS)
        self.assertEqual(session.dump()["screen"], "menu")
        # The pad alike: A presses the ringed button (tube 1 still), B goes back.
        session.send("command %d" % MAKE, PRESS, "pad a", PRESS)
        self.assertEqual(session.dump()["maker"]["tubes"][0], LEVEL_ONE[0] + 2)
        session.send("pad b", PRESS)
        self.assertEqual(session.dump()["screen"], "menu")
        session.send("clipboard " + self.cleared_board(), "command %d" % MAKE, PRESS, "command %d" % OPEN_BOARD, PRESS,
                     "pad b", PRESS)
        self.assertEqual(session.dump()["screen"], "menu")

    def cleared_board(self):
        """A shared board's token: the first level's board cleared by the autoplayer's maker."""
        if not hasattr(BoardsTest, "token"):
            _, session = self.maker_session()
            BoardsTest.token = self.make_and_clear(session)["share"]["token"]
            session.finish()
        return BoardsTest.token

    def test_a_received_board_played_raced_and_watched(self):
        token = self.cleared_board()
        proven = json.loads(self.verify(token)[1])
        game = self.new_game(lang="en")
        game.arguments = ["--board", "https://example.org/quandrel/#board=" + token]
        session = self.new_session(game=game)
        session.send(*MENU)
        opened = session.dump()
        self.assertEqual(opened["screen"], "board")
        board = opened["board"]
        self.assertEqual((board["state"], board["makerScore"], board["makerStars"], board["tried"], board["best"]),
                         ("proven", proven["score"], proven["stars"], False, None))
        self.assertEqual(board["id"], proven["board"])
        self.assertNotIn(WATCH, opened["visible"], "no watching before a try")
        self.assertFalse(os.path.exists(os.path.join(game.directory, BOARDS_FILE)), "opening writes nothing")

        # Lost: Retry plays the same board again, and the game over's back button
        # returns to the board's screen, now tried.
        lose = ["command 101 1", "wait %d" % TIME_BAR_MS, "command 101 1", "wait 50"]
        session.send("command %d" % PLAY, PRESS, *lose)
        self.assertEqual(session.dump()["screen"], "gameover")
        session.send("command %d" % RETRY, PRESS)
        retried = session.dump()
        self.assertEqual((retried["screen"], retried["targets"], retried["shotsLeft"]), ("game", board["tubes"], 100))
        session.send(*lose, "command %d" % GAME_OVER_BACK, PRESS)
        lost = session.dump()
        self.assertEqual(lost["screen"], "board")
        self.assertEqual((lost["board"]["tried"], lost["board"]["best"]), (True, None))
        self.assertIn(WATCH, lost["visible"])

        session.send("command %d" % PLAY, PRESS)
        self.assertEqual(session.dump()["screen"], "game")
        figures, back = win_level(session, claimed_screen="board")
        self.assertTrue(back["board"]["tried"])
        self.assertEqual(back["board"]["best"]["score"], figures["score"])
        self.assertIn(WATCH, back["visible"])

        session.send("command %d" % WATCH, PRESS, "wait 3000")
        watching = session.dump()
        self.assertEqual(watching["screen"], "watch")
        self.assertIn(STOP, watching["visible"])
        session.send("key Escape", PRESS)
        self.assertEqual(session.dump()["screen"], "board", "the playback ends on the board's screen")

        session.send("command %d" % RACE, PRESS)
        racing = session.dump()
        self.assertEqual(racing["screen"], "game")
        self.assertIn(GHOST, racing["visible"])
        self.assertNotIn(PRACTICE_MARK, racing["visible"])
        session.send("wait 20000")
        self.assertNotEqual(session.dump()["ghost"], racing["ghost"], "the maker's ghost plays its run")

    def test_bad_boards_are_refused_with_their_reason_and_nothing_is_written(self):
        # Every reason a token is refused for is in the token reader's table
        # (tests/runs/run_token_test.cpp); here one the reader refuses and one
        # only the replay does, each through --verify and the game.
        token = self.cleared_board()
        forged = board_bytes(token)
        forged[-1] ^= 1
        cases = {
            "forged-checksum": "QBRD." + base64.urlsafe_b64encode(bytes(forged)).decode().rstrip("="),
            "unproven": with_last_action_paused(token),
        }
        for reason, bad in cases.items():
            with self.subTest(reason=reason):
                code, _, errors = self.verify(bad)
                self.assertEqual(code, 1)
                self.assertTrue(errors.startswith("error: "), errors)
                game = self.new_game()
                session = self.new_session(game=game)
                session.send(*MENU, "command %d" % MAKE, PRESS, "clipboard " + bad, "command %d" % OPEN_BOARD, PRESS)
                refused = session.dump()
                self.assertEqual(refused["screen"], "board")
                self.assertEqual(refused["board"], {"state": "refused", "reason": reason})
                self.assertNotIn(PLAY, refused["visible"])
                with open(os.path.join(game.directory, BOARDS_FILE), encoding="utf-8") as file:
                    self.assertNotIn("board.", file.read(), "a refused board keeps no record")
