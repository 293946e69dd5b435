// Searches over INI text. Everything is found by searching; nothing is split into lines first.
#include "settings/ini_text.hpp"

#include <algorithm>

namespace ini {

namespace {

constexpr char16_t LF = u'\n';
constexpr char16_t CR = u'\r';

bool startsLine(std::u16string_view text, size_t at) { return at == 0 || text[at - 1] == LF; }

bool endsLine(std::u16string_view text, size_t at) {
  if (at == text.size() || text[at] == LF) return true;
  return text[at] == CR && at + 1 < text.size() && text[at + 1] == LF;
}

size_t sectionEnd(std::u16string_view text, size_t from) {
  for (size_t at = from; at < text.size(); ++at) {
    if (text[at] == u'[' && at > 0 && text[at - 1] == LF) return at;
  }
  return text.size();
}

bool isBlank(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

}  // namespace

std::u16string textOf(const std::vector<uint8_t>& fileBytes) {
  std::u16string text;
  for (size_t at = 2; at < fileBytes.size(); at += 2) {
    const unsigned high = at + 1 < fileBytes.size() ? fileBytes[at + 1] : 0;
    const auto unit = static_cast<char16_t>(fileBytes[at] | (high << 8));
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

std::optional<SectionSpan> findSection(std::u16string_view text, std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  size_t from = 0;
  for (size_t at; (at = text.find(name, from)) != std::u16string_view::npos; from = at + name.size()) {
    const size_t close = at + name.size();
    const bool header = at > 0 && text[at - 1] == u'[' && startsLine(text, at - 1) && close < text.size() &&
                        text[close] == u']' && endsLine(text, close + 1);
    if (header) return SectionSpan{at - 1, close, sectionEnd(text, close + 1)};
  }
  return std::nullopt;
}

std::optional<size_t> findKey(std::u16string_view text, const SectionSpan& section, std::u16string_view key) {
  if (key.empty()) return std::nullopt;
  size_t from = section.close + 1;
  for (size_t at; (at = text.find(key, from)) != std::u16string_view::npos && at < section.end;
       from = at + key.size()) {
    const size_t after = at + key.size();
    if (after < text.size() && text[after] == u'=') return at;
  }
  return std::nullopt;
}

ValueSpan valueOf(std::u16string_view text, size_t keyAt, size_t keyLength) {
  const size_t begin = keyAt + keyLength + 1;
  const size_t lineFeed = text.find(LF, begin);
  if (lineFeed == std::u16string_view::npos) return {begin, text.size()};
  const bool carriageReturn = lineFeed > begin && text[lineFeed - 1] == CR;
  return {begin, carriageReturn ? lineFeed - 1 : lineFeed};
}

std::vector<std::u16string_view> headerNames(std::u16string_view text) {
  std::vector<std::u16string_view> names;
  for (size_t start = 0;;) {
    const size_t lineFeed = text.find(LF, start);
    const bool last = lineFeed == std::u16string_view::npos;
    size_t end = last ? text.size() : lineFeed;
    if (!last && end > start && text[end - 1] == CR) --end;
    if (end - start >= 2 && text[start] == u'[' && text[end - 1] == u']') {
      names.push_back(text.substr(start + 1, end - start - 2));
    }
    if (last) return names;
    start = lineFeed + 1;
  }
}

bool hasHeaderLine(std::u16string_view text, std::u16string_view name) {
  std::u16string header = u"[";
  header += name;
  header += u"]";
  for (size_t at = text.find(header); at != std::u16string_view::npos; at = text.find(header, at + 1)) {
    const size_t after = at + header.size();
    if (startsLine(text, at) && (after == text.size() || text[after] == CR)) return true;
  }
  return false;
}

int32_t parseDecimal(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && isBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
  // Accumulate just past the 32-bit range and stop growing there: the result is clamped anyway.
  constexpr int64_t Limit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    magnitude = std::min(magnitude * 10 + (text[at] - u'0'), Limit);
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  return static_cast<int32_t>(std::min(magnitude, int64_t{INT32_MAX}));
}

}  // namespace ini
