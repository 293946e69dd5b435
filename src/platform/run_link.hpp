// Run links: a page address with `#run=TOKEN` behind it.
#pragma once

#include <string>
#include <string_view>

// The fragment that carries a run in a page's address.
inline constexpr std::string_view RunFragment = "#run=";

// `address` (any fragment of its own dropped) followed by #run=TOKEN; the
// token alone when there is no address.
std::string runLinkAt(std::string_view address, std::string_view token);
// The page address the build was given (QUANDREL_PAGE_ADDRESS), or empty.
std::string_view configuredPageAddress();
