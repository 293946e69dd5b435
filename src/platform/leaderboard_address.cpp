// The leaderboard's address from the environment or the build.
#include "platform/leaderboard_address.hpp"

#include <cstdio>
#include <cstdlib>

#include "text/trimmed.hpp"

#ifndef QUANDREL_LEADERBOARD_ADDRESS
#define QUANDREL_LEADERBOARD_ADDRESS ""
#endif

std::string leaderboardAddressFrom(std::string_view address) {
  address = trimmed(address);
  while (address.ends_with('/')) address.remove_suffix(1);
  if (!address.starts_with("http://") && !address.starts_with("https://")) return {};
  return std::string(address);
}

std::string leaderboardAddress() {
  const char* chosen = std::getenv("QUANDREL_LEADERBOARD");
  const std::string_view asked = chosen != nullptr ? chosen : QUANDREL_LEADERBOARD_ADDRESS;
  std::string address = leaderboardAddressFrom(asked);
  // An address that is no web address is said, not silently dropped.
  if (address.empty() && !trimmed(asked).empty())
    std::fprintf(stderr, "quandrel: the leaderboard's address '%.*s' is not an http:// or https:// address; "
                 "playing without a leaderboard\n", static_cast<int>(asked.size()), asked.data());
  return address;
}
