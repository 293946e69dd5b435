// A strict reader of gettext .po catalogues: the translations the program
// shows, read from a catalogue's bytes.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

struct U16Hash {
  using is_transparent = void;
  size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
};

// Original text -> translation. Looked up by view, so a lookup allocates nothing.
using TranslationTable = std::unordered_map<std::u16string, std::u16string, U16Hash, std::equal_to<>>;

struct PoCatalogue {
  TranslationTable translations;
  std::string error;  // empty when the whole catalogue was read; else "line N: what"
  bool ok() const { return error.empty(); }
};

// Reads msgid/msgstr pairs: strings may continue on following lines, the
// escapes \" \\ \n \t \r are understood, comments are skipped. Fuzzy entries,
// entries with an empty msgstr (untranslated) and the header are left out, so
// their text shows untranslated. Anything else (an unknown keyword, a missing
// quote, a msgstr without its msgid, plural forms) stops the reading with an
// error naming the line; the table is then empty.
PoCatalogue readPoCatalogue(std::string_view bytes);
