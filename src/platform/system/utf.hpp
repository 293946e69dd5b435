// Conversions between the program's UTF-16 strings and the UTF-8 byte strings of the system.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not valid UTF-8 become the lone surrogates U+DC80..U+DCFF and
// turn back into the same bytes, so any file name survives the round trip.
std::u16string utf16FromUtf8(std::string_view text);

// Lone surrogates U+DC80..U+DCFF become the bytes they stand for; any other
// lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);
