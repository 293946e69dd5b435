// Feeds arbitrary bytes to the .po reader and checks what must always hold: a
// failure names its line and keeps nothing; a success keeps only entries with
// all their texts, and writing those entries and the header's plural rule out
// again reads back the same tables. The same bytes, and the rule a catalogue
// names, go to the plural rule's reader: a rule read gives only its own forms,
// and a damaged one counts as the language's own rule.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "platform/language/plural_rule.hpp"
#include "platform/language/po_reader.hpp"
#include "platform/system/utf.hpp"

namespace {

std::string quoted(std::u16string_view text) {
  std::string out = "\"";
  for (const char c : utf8FromUtf16(text)) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

void checkPluralRule(std::string_view header) {
  const std::optional<PluralRule> rule = PluralRule::read(header);
  const LanguagePlurals russian("ru", header);
  const LanguagePlurals russianOwn("ru", "");
  for (const uint64_t n : {uint64_t{0}, uint64_t{1}, uint64_t{2}, uint64_t{5}, uint64_t{11}, uint64_t{21},
                           uint64_t{101}, uint64_t{1} << 32, UINT64_MAX}) {
    if (rule) {
      check(rule->forms() >= 1 && rule->forms() <= PluralRule::MaxForms, "a rule has 1 to MaxForms forms");
      const std::optional<size_t> form = rule->formFor(n);
      check(!form || *form < rule->forms(), "a rule gives only its own forms");
      check(russian.formFor(n) < PluralRule::MaxForms, "a language's form is one it can have");
    } else {
      check(russian.formFor(n) == russianOwn.formFor(n), "a damaged rule counts as the language's own");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkPluralRule(bytes);
  const PoCatalogue catalogue = readPoCatalogue(bytes);
  if (!catalogue.ok()) {
    check(catalogue.error.starts_with("line "), "an error names its line");
    check(catalogue.translations.empty() && catalogue.plurals.empty() && catalogue.pluralForms.empty(),
          "a failed catalogue keeps nothing");
    return 0;
  }
  checkPluralRule(catalogue.pluralForms);
  std::string written;
  if (!catalogue.pluralForms.empty()) {
    check(catalogue.pluralForms.find('\n') == std::string::npos, "the rule is one line of the header");
    written += "msgid \"\"\nmsgstr " + quoted(utf16FromUtf8("Plural-Forms: " + catalogue.pluralForms + "\n")) + "\n\n";
  }
  for (const auto& [original, translation] : catalogue.translations) {
    check(!original.empty() && !translation.empty(), "only entries with both texts are kept");
    written += "msgid " + quoted(original) + "\nmsgstr " + quoted(translation) + "\n\n";
  }
  for (const auto& [original, forms] : catalogue.plurals) {
    check(!original.empty(), "only counted words with a text are kept");
    check(!forms.empty() && forms.size() <= PluralRule::MaxForms, "a counted word has 1 to MaxForms forms");
    written += "msgid " + quoted(original) + "\nmsgid_plural " + quoted(original) + "\n";
    for (size_t i = 0; i < forms.size(); ++i) {
      check(!forms[i].empty(), "only counted words with every form are kept");
      written += "msgstr[" + std::to_string(i) + "] " + quoted(forms[i]) + "\n";
    }
    written += "\n";
  }
  const PoCatalogue again = readPoCatalogue(written);
  check(again.ok(), "the written catalogue reads back");
  check(again.translations == catalogue.translations, "the written catalogue reads back the same");
  check(again.plurals == catalogue.plurals, "the written counted words read back the same");
  check(again.pluralForms == catalogue.pluralForms, "the written plural rule reads back the same");
  return 0;
}
