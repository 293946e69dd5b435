// Searching the text of an INI file: section headers, keys, values and numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// Where a section lies in the text: its "[" and "]", and its end (the "[" of the next
// line that starts with one, or the end of the text).
struct SectionSpan {
  size_t open;
  size_t close;
  size_t end;
};

// Where a value lies in the text: [begin, end).
struct ValueSpan {
  size_t begin;
  size_t end;
};

// The UTF-16LE text after the two-byte mark, up to the end of the file or the first U+0000.
// A lone last byte counts as a unit whose high byte is zero.
std::u16string textOf(const std::vector<uint8_t>& fileBytes);

// The header "[" name "]" standing alone on its line.
std::optional<SectionSpan> findSection(std::u16string_view text, std::u16string_view name);

// The first occurrence of `key` after the header's "]" that is followed by "=" and begins
// before the section's end: a substring search, not anchored to a line. `key` must not be empty.
std::optional<size_t> findKey(std::u16string_view text, const SectionSpan& section, std::u16string_view key);

// The value after the key at keyAt: up to its line's LF, less a CR just before it.
ValueSpan valueOf(std::u16string_view text, size_t keyAt, size_t keyLength);

// The names of every line that begins with "[" and ends with "]", in file order.
std::vector<std::u16string_view> headerNames(std::u16string_view text);

// Whether "[" name "]" begins a line and is followed by CR or the end of the text.
bool hasHeaderLine(std::u16string_view text, std::u16string_view name);

// A base-10 number: leading white space skipped, optional sign, digits up to the first other
// character; no digits give 0, and numbers beyond 32 bits are clamped.
int32_t parseDecimal(std::u16string_view text);

}  // namespace ini
