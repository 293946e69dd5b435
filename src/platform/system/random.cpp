// Every random draw of the program passes through here, so one replacement makes play repeatable.
#include "platform/system/random.hpp"

namespace {

// x <- x * 214013 + 2531011 (mod 2^32); the draw is bits 16..30 of x.
constexpr uint32_t Multiplier = 214013u;
constexpr uint32_t Increment = 2531011u;
constexpr uint32_t UnseededState = 1u;

constinit uint32_t state = UnseededState;
constinit RandomSource replacement = nullptr;

}  // namespace

int32_t platformRandom() {
  if (replacement != nullptr) return replacement();
  state = state * Multiplier + Increment;
  return static_cast<int32_t>((state >> 16) & 0x7fffu);
}

void platformSeedRandom(uint32_t seed) { state = seed; }

uint32_t platformRandomState() { return state; }

RandomSource setRandomSource(RandomSource source) {
  RandomSource previous = replacement;
  replacement = source;
  return previous;
}
