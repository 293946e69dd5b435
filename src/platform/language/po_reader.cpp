// The .po reader: one pass over the lines, an entry completed at each new msgid.
#include "platform/language/po_reader.hpp"

#include <cstdint>

#include "platform/language/plural_rule.hpp"
#include "platform/system/utf.hpp"
#include "text/trimmed.hpp"

namespace {

// True when `text` is well-formed UTF-8 (no stray, overlong or surrogate forms).
bool isUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t codepoint = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      codepoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      codepoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      codepoint = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      codepoint = (codepoint << 6) | (next & 0x3F);
    }
    constexpr uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codepoint < Smallest[length] || codepoint > 0x10FFFF || (codepoint >= 0xD800 && codepoint <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : rest_(bytes) {}

  PoCatalogue read() {
    while (!rest_.empty() && result_.error.empty()) readLine(nextLine());
    if (result_.error.empty()) {
      if (field_ == Field::Context || field_ == Field::Id || field_ == Field::Plural)
        fail("the last entry has no msgstr");
      finishEntry();
    }
    if (!result_.error.empty()) {
      result_.translations.clear();
      result_.plurals.clear();
      result_.pluralForms.clear();
    }
    return std::move(result_);
  }

 private:
  enum class Field { None, Context, Id, Plural, Str };

  std::string_view nextLine() {
    ++lineNumber_;
    const size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  void fail(const std::string& what) {
    if (result_.error.empty()) result_.error = "line " + std::to_string(lineNumber_) + ": " + what;
  }

  void readLine(std::string_view raw) {
    const std::string_view line = trimmed(raw, SpacesAndTabs);
    if (line.empty()) return;
    if (line.front() == '#') {
      // "#," lists flags; a fuzzy translation is a guess, not shown.
      if (line.starts_with("#,") && line.find("fuzzy") != std::string_view::npos) {
        if (field_ == Field::Str) finishEntry();
        fuzzy_ = true;
      }
      return;
    }
    if (line.front() == '"') {
      if (field_ == Field::None) return fail("a string continues no msgid or msgstr");
      appendString(line);
      return;
    }
    const size_t space = line.find_first_of(" \t");
    const std::string_view keyword = line.substr(0, space);
    const std::string_view value =
        space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space), SpacesAndTabs);
    if (keyword == "msgctxt") {
      if (field_ == Field::Context || field_ == Field::Id || field_ == Field::Plural)
        return fail("an entry without its msgstr");
      if (field_ == Field::Str) finishEntry();
      field_ = Field::Context;
      hasContext_ = true;
    } else if (keyword == "msgid") {
      if (field_ == Field::Id || field_ == Field::Plural) return fail("an entry without its msgstr");
      if (field_ == Field::Str) finishEntry();
      field_ = Field::Id;
    } else if (keyword == "msgid_plural") {
      if (field_ != Field::Id) return fail("msgid_plural without a msgid before it");
      field_ = Field::Plural;
    } else if (keyword == "msgstr") {
      if (field_ == Field::Plural) return fail("a plural entry's msgstr without its [N]");
      if (field_ != Field::Id) return fail("msgstr without a msgid before it");
      field_ = Field::Str;
    } else if (keyword.starts_with("msgstr[")) {
      const std::string fault = startForm(keyword);
      if (!fault.empty()) return fail(fault);
    } else {
      return fail("unknown keyword '" + std::string(keyword) + "'");
    }
    if (value.empty()) return fail("'" + std::string(keyword) + "' without its quoted string");
    appendString(value);
  }

  // Appends the one quoted string `text` to the current field.
  void appendString(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
      return fail("a string must be one quoted text on its line");
    std::string& out = field_ == Field::Context ? context_
                       : field_ == Field::Id    ? id_
                       : field_ == Field::Plural ? pluralId_
                       : forms_.empty()          ? str_
                                                 : forms_.back();
    for (size_t i = 1; i + 1 < text.size(); ++i) {
      const char c = text[i];
      if (c == '"') return fail("an unescaped quote inside a string");
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (i + 2 >= text.size()) return fail("a backslash at the end of a string");
      switch (text[++i]) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'r': out.push_back('\r'); break;
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        default: return fail(std::string("unknown escape \\") + text[i]);
      }
    }
  }

  // Begins the form msgstr[N] of a plural entry, or says why it cannot.
  std::string startForm(std::string_view keyword) {
    const std::string_view index = keyword.substr(7);
    if (index.size() != 2 || index[0] < '0' || index[0] > '9' || index[1] != ']')
      return "'" + std::string(keyword) + "' is not msgstr[N]";
    const auto form = static_cast<size_t>(index[0] - '0');
    const bool plural = field_ == Field::Plural || (field_ == Field::Str && !forms_.empty());
    if (!plural) return "msgstr[N] without a msgid_plural before it";
    if (form != forms_.size()) return "msgstr[" + std::to_string(form) + "] out of order";
    if (form >= PluralRule::MaxForms) return "more plural forms than a language has";
    field_ = Field::Str;
    forms_.emplace_back();
    return {};
  }

  // Keeps the entry just read when it holds a translation to show, and the
  // header's plural rule.
  void finishEntry() {
    bool text = isUtf8(id_) && isUtf8(pluralId_) && isUtf8(str_);
    for (const std::string& form : forms_) text = text && isUtf8(form);
    if (!text) fail("an entry that is not UTF-8 text");
    const bool shown = result_.error.empty() && field_ == Field::Str && !fuzzy_ && !hasContext_;
    if (shown && id_.empty()) {
      keepPluralForms();
    } else if (shown && !forms_.empty()) {
      std::vector<std::u16string> forms;
      for (const std::string& form : forms_) {
        if (form.empty()) break;
        forms.push_back(utf16FromUtf8(form));
      }
      if (forms.size() == forms_.size()) result_.plurals.insert_or_assign(utf16FromUtf8(id_), std::move(forms));
    } else if (shown && !str_.empty()) {
      result_.translations.insert_or_assign(utf16FromUtf8(id_), utf16FromUtf8(str_));
    }
    field_ = Field::None;
    fuzzy_ = hasContext_ = false;
    context_.clear();
    id_.clear();
    pluralId_.clear();
    str_.clear();
    forms_.clear();
  }

  // The header's "Plural-Forms: ..." line, its value kept as written.
  void keepPluralForms() {
    constexpr std::string_view Name = "Plural-Forms:";
    std::string_view header = str_;
    while (!header.empty()) {
      const size_t end = header.find('\n');
      const std::string_view line = header.substr(0, end);
      if (line.starts_with(Name)) result_.pluralForms = std::string(trimmed(line.substr(Name.size()), SpacesAndTabs));
      header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
    }
  }

  std::string_view rest_;
  size_t lineNumber_ = 0;
  PoCatalogue result_;
  Field field_ = Field::None;
  bool fuzzy_ = false;
  bool hasContext_ = false;
  std::string context_;
  std::string id_;
  std::string pluralId_;  // read, and checked, but the program counts with msgid's forms
  std::string str_;
  std::vector<std::string> forms_;  // msgstr[0], msgstr[1]... of a plural entry
};

}  // namespace

PoCatalogue readPoCatalogue(std::string_view bytes) { return Reader(bytes).read(); }
