// Conversion of the program's wide (UTF-16) text to the UTF-8 that POSIX names and streams take.
#pragma once

#include <string>
#include <string_view>

namespace services {

// Unpaired surrogates become U+FFFD, so the result is always valid UTF-8.
std::string utf16ToUtf8(std::u16string_view text);

}  // namespace services
