"""The real game under bad conditions: its pictures, sounds, audio device,
display or settings file missing or spoiled. Each game runs or stops with a
clear message; none crashes; no saved level is lost."""

import os
import unittest

from desktop_game import GameTestCase, exit_lines, parse_settings, playing_lines, settings_bytes

CONTINUE_GAME = 221
MIB = 1024 * 1024


def continue_lines():
    """Splash, then continue at the saved level."""
    return ["wait 3000", "command %d" % CONTINUE_GAME, "dump"]


class MissingPictures(GameTestCase):
    def test_without_the_images_folder_the_game_plays_and_says_what_is_missing(self):
        game = self.game(images="missing")
        dumps, done = game.run(playing_lines() + exit_lines())
        self.assertPlayed(dumps, done)
        self.assertIn("cannot load the picture " + game.folder("Images") + "/", done.stderr)
        self.assertEqual(done.stderr.count("cannot load the picture"), 1, "reported once, not per picture")
        self.assertEqual(parse_settings(game.settings_data())["CurrentLevel"], "1")

    def test_with_half_the_pictures_gone_the_game_plays(self):
        game = self.game(images="copy")
        # The pictures themselves, not the languages' folders beside them.
        names = sorted(name for name in os.listdir(game.folder("Images"))
                       if os.path.isfile(os.path.join(game.folder("Images"), name)))
        for name in names[::2]:
            os.remove(os.path.join(game.folder("Images"), name))
        # One picture spoiled rather than missing.
        with open(os.path.join(game.folder("Images"), names[1]), "wb") as file:
            file.write(b"\x89PNG\r\n\x1a\n not a picture")
        dumps, done = game.run(playing_lines() + ["screenshot frame.png"] + exit_lines())
        self.assertPlayed(dumps, done)
        self.assertIn("cannot load the picture", done.stderr)
        self.assertTrue(os.path.getsize(os.path.join(game.directory, "frame.png")) > 0)


WINDOW = {"SDL_VIDEODRIVER": "dummy"}


def disk_audio(game):
    """Where SDL's disk audio driver writes what the game played, and the environment for it."""
    path = os.path.join(game.directory, "heard.raw")
    return path, dict(WINDOW, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=path)


class MissingSounds(GameTestCase):

    def test_without_the_sounds_folder_the_game_runs_silent_and_says_so(self):
        game = self.game(sounds="missing")
        game.write_settings(settings_bytes(3))
        heard, env = disk_audio(game)
        status, errors = game.run_window(4, env)
        self.assertEqual(status, 0, errors)
        self.assertIn("cannot play the sound " + game.folder("Sounds") + "/", errors)
        self.assertEqual(parse_settings(game.settings_data())["CurrentLevel"], "3")

    def test_with_part_of_the_sounds_gone_those_left_still_play(self):
        game = self.game(sounds="copy")
        for name in os.listdir(game.folder("Sounds")):
            if name != "bgmusic.wav":
                os.remove(os.path.join(game.folder("Sounds"), name))
        heard, env = disk_audio(game)
        status, errors = game.run_window(4, env)
        self.assertEqual(status, 0, errors)
        with open(heard, "rb") as file:
            samples = file.read()
        self.assertTrue(any(samples), "the tune played at start-up reached the device")

    def test_without_an_audio_device_the_game_runs_silent_and_says_so(self):
        game = self.game()
        game.write_settings(settings_bytes(4))
        status, errors = game.run_window(4, dict(WINDOW, SDL_AUDIODRIVER="nonesuch"))
        self.assertEqual(status, 0, errors)
        self.assertIn("playing without sound", errors)
        self.assertEqual(parse_settings(game.settings_data())["CurrentLevel"], "4")


class StoredSoundSwitch(GameTestCase):
    """A player who switched sound off hears nothing at the next start."""

    def test_a_start_with_sound_stored_off_is_silent_on_the_device(self):
        game = self.game()
        stored = settings_bytes(2, is_sound=0)
        game.write_settings(stored)
        heard, env = disk_audio(game)
        status, errors = game.run_window(4, env)
        self.assertEqual(status, 0, errors)
        samples = b""
        if os.path.exists(heard):  # a device opened only for a sound may never open
            with open(heard, "rb") as file:
                samples = file.read()
        self.assertFalse(any(samples), "something reached the device")
        self.assertEqual(game.settings_data(), stored)


