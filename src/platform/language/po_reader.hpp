// A strict reader of gettext .po catalogues: the translations the program
// shows, read from a catalogue's bytes.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct U16Hash {
  using is_transparent = void;
  size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
};

// Original text -> translation. Looked up by view, so a lookup allocates nothing.
using TranslationTable = std::unordered_map<std::u16string, std::u16string, U16Hash, std::equal_to<>>;

// Original text -> the forms of a counted word, in the order the language's
// plural rule numbers them.
using PluralTable = std::unordered_map<std::u16string, std::vector<std::u16string>, U16Hash, std::equal_to<>>;

struct PoCatalogue {
  TranslationTable translations;
  PluralTable plurals;
  std::string pluralForms;  // the header's Plural-Forms value; empty without one
  std::string error;        // empty when the whole catalogue was read; else "line N: what"
  bool ok() const { return error.empty(); }
};

// Reads msgid/msgstr pairs and plural entries (msgid, msgid_plural, then
// msgstr[0], msgstr[1]... in order, at most PluralRule::MaxForms): strings may
// continue on following lines, the escapes \" \\ \n \t \r are understood,
// comments are skipped. Fuzzy entries, entries with an empty msgstr or an
// empty form (untranslated) and entries with a context are left out, so their
// text shows untranslated; of the header only Plural-Forms is kept. Anything
// else (an unknown keyword, a missing quote, a msgstr without its msgid, a
// form out of order) stops the reading with an error naming the line; the
// tables are then empty.
PoCatalogue readPoCatalogue(std::string_view bytes);
