// The .po reader: one pass over the lines, an entry completed at each new msgid.
#include "platform/language/po_reader.hpp"

#include <cstdint>

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
      if (field_ == Field::Context || field_ == Field::Id) fail("the last entry has no msgstr");
      finishEntry();
    }
    if (!result_.error.empty()) result_.translations.clear();
    return std::move(result_);
  }

 private:
  enum class Field { None, Context, Id, Str };

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
      if (field_ == Field::Context || field_ == Field::Id) return fail("an entry without its msgstr");
      if (field_ == Field::Str) finishEntry();
      field_ = Field::Context;
      hasContext_ = true;
    } else if (keyword == "msgid") {
      if (field_ == Field::Id) return fail("an entry without its msgstr");
      if (field_ == Field::Str) finishEntry();
      field_ = Field::Id;
    } else if (keyword == "msgstr") {
      if (field_ != Field::Id) return fail("msgstr without a msgid before it");
      field_ = Field::Str;
    } else if (keyword == "msgid_plural" || keyword.starts_with("msgstr[")) {
      return fail("plural forms are not used by this program");
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
    std::string& out = field_ == Field::Context ? context_ : field_ == Field::Id ? id_ : str_;
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

  // Keeps the entry just read when it holds a translation to show.
  void finishEntry() {
    if (!isUtf8(id_) || !isUtf8(str_)) fail("an entry that is not UTF-8 text");
    if (result_.error.empty() && field_ == Field::Str && !fuzzy_ && !hasContext_ && !id_.empty() && !str_.empty()) {
      result_.translations.insert_or_assign(utf16FromUtf8(id_), utf16FromUtf8(str_));
    }
    field_ = Field::None;
    fuzzy_ = hasContext_ = false;
    context_.clear();
    id_.clear();
    str_.clear();
  }

  std::string_view rest_;
  size_t lineNumber_ = 0;
  PoCatalogue result_;
  Field field_ = Field::None;
  bool fuzzy_ = false;
  bool hasContext_ = false;
  std::string context_;
  std::string id_;
  std::string str_;
};

}  // namespace

PoCatalogue readPoCatalogue(std::string_view bytes) { return Reader(bytes).read(); }
