// A decoded picture in memory and the decoders that make one.
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

static_assert(std::endian::native == std::endian::little, "pixels are stored as R, G, B, A bytes");

// Part of one row that needs drawing: every pixel opaque (copied whole) or
// mixed (blended). Parts of a row not in any run are fully transparent.
struct PixelRun {
  int32_t begin = 0;  // first column
  int32_t end = 0;    // one past the last column
  bool blended = false;
};

// 32-bit pixels, premultiplied alpha, in the canvas's byte order R, G, B, A.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  bool opaque = false;  // every pixel has alpha 255 (set by classifyRuns)
  // The runs of row y are runs[rowRuns[y]] up to runs[rowRuns[y + 1]], left to
  // right (set by classifyRuns; without them the picture is drawn pixel by pixel).
  std::vector<PixelRun> runs;
  std::vector<uint32_t> rowRuns;

  bool hasRuns() const { return height > 0 && rowRuns.size() == static_cast<size_t>(height) + 1; }
};

// A pixel from its four bytes (colour already premultiplied by alpha).
constexpr uint32_t packRgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return r | (g << 8) | (b << 16) | (a << 24);
}
constexpr uint32_t alphaOf(uint32_t pixel) { return pixel >> 24; }

// `source` (premultiplied) over `target`, per channel s + t * (255 - a) / 255.
constexpr uint32_t blendOver(uint32_t target, uint32_t source) {
  const uint32_t keep = 255 - alphaOf(source);
  if (keep == 0) return source;
  // Two channels at a time: red and blue, then green and alpha.
  const uint32_t rb = (target & 0x00FF00FFu) * keep + 0x00800080u;
  const uint32_t ga = ((target >> 8) & 0x00FF00FFu) * keep + 0x00800080u;
  const uint32_t rbScaled = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  const uint32_t gaScaled = (ga + ((ga >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return source + (rbScaled | gaScaled);
}

// Sorts each row of `image` into opaque, blended and skipped runs and sets
// `opaque`; done once, when a picture is decoded or made. Call it again after
// changing the pixels.
void classifyRuns(Image& image);

// Decodes PNG or JPEG bytes (runs classified); false (and `out` untouched) when they are not a
// picture.
bool decodeImage(std::span<const uint8_t> bytes, Image& out);
