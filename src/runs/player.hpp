// The player as a leaderboard knows them: a random 128-bit id, written as 32
// lower-case hex digits, made once and kept in the daily file; and a name of
// two words, a colour and a creature, given as indices into two word lists,
// so that a name is never free text and each viewer reads it in their own
// language. The lists only grow, at their ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace runs {

inline constexpr size_t PlayerIdBytes = 16;
inline constexpr size_t PlayerIdDigits = 2 * PlayerIdBytes;
inline constexpr int32_t NameColourCount = 16;
inline constexpr int32_t NameCreatureCount = 16;

struct PlayerName {
  int32_t colour = 0;    // 0 .. NameColourCount - 1
  int32_t creature = 0;  // 0 .. NameCreatureCount - 1
  bool operator==(const PlayerName&) const = default;
};

// The player of this game: no id until the game first needs one.
struct Player {
  std::string id;
  PlayerName name;
  bool operator==(const Player&) const = default;
};

// The id written from 16 random bytes.
std::string playerIdFromBytes(const std::array<uint8_t, PlayerIdBytes>& bytes);
// Exactly 32 lower-case hex digits.
bool isPlayerId(std::string_view text);
bool isPlayerName(const PlayerName& name);
// The name an id starts with.
PlayerName nameOfId(std::string_view id);
// The next name after `current` for this id: a walk through every name, in
// an order of the id's own, so that pressing for another name never gives
// the same one back and comes round to each name in turn.
PlayerName anotherName(std::string_view id, const PlayerName& current);

}  // namespace runs
