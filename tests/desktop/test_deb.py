"""The Debian packages, made with cpack from the test build: their control
fields and file names, the files Debian's policy asks for, lintian finding no
error, the game unpacked from its package (dpkg-deb -x) playing headless and
keeping its settings in the user's configuration folder, and, when the server
is built, quandrel-server's package: lintian-clean, its systemd unit verified
and the unpacked server serving."""

import glob
import gzip
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import urllib.request

from desktop_game import exit_lines, parse_settings, playing_lines

APP_ID = "org.quandrel.Quandrel"


def project_version():
    source = os.path.join(os.path.dirname(__file__), "..", "..", "CMakeLists.txt")
    with open(source, encoding="utf-8") as file:
        return re.search(r"project\(Quandrel VERSION ([0-9.]+)", file.read()).group(1)


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        build = os.environ.get("QUANDREL_BUILD_DIR", "")
        if not os.path.isfile(os.path.join(build, "CPackConfig.cmake")):
            raise unittest.SkipTest("no build directory to package (QUANDREL_BUILD_DIR)")
        for tool in ("cpack", "dpkg-deb", "dpkg-shlibdeps"):
            if not shutil.which(tool):
                raise unittest.SkipTest("%s is not installed (dpkg-dev)" % tool)
        cls.root = tempfile.mkdtemp(prefix="quandrel-deb-")
        out = os.path.join(cls.root, "out")
        done = subprocess.run(["cpack", "-G", "DEB", "-B", out], cwd=build, capture_output=True, text=True)
        if done.returncode != 0:
            shutil.rmtree(cls.root, ignore_errors=True)
            raise AssertionError("cpack failed:\n" + done.stdout + done.stderr)
        cls.debs = glob.glob(os.path.join(out, "*.deb"))
        cls.deb = next(iter(glob.glob(os.path.join(out, "quandrel_*.deb"))), None)
        cls.server_deb = next(iter(glob.glob(os.path.join(out, "quandrel-server_*.deb"))), None)
        cls.tree = os.path.join(cls.root, "tree")
        cls.server_tree = os.path.join(cls.root, "server-tree")
        for deb, tree in ((cls.deb, cls.tree), (cls.server_deb, cls.server_tree)):
            if deb:
                subprocess.run(["dpkg-deb", "-x", deb, tree], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.tree, "usr", *parts)

    def field(self, name, deb=None):
        return subprocess.run(["dpkg-deb", "-f", deb or self.deb, name], check=True, capture_output=True,
                              text=True).stdout.strip()

    def server_path(self, *parts):
        if not self.server_deb:
            self.skipTest("quandrel-server is not built")
        return os.path.join(self.server_tree, *parts)

    def test_a_package_each_for_the_game_and_the_server_named_after_version_and_architecture(self):
        arch = subprocess.run(["dpkg", "--print-architecture"], check=True, capture_output=True,
                              text=True).stdout.strip()
        version = project_version()
        expected = {"quandrel_%s_%s.deb" % (version, arch)}
        if self.server_deb:
            expected.add("quandrel-server_%s_%s.deb" % (version, arch))
        self.assertEqual({os.path.basename(deb) for deb in self.debs}, expected)
        self.assertEqual(self.field("Package"), "quandrel")
        self.assertEqual(self.field("Version"), version)
        self.assertEqual(self.field("Architecture"), arch)
        self.assertEqual(self.field("Section"), "games")

    def test_dependencies_are_read_from_the_executable_and_name_sdl(self):
        depends = [part.strip().split(" ")[0] for part in self.field("Depends").split(",")]
        for package in ("libc6", "libstdc++6", "libsdl2-2.0-0"):
            self.assertIn(package, depends)

    def test_the_game_its_commands_and_its_data_are_laid_out_as_installed(self):
        game = self.path("lib", "quandrel", "quandrel")
        self.assertTrue(os.access(game, os.X_OK))
        for folder in ("bin", "games"):
            link = self.path(folder, "quandrel")
            self.assertTrue(os.path.islink(link), link)
            self.assertEqual(os.path.realpath(link), os.path.realpath(game))
        self.assertTrue(os.path.isfile(self.path("lib", "quandrel", "Sounds", "bgmusic.wav")))
        self.assertTrue(os.path.isfile(self.path("lib", "quandrel", "quandrel.installed")))
        for size in (64, 128, 256):
            self.assertTrue(os.path.isfile(self.path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                                     APP_ID + ".png")))
        if shutil.which("file"):
            described = subprocess.run(["file", "-L", game], capture_output=True, text=True).stdout
            self.assertIn("stripped", described)
            self.assertNotIn("not stripped", described)

    def test_copyright_says_mit_in_the_licence_file_words_and_names_the_third_party_parts(self):
        with open(self.path("share", "doc", "quandrel", "copyright"), encoding="utf-8") as file:
            text = file.read()
        self.assertTrue(text.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"))
        stanzas = {stanza.split("\n")[0]: stanza for stanza in text.split("\n\n")}
        self.assertRegex(stanzas["Files: *"], r"\nCopyright: 2026 Quandrel developers\nLicense: MIT\n")
        # The stanza's text is the root LICENSE's permission and disclaimer, word for word.
        licence = os.path.join(os.path.dirname(__file__), "..", "..", "LICENSE")
        with open(licence, encoding="utf-8") as file:
            root = file.read()
        self.assertIn("Copyright (c) 2026 Quandrel developers", root)
        words = lambda body: " ".join(body.replace("\n .\n", "\n").split())
        self.assertEqual(words(stanzas["License: MIT"].split("\n", 1)[1]), words(root.split("\n\n", 2)[2]))
        for name in ("WenQuanYi Micro Hei", "DejaVu Sans", "stb_truetype"):
            self.assertIn(name, text)
        for short in ("Apache-2.0", "bitstream-vera", "public-domain"):
            self.assertIn("License: " + short, stanzas, "the text of every licence named")
        self.assertIn("/usr/share/common-licenses/Apache-2.0", text)
        self.assertTrue(os.path.isfile(self.path("share", "doc", "quandrel", "font-LICENSE")))

    def test_changelog_and_manual_page_are_compressed_without_a_time_stamp(self):
        for name in (("share", "doc", "quandrel", "changelog.gz"), ("share", "man", "man6", "quandrel.6.gz")):
            with open(self.path(*name), "rb") as file:
                header = file.read(10)
            self.assertEqual(header[:2], b"\x1f\x8b", name)
            self.assertEqual(header[4:8], b"\0\0\0\0", "no time stamp in %s" % (name,))
            self.assertEqual(header[8], 2, "compressed the most (-9) in %s" % (name,))
        with gzip.open(self.path("share", "doc", "quandrel", "changelog.gz"), "rt", encoding="utf-8") as file:
            first = file.readline()
        self.assertTrue(first.startswith("quandrel (%s) " % project_version()), first)

    def test_lintian_reports_no_error(self):
        if not shutil.which("lintian"):
            self.skipTest("lintian is not installed")
        done = subprocess.run(["lintian", "--no-cfg", self.deb], capture_output=True, text=True)
        errors = [line for line in done.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [], done.stdout + done.stderr)

    def test_packaged_desktop_entry_and_metadata_validate(self):
        entry = self.path("share", "applications", APP_ID + ".desktop")
        metainfo = self.path("share", "metainfo", APP_ID + ".metainfo.xml")
        for tool, arguments in (("desktop-file-validate", [entry]),
                                ("appstreamcli", ["validate", "--no-net", metainfo])):
            if not shutil.which(tool):
                self.skipTest("%s is not installed" % tool)
            done = subprocess.run([tool] + arguments, capture_output=True, text=True)
            self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        with open(metainfo, encoding="utf-8") as file:
            metadata = file.read()
        self.assertIn("<project_license>MIT</project_license>", metadata)
        self.assertRegex(metadata, r'<releases>\s*<release version="%s" date="\d{4}-\d\d-\d\d"' % re.escape(project_version()),
                         "the newest release listed first is this version")

    def test_the_unpacked_game_reaches_the_menu_and_keeps_its_settings_in_the_configuration_folder(self):
        work = tempfile.mkdtemp(prefix="quandrel-deb-run-", dir=self.root)
        config = os.path.join(work, "config")
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime)
        lines = ["wait 3500", "dump"] + playing_lines() + exit_lines()
        done = subprocess.run([self.path("bin", "quandrel"), "--headless"], input="\n".join(lines) + "\n",
                              env=env, capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr)
        dumps = [json.loads(line) for line in done.stdout.splitlines() if line.startswith("{")]
        self.assertEqual(dumps[0]["screen"], "menu")
        self.assertEqual(dumps[-1]["screen"], "game")
        with open(os.path.join(config, "quandrel", "quandrel.ini"), "rb") as file:
            self.assertEqual(parse_settings(file.read())["CurrentLevel"], "1")
        self.assertEqual(sorted(os.listdir(self.path("lib", "quandrel"))),
                         ["Images", "Sounds", "quandrel", "quandrel.installed"],
                         "nothing written beside the unpacked game")


    def test_the_server_package_its_fields_and_its_files(self):
        binary = self.server_path("usr", "bin", "quandrel-server")
        self.assertEqual(self.field("Package", self.server_deb), "quandrel-server")
        self.assertEqual(self.field("Version", self.server_deb), project_version())
        self.assertEqual(self.field("Section", self.server_deb), "net")
        depends = [part.strip().split(" ")[0] for part in self.field("Depends", self.server_deb).split(",")]
        for package in ("libc6", "libcpp-httplib0.11", "libsqlite3-0", "libpq5", "init-system-helpers"):
            self.assertIn(package, depends)
        self.assertNotIn("libsdl2-2.0-0", depends, "no window in the server")
        self.assertTrue(os.access(binary, os.X_OK))
        docs = self.server_path("usr", "share", "doc", "quandrel-server")
        self.assertEqual(sorted(os.listdir(docs)), ["changelog.gz", "copyright", "server.md"])
        for name in (os.path.join(docs, "changelog.gz"),
                     self.server_path("usr", "share", "man", "man1", "quandrel-server.1.gz")):
            with open(name, "rb") as file:
                header = file.read(10)
            self.assertEqual((header[:2], header[4:8], header[8]), (b"\x1f\x8b", b"\0\0\0\0", 2), name)
        with gzip.open(os.path.join(docs, "changelog.gz"), "rt", encoding="utf-8") as file:
            self.assertTrue(file.readline().startswith("quandrel-server (%s) " % project_version()))
        with open(os.path.join(docs, "copyright"), encoding="utf-8") as file:
            copyright_text = file.read()
        self.assertIn("Niels Lohmann", copyright_text, "the JSON library compiled in")
        self.assertIn("\nLicense: MIT\n Permission is hereby granted", copyright_text)
        scripts = subprocess.run(["dpkg-deb", "-I", self.server_deb], check=True, capture_output=True,
                                 text=True).stdout
        for script in ("postinst", "prerm", "postrm"):
            self.assertRegex(scripts, r"\b%s\b.*#!/bin/sh" % script)

    def test_the_server_package_is_lintian_clean(self):
        self.server_path()
        if not shutil.which("lintian"):
            self.skipTest("lintian is not installed")
        done = subprocess.run(["lintian", "--no-cfg", self.server_deb], capture_output=True, text=True)
        findings = [line for line in done.stdout.splitlines() if line[:2] in ("E:", "W:")]
        self.assertEqual(findings, [], done.stdout + done.stderr)

    def test_the_server_unit_verifies_and_the_unpacked_server_serves(self):
        unit = self.server_path("lib", "systemd", "system", "quandrel-server.service")
        binary = self.server_path("usr", "bin", "quandrel-server")
        with open(unit, encoding="utf-8") as file:
            text = file.read()
        for line in ("DynamicUser=yes", "StateDirectory=quandrel-server", "ExecStart=/usr/bin/quandrel-server "):
            self.assertIn(line, text)
        work = tempfile.mkdtemp(prefix="quandrel-deb-server-", dir=self.root)
        if shutil.which("systemd-analyze"):
            # The unit as installed, but pointing at the unpacked server.
            copy = os.path.join(work, "quandrel-server.service")
            with open(copy, "w", encoding="utf-8") as file:
                file.write(text.replace("ExecStart=/usr/bin/quandrel-server", "ExecStart=" + binary))
            done = subprocess.run(["systemd-analyze", "verify", "--man=no", copy], capture_output=True, text=True)
            self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        log_path = os.path.join(work, "server.log")
        env = dict(os.environ, XDG_STATE_HOME=os.path.join(work, "state"))
        with open(log_path, "w") as log:
            server = subprocess.Popen([binary, "--listen", "127.0.0.1:0"], env=env, stdout=log, stderr=log)
        try:
            for _ in range(400):
                with open(log_path) as log:
                    said = log.read()
                found = re.search(r"listening on http://127\.0\.0\.1:(\d+)", said)
                if found or server.poll() is not None:
                    break
                time.sleep(0.05)
            self.assertIsNotNone(found, said)
            port = int(found.group(1))
            with urllib.request.urlopen("http://127.0.0.1:%d/healthz" % port, timeout=30) as reply:
                self.assertEqual(json.loads(reply.read()), {"status": "ok"})
            self.assertTrue(os.path.isfile(os.path.join(work, "state", "quandrel-server", "runs.sqlite")))
        finally:
            server.send_signal(signal.SIGTERM)
            self.assertEqual(server.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
