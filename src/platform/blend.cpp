// Vectorisable blending loops: each pixel's work is branch-free integer
// arithmetic, so the compiler turns every loop into vector code (see the
// build flags this file gets in src/platform/CMakeLists.txt).
#include "platform/blend.hpp"

// On x86-64 each loop is also compiled for AVX2 (eight pixels a step, and a
// native 32-bit multiply), picked at load time when the processor has it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VECTOR_CLONES
#endif

namespace {

// t * keep / 255 rounded, for the two 8-bit channels held in bits 0-7 and 16-23.
inline uint32_t scalePair(uint32_t pair, uint32_t keep) {
  const uint32_t product = pair * keep + 0x00800080u;
  return ((product + ((product >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// All four channels of `target` times keep / 255.
inline uint32_t scaleAll(uint32_t target, uint32_t keep) {
  return scalePair(target & 0x00FF00FFu, keep) | scalePair((target >> 8) & 0x00FF00FFu, keep) << 8;
}

inline uint32_t over(uint32_t target, uint32_t source) { return source + scaleAll(target, 255 - (source >> 24)); }

// c * a / 255 truncated (the colour of text at coverage a), for c, a <= 255.
inline uint32_t scaleDown(uint32_t c, uint32_t a) {
  const uint32_t product = c * a;
  return (product + 1 + (product >> 8)) >> 8;
}

}  // namespace

VECTOR_CLONES void blendSpan(uint32_t* __restrict target, const uint32_t* __restrict source, int32_t count) {
  for (int32_t x = 0; x < count; ++x) target[x] = over(target[x], source[x]);
}

VECTOR_CLONES void blendColourSpan(uint32_t* target, uint32_t colour, int32_t count) {
  const uint32_t keep = 255 - (colour >> 24);  // the same for every pixel
  for (int32_t x = 0; x < count; ++x) target[x] = colour + scaleAll(target[x], keep);
}

VECTOR_CLONES void blendCoverageSpan(uint32_t* __restrict target, const uint8_t* __restrict coverage, uint32_t colour,
                                     int32_t count) {
  const uint32_t red = (colour >> 16) & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = colour & 0xFF;
  for (int32_t x = 0; x < count; ++x) {
    const uint32_t a = coverage[x];
    const uint32_t source = scaleDown(red, a) | scaleDown(green, a) << 8 | scaleDown(blue, a) << 16 | a << 24;
    target[x] = over(target[x], source);
  }
}
