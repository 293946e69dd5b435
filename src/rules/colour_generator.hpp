// The colour generator of one attempt's play: a linear congruential generator
// with the phone C library's constants, so every host draws the same sequence.
// A plain value: copying it copies where the sequence stands.
#pragma once

#include <cstdint>

class ColourGenerator {
 public:
  // A generator never seeded starts from seed 1, as the C library's does.
  static constexpr uint32_t UnseededState = 1u;

  // Starts the sequence again from `seed` (the C library's srand).
  void seed(uint32_t seed) { state_ = seed; }
  uint32_t state() const { return state_; }

  // The next value, 0..32767: x <- x * 214013 + 2531011 (mod 2^32), bits 16..30.
  int32_t next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int32_t>((state_ >> 16) & 0x7fffu);
  }
  // A shot colour 0..5: the next value modulo 6.
  int32_t colour() { return next() % 6; }

  bool operator==(const ColourGenerator&) const = default;

 private:
  uint32_t state_ = UnseededState;
};
