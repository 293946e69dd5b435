"""cmake --install into a temporary prefix: the layout, the desktop entry, the
icons and the AppStream metadata; and the installed game keeping its settings
file, with the same bytes as a copy run where it was built, in the user's
configuration folder."""

import os
import shutil
import struct
import subprocess
import tempfile
import unittest

from desktop_game import GameTestCase, exit_lines, parse_settings, playing_lines

APP_ID = "org.quandrel.Quandrel"


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    return struct.unpack(">II", header[16:24])


class Installed(GameTestCase):
    @classmethod
    def setUpClass(cls):
        build = os.environ.get("QUANDREL_BUILD_DIR", "")
        if not os.path.isfile(os.path.join(build, "cmake_install.cmake")):
            raise unittest.SkipTest("no build directory to install from (QUANDREL_BUILD_DIR)")
        cls.root = tempfile.mkdtemp(prefix="quandrel-install-")
        cls.prefix = os.path.join(cls.root, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", cls.prefix], check=True, capture_output=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def run_installed(self, lines, env):
        runtime = tempfile.mkdtemp(prefix="quandrel-run-")
        self.addCleanup(shutil.rmtree, runtime, True)
        full_env = {k: v for k, v in os.environ.items() if k not in ("XDG_CONFIG_HOME", "DISPLAY")}
        full_env.update(env, XDG_RUNTIME_DIR=runtime)
        return subprocess.run([self.path("bin", "quandrel"), "--headless"], input="\n".join(lines) + "\n",
                              env=full_env, capture_output=True, text=True, timeout=120)

    def test_the_game_folder_holds_the_executable_its_pictures_sounds_and_marker(self):
        folder = self.path("lib", "quandrel")
        self.assertTrue(os.access(os.path.join(folder, "quandrel"), os.X_OK))
        self.assertTrue(os.path.isfile(os.path.join(folder, "Images", "bg.jpg")))
        self.assertTrue(os.path.isfile(os.path.join(folder, "Sounds", "bgmusic.wav")))
        self.assertTrue(os.path.isfile(os.path.join(folder, "quandrel.installed")))
        # Every picture, each language's folder included.
        source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "Images")
        for directory, _, names in os.walk(source):
            for name in names:
                relative = os.path.relpath(os.path.join(directory, name), source)
                self.assertTrue(os.path.isfile(os.path.join(folder, "Images", relative)), relative)
        link = self.path("bin", "quandrel")
        self.assertTrue(os.path.islink(link))
        self.assertEqual(os.readlink(link), "../lib/quandrel/quandrel", "relative, so the tree can move")

    def test_the_desktop_entry_icons_and_metadata_are_in_place_and_valid(self):
        entry = self.path("share", "applications", APP_ID + ".desktop")
        with open(entry, encoding="utf-8") as file:
            text = file.read()
        self.assertIn("\nCategories=Game;LogicGame;\n", text)
        self.assertIn("\nIcon=%s\n" % APP_ID, text)
        self.assertIn("\nExec=quandrel\n", text)
        for key in ("Name", "GenericName", "Comment"):  # in English and in Chinese
            self.assertRegex(text, "\n%s=[A-Za-z]" % key)
            self.assertRegex(text, "\n%s\\[zh_CN\\]=.*[\u4e00-\u9fff]" % key)
        for size in (64, 128, 256):
            icon = self.path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps", APP_ID + ".png")
            self.assertEqual(png_size(icon), (size, size))
        metainfo = self.path("share", "metainfo", APP_ID + ".metainfo.xml")
        with open(metainfo, encoding="utf-8") as file:
            metadata = file.read()
        self.assertIn("<launchable type=\"desktop-id\">%s.desktop</launchable>" % APP_ID, metadata)
        for element in ("name", "summary", "p"):
            self.assertRegex(metadata, "<%s xml:lang=\"zh-CN\">\\s*[^<]*[\u4e00-\u9fff]" % element)
        for tool, arguments in (("desktop-file-validate", [entry]),
                                ("appstreamcli", ["validate", "--no-net", metainfo])):
            if shutil.which(tool):
                done = subprocess.run([tool] + arguments, capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def test_the_installed_game_keeps_its_settings_in_the_configuration_folder(self):
        config = os.path.join(self.root, "config")
        done = self.run_installed(playing_lines() + exit_lines(), {"XDG_CONFIG_HOME": config})
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(os.path.join(config, "quandrel", "quandrel.ini"), "rb") as file:
            installed = file.read()
        self.assertFalse(os.path.exists(self.path("lib", "quandrel", "quandrel.ini")))

        beside = self.game()
        _, done = beside.run(playing_lines() + exit_lines())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(installed, beside.settings_data(), "the same bytes either way")
        self.assertEqual(parse_settings(installed)["CurrentLevel"], "1")

    def test_without_a_configuration_home_the_settings_go_to_dot_config(self):
        home = os.path.join(self.root, "home")
        os.mkdir(home)
        done = self.run_installed(playing_lines() + exit_lines(), {"HOME": home})
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue(os.path.isfile(os.path.join(home, ".config", "quandrel", "quandrel.ini")))


if __name__ == "__main__":
    unittest.main()