class NoDisplay(GameTestCase):
    def test_without_a_display_the_game_stops_with_a_clear_message_and_keeps_the_level(self):
        game = self.game()
        game.write_settings(settings_bytes(7))
        status, errors = game.run_window(2, {})
        self.assertEqual(status, 1)
        self.assertIn("quandrel: cannot open a window (no display); run 'quandrel --headless'", errors)
        self.assertEqual(parse_settings(game.settings_data())["CurrentLevel"], "7")


class SpoiledSettingsFile(GameTestCase):
    def test_a_read_only_file_keeps_its_level_and_takes_the_new_one(self):
        game = self.game(unprivileged=True)
        game.write_settings(settings_bytes(5, 0, 1), mode=0o444)
        game.give_directory_to_player()
        dumps, done = game.run(continue_lines() + exit_lines())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(dumps[-1]["currentLevel"], 5)
        self.assertEqual(dumps[-1]["soundEnabled"], False)
        self.assertEqual(parse_settings(game.settings_data()),
                         {"CurrentLevel": "5", "isSound": "0", "isMove": "1"})

    def test_a_truncated_file_keeps_what_survived(self):
        whole = settings_bytes(6)
        cut_in_a_key = whole[:whole.index("isSound".encode("utf-16-le")) + 4]
        for name, data in (("cut in a key", cut_in_a_key), ("cut in a character", whole[:-1])):
            with self.subTest(name):
                game = self.game()
                game.write_settings(data)
                dumps, done = game.run(continue_lines() + exit_lines())
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(dumps[-1]["currentLevel"], 6)
                saved = parse_settings(game.settings_data())
                self.assertEqual(saved["CurrentLevel"], "6")
                self.assertIn(saved["isSound"], ("0", "1"))

    def test_an_eight_bit_file_is_replaced_by_a_good_one(self):
        game = self.game()
        game.write_settings(("[%s]\r\n  CurrentLevel=8\r\n" % "Quandrel").encode("ascii"))
        dumps, done = game.run(continue_lines() + exit_lines())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(dumps[-1]["screen"], "game")
        self.assertEqual(dumps[-1]["currentLevel"], 1)
        self.assertEqual(parse_settings(game.settings_data())["CurrentLevel"], "1")

    def test_a_huge_file_is_left_as_it_is_and_the_player_is_told(self):
        game = self.game()
        padding = "".join("; %06d padding\r\n" % n for n in range(MIB // 30 + 1000))
        data = settings_bytes(7) + ("\r\n" + padding).encode("utf-16-le")
        self.assertGreater(len(data), MIB)
        game.write_settings(data)
        dumps, done = game.run(continue_lines() + exit_lines())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(dumps[-1]["screen"], "game")
        self.assertIn("cannot save the settings file: " + game.settings_path, done.stderr)
        self.assertEqual(game.settings_data(), data, "not cut, not replaced")

    def test_in_a_folder_that_cannot_be_written_the_saved_level_is_kept(self):
        if os.geteuid() != 0 and os.access("/", os.W_OK):
            self.skipTest("cannot make a folder this user cannot write")
        game = self.game(unprivileged=True)
        game.write_settings(settings_bytes(4), mode=0o644, owner=0)
        os.chmod(game.directory, 0o555)
        self.addCleanup(os.chmod, game.directory, 0o755)
        dumps, done = game.run(continue_lines() + ["command %d" % 222, "command %d" % 230] + exit_lines())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(dumps[-1]["currentLevel"], 4)
        self.assertIn("cannot save the settings file: " + game.settings_path, done.stderr)
        self.assertEqual(game.settings_data(), settings_bytes(4))

    def test_in_a_folder_that_cannot_be_written_a_first_start_plays_on_the_defaults(self):
        game = self.game(unprivileged=True)
        os.chmod(game.directory, 0o555)
        self.addCleanup(os.chmod, game.directory, 0o755)
        dumps, done = game.run(playing_lines() + exit_lines())
        self.assertPlayed(dumps, done)
        self.assertIn("cannot use the settings file, so progress will not be kept: " + game.settings_path,
                      done.stderr)
        self.assertIsNone(game.settings_data())


if __name__ == "__main__":
    unittest.main()
