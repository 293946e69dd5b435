// The language the program shows: its texts come from that language's
// catalogue, its pictures from that language's folder when there is
// one. The game's own texts (Chinese) are the original; with no catalogue
// entry a text shows as the game wrote it.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The language of the texts as the game writes them.
inline constexpr std::string_view OriginalLanguage = "zh";
// Shown when the system asks for a language there is no catalogue for.
inline constexpr std::string_view FallbackLanguage = "en";

// The languages with a catalogue, po/<language>.po, sorted.
std::span<const std::string_view> catalogueLanguages();
// The text of `language`'s catalogue: compiled into the executable, or in the
// browser build a file of the language's first package. False when there is
// none to read.
bool readCatalogueText(std::string_view language, std::string& text);

// The original language and every compiled-in catalogue's, sorted.
std::vector<std::string> knownLanguages();
bool isKnownLanguage(std::string_view language);

// The language for a list of locale names separated by ':' (LANGUAGE's form,
// "zh_CN.UTF-8", "en-GB", "C"): the first whose language is known, else the
// fallback.
std::string languageForLocales(std::string_view locales);
// As gettext programs choose: the first non-empty one of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG decides. `lookup` reads a variable (getenv by default).
std::string languageFromEnvironment(const std::function<const char*(const char*)>& lookup = {});

// Makes `language` the active one, reading its catalogue. False, with the
// reason in `error`, for an unknown language or an unreadable catalogue (the
// texts then show untranslated, the pictures still follow `language`).
bool setActiveLanguage(std::string_view language, std::string& error);
const std::string& activeLanguage();
bool originalLanguageActive();

// `text` in the active language: its translation, or `text` itself. The view
// stays valid until the language changes; a lookup allocates nothing.
std::u16string_view translatedText(std::u16string_view text);

// The counted word `text` (a catalogue entry with plural forms, its msgid
// the one Chinese form) in the active language's form for `count`, by the
// catalogue's Plural-Forms rule: the rule of the language when the header is
// missing or damaged or fails on `count`, the last form when the entry has
// fewer. A negative count takes the form of its magnitude. `text` itself when
// the entry is not translated. Allocates nothing.
std::u16string_view translatedPlural(std::u16string_view text, int64_t count);

// Where the active language's variant of the picture file `path` would be:
// ".../Images/<language>/<rest>" for ".../Images/<rest>". False (and `variant`
// untouched) when the original language is active or `path` is not under an
// Images folder.
bool localizedImagePath(std::u16string_view path, std::u16string& variant);
