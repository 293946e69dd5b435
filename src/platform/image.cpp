// PNG and JPEG decoding with stb_image into premultiplied RGBA.
#include "platform/image.hpp"

#include <stb_image.h>

#include <climits>
#include <memory>

namespace {

struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

uint32_t premultiplied(const stbi_uc* rgba) {
  const uint32_t a = rgba[3];
  auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
  return packRgba(scale(rgba[0]), scale(rgba[1]), scale(rgba[2]), a);
}

}  // namespace

bool decodeImage(std::span<const uint8_t> bytes, Image& out) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return false;
  int width = 0;
  int height = 0;
  int channels = 0;
  std::unique_ptr<stbi_uc, StbFree> decoded(stbi_load_from_memory(
      bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
  if (!decoded || width <= 0 || height <= 0) return false;

  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<uint32_t> pixels(count);
  const stbi_uc* source = decoded.get();
  bool opaque = true;
  for (size_t i = 0; i < count; ++i) {
    pixels[i] = premultiplied(source + 4 * i);
    opaque = opaque && alphaOf(pixels[i]) == 255;
  }

  out.width = width;
  out.height = height;
  out.pixels = std::move(pixels);
  out.opaque = opaque;
  return true;
}
