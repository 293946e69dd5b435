"""The game's texts in every language, read from the gettext catalogue in po/.

The msgids of po/quandrel.pot are the Chinese texts; every po/LL.po translates
them into language LL. The generator draws a picture once in Chinese and once
per translation, asking `tr` for each text; `tr` refuses a text that is not in
the template, so a picture can never carry words a translator has not seen.

Run as a script, it prints every character the catalogue needs (for the font).
"""
import ast
import glob
import os
import re

PO_DIR = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "po")
TEMPLATE = "quandrel.pot"
SOURCE_LANGUAGE = "zh"


class Entry:
    """One message: context, Chinese text, translation and its comments. A
    counted word has msgid_plural and its forms in msgstr_plural instead of a
    msgstr."""

    def __init__(self):
        self.msgctxt = None
        self.msgid = None
        self.msgid_plural = None
        self.msgstr = None
        self.msgstr_plural = []
        self.references = []
        self.comments = []
        self.flags = []

    @property
    def key(self):
        return (self.msgctxt, self.msgid)

    @property
    def plural(self):
        return self.msgid_plural is not None

    @property
    def translations(self):
        """The translated texts: the msgstr, or every form of a counted word."""
        return self.msgstr_plural if self.plural else [self.msgstr]

    def has_translation_field(self):
        return self.msgstr is not None or bool(self.msgstr_plural)


class PoError(ValueError):
    pass


def _string(token, where):
    if not (len(token) >= 2 and token[0] == '"' and token[-1] == '"'):
        raise PoError(f"{where}: expected a quoted string, got {token!r}")
    try:
        return ast.literal_eval(token)
    except (SyntaxError, ValueError) as e:
        raise PoError(f"{where}: bad string {token!r}") from e


FORM_KEYWORD = re.compile(r"msgstr\[(\d)\]")


def parse(text, name="<po>"):
    """Entries of a .po file in file order (the header is the entry with msgid "").
    Understands comments, msgctxt, counted words (msgid_plural with msgstr[0],
    msgstr[1]... in order) and strings continued over several lines."""
    entries, cur, field = [], Entry(), None

    def flush():
        nonlocal cur
        if cur.msgid is not None:
            if not cur.has_translation_field():
                raise PoError(f"{name}: {cur.msgid!r} has no msgstr")
            entries.append(cur)
        elif cur.msgctxt is not None:
            raise PoError(f"{name}: msgctxt {cur.msgctxt!r} without msgid")
        cur = Entry()

    for number, raw in enumerate(text.splitlines(), 1):
        where = f"{name}:{number}"
        line = raw.strip()
        if not line:
            continue
        if line.startswith("#"):
            if cur.msgid is not None and cur.has_translation_field():
                flush()
            if line.startswith("#:"):
                cur.references += line[2:].split()
            elif line.startswith("#,"):
                cur.flags += [f.strip() for f in line[2:].split(",") if f.strip()]
            elif line.startswith("#."):
                cur.comments.append(line[2:].strip())
            elif line.startswith("#~"):
                continue
            continue
        if line.startswith('"'):
            if field is None:
                raise PoError(f"{where}: string outside any message")
            if field == "msgstr_plural":
                cur.msgstr_plural[-1] += _string(line, where)
            else:
                setattr(cur, field, getattr(cur, field) + _string(line, where))
            continue
        keyword, _, rest = line.partition(" ")
        form = FORM_KEYWORD.fullmatch(keyword)
        if keyword not in ("msgctxt", "msgid", "msgid_plural", "msgstr") and not form:
            raise PoError(f"{where}: unknown keyword {keyword!r}")
        if keyword in ("msgctxt", "msgid") and cur.has_translation_field():
            flush()
        value = _string(rest.strip(), where)
        if form:
            if not cur.plural:
                raise PoError(f"{where}: {keyword} without a msgid_plural")
            if int(form.group(1)) != len(cur.msgstr_plural):
                raise PoError(f"{where}: {keyword} out of order")
            cur.msgstr_plural.append(value)
            field = "msgstr_plural"
            continue
        if keyword == "msgid_plural" and (cur.msgid is None or cur.has_translation_field()):
            raise PoError(f"{where}: msgid_plural without its msgid")
        if keyword == "msgstr" and cur.plural:
            raise PoError(f"{where}: a counted word's msgstr without its [N]")
        if getattr(cur, keyword) is not None:
            raise PoError(f"{where}: second {keyword}")
        field = keyword
        setattr(cur, keyword, value)
    flush()
    seen = set()
    for e in entries:
        if e.key in seen:
            raise PoError(f"{name}: {e.msgid!r} appears twice")
        seen.add(e.key)
    return entries


