// Vectorisable blending loops. Work goes in blocks of a fixed number of pixels
// with a scalar tail: a fixed trip count is what lets the compiler vectorise at
// -O2 as well as at -O3 (its cheapest cost model refuses loops that need a
// remainder of unknown length).
#include "platform/blend.hpp"

// On x86-64 each loop is also compiled for AVX2 (eight pixels a step, and a
// native 32-bit multiply), picked at load time when the processor has it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VECTOR_CLONES
#endif

namespace {

constexpr int32_t Block = 8;

// t * keep / 255 rounded, for the two 8-bit channels held in bits 0-7 and 16-23.
inline uint32_t scalePair(uint32_t pair, uint32_t keep) {
  const uint32_t product = pair * keep + 0x00800080u;
  return ((product + ((product >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

inline uint32_t over(uint32_t target, uint32_t source) {
  const uint32_t keep = 255 - (source >> 24);
  const uint32_t rb = scalePair(target & 0x00FF00FFu, keep);
  const uint32_t ga = scalePair((target >> 8) & 0x00FF00FFu, keep) << 8;
  return source + (rb | ga);
}

// c * a / 255 truncated (the colour of text at coverage a), for c, a <= 255.
inline uint32_t scaleDown(uint32_t c, uint32_t a) {
  const uint32_t product = c * a;
  return (product + 1 + (product >> 8)) >> 8;
}

inline uint32_t coverageOver(uint32_t target, uint32_t red, uint32_t green, uint32_t blue, uint32_t a) {
  const uint32_t source = scaleDown(red, a) | scaleDown(green, a) << 8 | scaleDown(blue, a) << 16 | a << 24;
  return over(target, source);
}

}  // namespace

VECTOR_CLONES void blendSpan(uint32_t* __restrict target, const uint32_t* __restrict source, int32_t count) {
  int32_t x = 0;
  for (; x + Block <= count; x += Block) {
    for (int32_t i = 0; i < Block; ++i) target[x + i] = over(target[x + i], source[x + i]);
  }
  for (; x < count; ++x) target[x] = over(target[x], source[x]);
}

VECTOR_CLONES void blendColourSpan(uint32_t* target, uint32_t colour, int32_t count) {
  // The colour's share of every pixel is the same: scale only the target.
  const uint32_t keep = 255 - (colour >> 24);
  int32_t x = 0;
  for (; x + Block <= count; x += Block) {
    for (int32_t i = 0; i < Block; ++i) {
      const uint32_t t = target[x + i];
      target[x + i] = colour + (scalePair(t & 0x00FF00FFu, keep) | scalePair((t >> 8) & 0x00FF00FFu, keep) << 8);
    }
  }
  for (; x < count; ++x) {
    const uint32_t t = target[x];
    target[x] = colour + (scalePair(t & 0x00FF00FFu, keep) | scalePair((t >> 8) & 0x00FF00FFu, keep) << 8);
  }
}

VECTOR_CLONES void blendCoverageSpan(uint32_t* __restrict target, const uint8_t* __restrict coverage, uint32_t colour,
                       int32_t count) {
  const uint32_t red = (colour >> 16) & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = colour & 0xFF;
  int32_t x = 0;
  for (; x + Block <= count; x += Block) {
    uint32_t level[Block];  // widened first: bytes and pixels then share one vector shape
    for (int32_t i = 0; i < Block; ++i) level[i] = coverage[x + i];
    uint32_t* out = target + x;
    for (int32_t i = 0; i < Block; ++i) out[i] = coverageOver(out[i], red, green, blue, level[i]);
  }
  for (; x < count; ++x) target[x] = coverageOver(target[x], red, green, blue, coverage[x]);
}
