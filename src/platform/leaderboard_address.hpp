// Where the day's leaderboard is: QUANDREL_LEADERBOARD in the environment (the
// page sets it from its address's ?leaderboard=), else the address the build
// was configured with (QUANDREL_LEADERBOARD_ADDRESS). Empty: no leaderboard.
#pragma once

#include <string>
#include <string_view>

// `address` trimmed and without its trailing '/', so that a path follows it;
// empty unless it starts with http:// or https://.
std::string leaderboardAddressFrom(std::string_view address);
std::string leaderboardAddress();
