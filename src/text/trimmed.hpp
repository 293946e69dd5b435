// Text without blanks at either end, for readers of files, links and scripts
// on both sides of the platform layer.
#pragma once

#include <string_view>

inline constexpr std::string_view Blanks = " \t\r\n";
// For readers that have already cut the text into lines.
inline constexpr std::string_view SpacesAndTabs = " \t";

inline std::string_view trimmed(std::string_view text, std::string_view blanks = Blanks) {
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
