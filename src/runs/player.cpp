// Player ids and the names drawn from them.
#include "runs/player.hpp"

namespace runs {
namespace {

constexpr int32_t NameCount = NameColourCount * NameCreatureCount;

// The number written by eight hex digits of the id from `first` (0 past its end).
uint32_t digitsAt(std::string_view id, size_t first) {
  uint32_t value = 0;
  for (size_t i = first; i < first + 8 && i < id.size(); ++i) {
    const char c = id[i];
    const uint32_t digit = c >= '0' && c <= '9' ? static_cast<uint32_t>(c - '0')
                           : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
                                                  : 0;
    value = value * 16 + digit;
  }
  return value;
}

int32_t indexOf(const PlayerName& name) { return name.colour * NameCreatureCount + name.creature; }

PlayerName nameAt(int32_t index) { return PlayerName{index / NameCreatureCount, index % NameCreatureCount}; }

}  // namespace

std::string playerIdFromBytes(const std::array<uint8_t, PlayerIdBytes>& bytes) {
  constexpr char Digits[] = "0123456789abcdef";
  std::string id;
  id.reserve(PlayerIdDigits);
  for (const uint8_t byte : bytes) {
    id += Digits[byte >> 4];
    id += Digits[byte & 15];
  }
  return id;
}

bool isPlayerId(std::string_view text) {
  if (text.size() != PlayerIdDigits) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool isPlayerName(const PlayerName& name) {
  return name.colour >= 0 && name.colour < NameColourCount && name.creature >= 0 &&
         name.creature < NameCreatureCount;
}

PlayerName nameOfId(std::string_view id) {
  return PlayerName{static_cast<int32_t>(digitsAt(id, 0) % NameColourCount),
                    static_cast<int32_t>(digitsAt(id, 8) % NameCreatureCount)};
}

PlayerName anotherName(std::string_view id, const PlayerName& current) {
  // An odd step is coprime with the number of names (a power of two), so the
  // walk visits every name before it returns to the first.
  static_assert((NameCount & (NameCount - 1)) == 0, "the walk needs a power of two of names");
  const auto step = static_cast<int32_t>(2 * (digitsAt(id, 16) % (NameCount / 2)) + 1);
  const int32_t from = isPlayerName(current) ? indexOf(current) : 0;
  return nameAt((from + step) % NameCount);
}

}  // namespace runs
