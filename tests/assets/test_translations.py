"""The language catalogue: gettext's own checks pass on every file, every text
of the template has an English translation, and every Chinese text the
program draws from its code is in the template."""

import os
import re
import subprocess
import unittest

SOURCE = os.environ.get("QUANDREL_SOURCE_DIR",
                        os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PO = os.path.join(SOURCE, "po")
TEMPLATE = os.path.join(PO, "quandrel.pot")
CJK = re.compile("[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]")
# A C++ string literal, with an optional encoding prefix.
LITERAL = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"')


def unquote(text):
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t", "r": "\r"}.get(m.group(1), m.group(1)), text)


def entries(path):
    """(msgctxt, msgid, msgstr, flags) of every entry of a .po or .pot file."""
    found, current, field, flags = [], None, None, set()

    def finish():
        if current is not None:
            found.append((current.get("msgctxt"), current["msgid"], current.get("msgstr", ""), frozenset(flags)))

    with open(path, encoding="utf-8") as file:
        for line in file:
            line = line.strip()
            if line.startswith("#,"):
                finish()
                current, field = None, None
                flags = {flag.strip() for flag in line[2:].split(",")}
            elif line.startswith("#") or not line:
                continue
            elif line.startswith('"'):
                current[field] += unquote(line[1:-1])
            else:
                keyword, value = line.split(" ", 1)
                if keyword in ("msgctxt", "msgid") and (current is None or "msgstr" in current):
                    finish()
                    if current is not None and "msgstr" in current:
                        flags = set()
                    current = {}
                current[keyword] = unquote(value.strip()[1:-1])
                field = keyword
    finish()
    return [entry for entry in found if entry[1]]  # not the header


def drawn_literals():
    """Every Chinese string literal in the program's sources, with where it is."""
    literals = {}
    for folder, _, names in os.walk(os.path.join(SOURCE, "src")):
        for name in names:
            if not name.endswith((".cpp", ".hpp")):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8") as file:
                for number, line in enumerate(file, 1):
                    if line.lstrip().startswith("//"):
                        continue
                    for match in LITERAL.finditer(line):
                        text = unquote(match.group(1))
                        if CJK.search(text):
                            literals.setdefault(text, "%s:%d" % (os.path.relpath(path, SOURCE), number))
    return literals


class CatalogueTest(unittest.TestCase):
    def catalogues(self):
        names = sorted(name for name in os.listdir(PO) if name.endswith(".po"))
        self.assertIn("en.po", names)
        return [os.path.join(PO, name) for name in names]

    def test_gettext_checks_every_file(self):
        for path in [TEMPLATE] + self.catalogues():
            with self.subTest(file=os.path.basename(path)):
                done = subprocess.run(["msgfmt", "--check", "--output-file=/dev/null", path],
                                      capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stderr)
                if path != TEMPLATE:
                    # Every msgid of the template is in the catalogue.
                    done = subprocess.run(["msgcmp", path, TEMPLATE], capture_output=True, text=True)
                    self.assertEqual(done.returncode, 0, done.stderr)

    def test_every_text_has_its_english_translation(self):
        english = {(context, msgid): (msgstr, flags) for context, msgid, msgstr, flags
                   in entries(os.path.join(PO, "en.po"))}
        template = entries(TEMPLATE)
        self.assertGreater(len(template), 20)
        for context, msgid, _, _ in template:
            with self.subTest(msgid=msgid, context=context):
                self.assertIn((context, msgid), english)
                msgstr, flags = english[(context, msgid)]
                self.assertTrue(msgstr.strip(), "untranslated")
                self.assertNotIn("fuzzy", flags)
                self.assertIsNone(CJK.search(msgstr), "Chinese left in the English text")

    def test_every_chinese_text_of_the_code_is_in_the_template(self):
        msgids = {msgid for context, msgid, _, _ in entries(TEMPLATE) if context is None}
        literals = drawn_literals()
        self.assertGreaterEqual(len(literals), 5, literals)
        for text, where in sorted(literals.items()):
            with self.subTest(text=text, where=where):
                self.assertIn(text, msgids)

    def test_the_reader_of_this_test_sees_fuzzy_and_untranslated_entries(self):
        # This test's own reader must see what the checks above rely on.
        import tempfile
        with tempfile.NamedTemporaryFile("w", suffix=".po", encoding="utf-8", delete=False) as file:
            file.write('msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n'
                       '#, fuzzy\nmsgid "返回"\nmsgstr "Back"\n\nmsgid "声音"\nmsgstr ""\n\n'
                       'msgctxt "setting"\nmsgid "移动"\nmsgstr ""\n"Gl"\n"ide"\n')
        self.addCleanup(os.remove, file.name)
        self.assertEqual(entries(file.name), [
            (None, "返回", "Back", frozenset({"fuzzy"})),
            (None, "声音", "", frozenset()),
            ("setting", "移动", "Glide", frozenset()),
        ])


if __name__ == "__main__":
    unittest.main()
