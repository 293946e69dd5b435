// Every random draw of the program passes through here, so one replacement makes play repeatable.
#include "platform/system/random.hpp"

#include <cstdlib>

namespace {
RandomSource replacement = nullptr;
}

int32_t platformRandom() { return replacement != nullptr ? replacement() : std::rand(); }

RandomSource setRandomSource(RandomSource source) {
  RandomSource previous = replacement;
  replacement = source;
  return previous;
}
