// Run links: a page address with `#run=TOKEN` behind it, or `#board=TOKEN`
// for a board's token.
#pragma once

#include <string>
#include <string_view>

// The fragments that carry a run and a board in a page's address.
inline constexpr std::string_view RunFragment = "#run=";
inline constexpr std::string_view BoardFragment = "#board=";
// How a board's token begins (a run's begins otherwise).
inline constexpr std::string_view BoardTokenStart = "QBRD.";

// `address` (any fragment of its own dropped) followed by #run=TOKEN, or
// #board=TOKEN for a board; the token alone when there is no address.
std::string runLinkAt(std::string_view address, std::string_view token);
// The page address the build was given (QUANDREL_PAGE_ADDRESS), or empty.
std::string_view configuredPageAddress();
