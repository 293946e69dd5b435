// The other requests of the apps-ask queue, which the game itself never sends. Each builds
// a zeroed request, sets what its code carries and returns whether it was written.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Codes 1 and 2, with one argument; a zero argument sends nothing. Other codes: false.
bool AppsAskShellWithArgument(std::uint32_t code, std::uint32_t argument);

// Codes 3 and 4, with two arguments; a zero first argument sends nothing. Other codes: false.
bool AppsAskShellWithTwoArguments(std::uint32_t code, std::uint32_t first, std::uint32_t second);

// Codes 5, 6, 7, 8, 9 and 13, without arguments. Other codes: false.
bool AppsAskShellWithoutArgument(std::uint32_t code);

// Code 12 with a text and two values (flag 1). The text keeps its first 64 characters; a
// text of 64 fills the field without a terminator. An empty text sends nothing.
bool AppsAskShellTextWithValues(std::u16string_view text, std::uint32_t firstValue, std::uint32_t secondValue);

// Code 12 with a text, a second text of up to 32 characters and a block of four words
// (flag 0). Texts are bounded as above; an empty first text sends nothing.
bool AppsAskShellTextWithSecondText(std::u16string_view text, std::u16string_view secondText,
                                    const std::array<std::uint32_t, 4>& block);