def read(path):
    with open(path, encoding="utf-8") as f:
        return parse(f.read(), os.path.basename(path))


def messages(entries):
    """The entries without the header."""
    return [e for e in entries if e.msgid != ""]


def translations():
    """Language code -> path of its .po file, for every po/LL.po."""
    return {os.path.splitext(os.path.basename(p))[0]: p for p in sorted(glob.glob(os.path.join(PO_DIR, "*.po")))}


def languages():
    """Chinese first, then every translated language."""
    return [SOURCE_LANGUAGE] + sorted(translations())


# Marks where a long word may break; never drawn as itself.
SOFT_HYPHEN = "\u00ad"


def _drawn(chars):
    """The characters as the font must hold them: no ASCII space and no soft
    hyphen; no-break spaces are kept (the program draws them from the font too)."""
    return "".join(sorted(ch for ch in chars if not (ch.isspace() and ch.isascii()) and ch != SOFT_HYPHEN))


def catalogue_characters():
    """Every character of every msgid and msgstr of the template and translations."""
    chars = set()
    for path in [os.path.join(PO_DIR, TEMPLATE)] + list(translations().values()):
        for e in messages(read(path)):
            chars.update(e.msgid)
            for translation in e.translations:
                chars.update(translation)
    return _drawn(chars)


def language_characters(code):
    """Every character the game can draw in language `code`: printable ASCII,
    its translations, and the original of each text it leaves untranslated or
    only guessed (fuzzy). The browser build gives each language a font of these."""
    chars = {chr(c) for c in range(0x21, 0x7F)}
    path = translations().get(code)
    for e in messages(read(path if path else os.path.join(PO_DIR, TEMPLATE))):
        if path and "fuzzy" not in e.flags and all(e.translations):
            for translation in e.translations:
                chars.update(translation)
        else:
            chars.update(e.msgid)
    return _drawn(chars)


class Language:
    """The active language of the generator and the texts it has asked for."""

    def __init__(self):
        self.code = SOURCE_LANGUAGE
        self._template = None
        self._table = {}
        self.used = set()
        self.untranslated = set()

    def template_keys(self):
        if self._template is None:
            self._template = {e.key for e in messages(read(os.path.join(PO_DIR, TEMPLATE)))}
        return self._template

    def use(self, code):
        if code == SOURCE_LANGUAGE:
            self._table = {}
        else:
            path = translations().get(code)
            if path is None:
                raise KeyError(f"no catalogue po/{code}.po")
            self._table = {e.key: e.msgstr for e in messages(read(path)) if "fuzzy" not in e.flags and not e.plural}
        self.code = code

    def tr(self, msgid, ctxt=None):
        key = (ctxt, msgid)
        if key not in self.template_keys():
            raise KeyError(f"{msgid!r} (context {ctxt!r}) is drawn but missing from po/{TEMPLATE}")
        self.used.add(key)
        if self.code == SOURCE_LANGUAGE:
            return msgid
        text = self._table.get(key)
        if not text:
            # An untranslated text keeps its Chinese words; the generator reports it.
            self.untranslated.add(key)
            return msgid
        return text


LANGUAGE = Language()


def tr(msgid, ctxt=None):
    """The text in the active language."""
    return LANGUAGE.tr(msgid, ctxt)


def active():
    return LANGUAGE.code


if __name__ == "__main__":
    # With a language code: that language's characters alone, printed or
    # written to the file named after it.
    import sys
    listed = language_characters(sys.argv[1]) if len(sys.argv) > 1 else catalogue_characters()
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w", encoding="utf-8") as out:
            out.write(listed + "\n")
    else:
        print(listed)
