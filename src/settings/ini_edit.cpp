// Builds the bytes an INI change leaves in the file, in memory, before anything is written.
#include "settings/ini_edit.hpp"

#include <initializer_list>

#include "settings/ini_text.hpp"

namespace ini {

namespace {

void appendText(std::vector<uint8_t>& bytes, std::initializer_list<std::u16string_view> pieces) {
  for (std::u16string_view piece : pieces) {
    for (char16_t unit : piece) {
      bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
      bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
  }
}

std::vector<uint8_t> rewritten(std::initializer_list<std::u16string_view> pieces) {
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  appendText(bytes, pieces);
  return bytes;
}

}  // namespace

std::vector<uint8_t> withValue(const std::vector<uint8_t>& fileBytes, std::u16string_view text,
                               std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  const std::optional<SectionSpan> found = findSection(text, section);
  if (!found) {
    std::vector<uint8_t> bytes = fileBytes;
    appendText(bytes, {fileBytes.size() > 2 ? u"\r\n[" : u"[", section, u"]\r\n  ", key, u"=", value});
    return bytes;
  }
  const std::optional<size_t> keyAt = findKey(text, *found, key);
  if (keyAt) {
    const ValueSpan old = valueOf(text, *keyAt, key.size());
    return rewritten({text.substr(0, old.begin), value, text.substr(old.end)});
  }
  if (found->end == text.size()) {
    std::vector<uint8_t> bytes = fileBytes;
    appendText(bytes, {u"\r\n  ", key, u"=", value});
    return bytes;
  }
  // The new key becomes the section's last line, just before the next section's "[".
  return rewritten({text.substr(0, found->end), u"  ", key, u"=", value, u"\r\n", text.substr(found->end)});
}

std::optional<std::vector<uint8_t>> withoutSection(std::u16string_view text, std::u16string_view section) {
  const std::optional<SectionSpan> found = findSection(text, section);
  if (!found) return std::nullopt;
  return rewritten({text.substr(0, found->open), text.substr(found->end)});
}

std::optional<std::vector<uint8_t>> withoutKey(std::u16string_view text, std::u16string_view section,
                                               std::u16string_view key) {
  const std::optional<SectionSpan> found = findSection(text, section);
  if (!found) return std::nullopt;
  const std::optional<size_t> keyAt = findKey(text, *found, key);
  if (!keyAt) return std::nullopt;
  // The key's line goes from its start (never before the header's line end) through its LF.
  size_t lineStart = text.rfind(u'\n', *keyAt - 1);
  lineStart = lineStart == std::u16string_view::npos || lineStart < found->close ? found->close + 1 : lineStart + 1;
  const size_t lineFeed = text.find(u'\n', *keyAt + key.size());
  const size_t lineEnd = lineFeed == std::u16string_view::npos ? text.size() : lineFeed + 1;
  return rewritten({text.substr(0, lineStart), text.substr(lineEnd)});
}

}  // namespace ini
