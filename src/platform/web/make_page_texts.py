"""Writes the page's translation table: for every po/LL.po, the translations of
the Chinese texts that page_texts.js names, as a script defining
QUANDREL_TRANSLATIONS = {LL: {msgid: msgstr}}.
Usage: make_page_texts.py PAGE_TEXTS_JS OUTPUT_JS"""
import json
import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from artkit import words  # noqa: E402

CJK_LITERAL = re.compile(r"'([^'\\]*[\u4e00-\u9fff][^'\\]*)'")


def main(source, output):
    with open(source, encoding="utf-8") as f:
        wanted = set(CJK_LITERAL.findall(f.read()))
    table = {}
    for language, path in words.translations().items():
        found = {e.msgid: e.msgstr for e in words.messages(words.read(path)) if e.msgid in wanted and e.msgstr}
        table[language] = dict(sorted(found.items()))
    with open(output, "w", encoding="utf-8") as f:
        f.write("// Made by make_page_texts.py from po/: the page's texts in each language.\n")
        f.write("var QUANDREL_TRANSLATIONS = " + json.dumps(table, ensure_ascii=False, sort_keys=True) + ";\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
