// A decoded picture in memory and the decoders that make one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// 32-bit pixels, premultiplied alpha, in the canvas's byte order R, G, B, A.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// Decodes PNG or JPEG bytes; false (and `out` untouched) when they are not a
// picture.
bool decodeImage(std::span<const uint8_t> bytes, Image& out);
