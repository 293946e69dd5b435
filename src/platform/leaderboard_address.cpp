// The leaderboard's address from the environment or the build.
#include "platform/leaderboard_address.hpp"

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
  return leaderboardAddressFrom(chosen != nullptr ? chosen : QUANDREL_LEADERBOARD_ADDRESS);
}
