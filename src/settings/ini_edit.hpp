// The new bytes of an INI file after setting a value or deleting a key or a section.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ini {

// The file after setting section/key to value. A new section or a new key of the last
// section is appended to the whole old file; any other change rewrites the file from its text.
std::vector<uint8_t> withValue(const std::vector<uint8_t>& fileBytes, std::u16string_view text,
                               std::u16string_view section, std::u16string_view key, std::u16string_view value);

// The file without the section, header to section end; nothing when there is no such section.
std::optional<std::vector<uint8_t>> withoutSection(std::u16string_view text, std::u16string_view section);

// The file without the key's whole line; nothing when there is no such section or key.
std::optional<std::vector<uint8_t>> withoutKey(std::u16string_view text, std::u16string_view section,
                                               std::u16string_view key);

}  // namespace ini
