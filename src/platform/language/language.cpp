// The active language, its translation table and the choice from the environment.
#include "platform/language/language.hpp"

#include <algorithm>
#include <cstdlib>

#include "platform/language/plural_rule.hpp"
#include "platform/language/po_reader.hpp"
#include "platform/system/utf.hpp"

namespace {

struct ActiveLanguage {
  std::string code{OriginalLanguage};
  std::u16string folder;  // the picture folder's name; empty for the original
  TranslationTable translations;
  PluralTable plurals;
  LanguagePlurals counting;
};

ActiveLanguage& active() {
  static ActiveLanguage state;
  return state;
}

// "zh_CN.UTF-8" -> "zh", "en-GB" -> "en", "C" -> "c".
std::string languagePart(std::string_view locale) {
  const size_t end = locale.find_first_of("_-.@");
  std::string part(locale.substr(0, end));
  std::transform(part.begin(), part.end(), part.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return part;
}

bool hasCatalogue(std::string_view language) {
  const std::span<const std::string_view> languages = catalogueLanguages();
  return std::find(languages.begin(), languages.end(), language) != languages.end();
}

}  // namespace

std::vector<std::string> knownLanguages() {
  std::vector<std::string> languages{std::string(OriginalLanguage)};
  for (std::string_view language : catalogueLanguages()) {
    if (language != OriginalLanguage) languages.emplace_back(language);
  }
  std::sort(languages.begin(), languages.end());
  return languages;
}

bool isKnownLanguage(std::string_view language) {
  return language == OriginalLanguage || hasCatalogue(language);
}

std::string languageForLocales(std::string_view locales) {
  while (!locales.empty()) {
    const size_t colon = locales.find(':');
    const std::string language = languagePart(locales.substr(0, colon));
    if (isKnownLanguage(language)) return language;
    locales = colon == std::string_view::npos ? std::string_view() : locales.substr(colon + 1);
  }
  return isKnownLanguage(FallbackLanguage) ? std::string(FallbackLanguage) : std::string(OriginalLanguage);
}

std::string languageFromEnvironment(const std::function<const char*(const char*)>& lookup) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = lookup ? lookup(name) : std::getenv(name);
    if (value && *value) return languageForLocales(value);
  }
  return languageForLocales("");
}

bool setActiveLanguage(std::string_view language, std::string& error) {
  ActiveLanguage& state = active();
  if (!isKnownLanguage(language)) {
    error = "unknown language '" + std::string(language) + "'";
    return false;
  }
  state.code = std::string(language);
  state.translations.clear();
  state.plurals.clear();
  state.folder.clear();
  if (language == OriginalLanguage) return true;
  state.folder = utf16FromUtf8(language);
  std::string text;
  if (!readCatalogueText(language, text)) {
    error = "the " + std::string(language) + " catalogue is missing";
    return false;
  }
  PoCatalogue catalogue = readPoCatalogue(text);
  if (!catalogue.ok()) {
    error = "the " + std::string(language) + " catalogue cannot be read: " + catalogue.error;
    return false;
  }
  state.translations = std::move(catalogue.translations);
  state.plurals = std::move(catalogue.plurals);
  state.counting = LanguagePlurals(language, catalogue.pluralForms);
  return true;
}

const std::string& activeLanguage() { return active().code; }

bool originalLanguageActive() { return active().folder.empty(); }

std::u16string_view translatedText(std::u16string_view text) {
  const TranslationTable& table = active().translations;
  if (table.empty()) return text;
  const auto found = table.find(text);
  return found == table.end() ? text : std::u16string_view(found->second);
}

std::u16string_view translatedPlural(std::u16string_view text, int64_t count) {
  const ActiveLanguage& state = active();
  const auto found = state.plurals.find(text);
  if (found == state.plurals.end()) return text;
  const uint64_t n = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
  const size_t form = state.counting.formFor(n);
  const std::vector<std::u16string>& forms = found->second;
  return forms[std::min(form, forms.size() - 1)];
}

bool localizedImagePath(std::u16string_view path, std::u16string& variant) {
  const std::u16string& folder = active().folder;
  if (folder.empty()) return false;
  // The last folder of the path named Images, with either separator around it.
  constexpr std::u16string_view Images = u"Images";
  constexpr size_t None = std::u16string_view::npos;
  const auto isSeparator = [](char16_t c) { return c == u'/' || c == u'\\'; };
  for (size_t at = path.rfind(Images); at != None; at = at == 0 ? None : path.rfind(Images, at - 1)) {
    const size_t end = at + Images.size();
    if (end < path.size() && isSeparator(path[end]) && (at == 0 || isSeparator(path[at - 1]))) {
      variant.assign(path.substr(0, end + 1));
      variant.append(folder);
      variant.push_back(u'/');
      variant.append(path.substr(end + 1));
      return true;
    }
  }
  return false;
}
