// PNG and JPEG decoding with stb_image into premultiplied RGBA, and the
// sorting of each row into runs the compositor copies, blends or skips.
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

enum class Kind : uint8_t { Clear, Solid, Mixed };

Kind kindOf(uint32_t pixel) {
  const uint32_t alpha = alphaOf(pixel);
  return alpha == 0 ? Kind::Clear : alpha == 255 ? Kind::Solid : Kind::Mixed;
}

// Copied or skipped stretches shorter than this between blended ones are
// blended instead: a blend is exact for opaque and transparent pixels, and one
// long loop beats many short ones at an anti-aliased edge.
constexpr int32_t ShortestRun = 16;

// Appends the runs of one row to `image.runs`.
void classifyRow(Image& image, const uint32_t* row) {
  const int32_t width = image.width;
  const size_t first = image.runs.size();
  int32_t x = 0;
  while (x < width) {
    const Kind kind = kindOf(row[x]);
    int32_t end = x + 1;
    while (end < width && kindOf(row[end]) == kind) ++end;
    if (kind != Kind::Clear) {
      const bool blended = kind == Kind::Mixed;
      const bool joinsPrevious = image.runs.size() > first && image.runs.back().end == x &&
                                 image.runs.back().blended == blended;
      if (joinsPrevious) {
        image.runs.back().end = end;
      } else {
        image.runs.push_back(PixelRun{x, end, blended});
      }
    }
    x = end;
  }
  // Absorb short copied or skipped stretches that sit next to blended runs.
  size_t out = first;
  for (size_t i = first; i < image.runs.size(); ++i) {
    PixelRun run = image.runs[i];
    if (out > first) {
      PixelRun& previous = image.runs[out - 1];
      const bool shortGap = run.begin - previous.end < ShortestRun;
      const bool shortRun = run.end - run.begin < ShortestRun;
      const bool previousShort = previous.end - previous.begin < ShortestRun;
      const bool merge = shortGap && (previous.blended == run.blended
                                          ? run.begin == previous.end || previous.blended
                                          : (previous.blended && shortRun) || (run.blended && previousShort));
      if (merge) {  // a gap or a change of kind leaves one blended run
        previous.blended = previous.blended || run.blended || run.begin != previous.end;
        previous.end = run.end;
        continue;
      }
    }
    image.runs[out++] = run;
  }
  image.runs.resize(out);
}

}  // namespace

void classifyRuns(Image& image) {
  image.runs.clear();
  image.rowRuns.clear();
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    image.opaque = false;
    return;
  }
  const size_t width = static_cast<size_t>(image.width);
  image.rowRuns.reserve(static_cast<size_t>(image.height) + 1);
  bool opaque = true;
  for (int32_t y = 0; y < image.height; ++y) {
    image.rowRuns.push_back(static_cast<uint32_t>(image.runs.size()));
    classifyRow(image, image.pixels.data() + static_cast<size_t>(y) * width);
    if (opaque) {  // one copied run across the whole row
      const size_t begin = image.rowRuns.back();
      opaque = image.runs.size() == begin + 1 && !image.runs[begin].blended && image.runs[begin].begin == 0 &&
               image.runs[begin].end == image.width;
    }
  }
  image.rowRuns.push_back(static_cast<uint32_t>(image.runs.size()));
  image.opaque = opaque;
  image.runs.shrink_to_fit();
}

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
  for (size_t i = 0; i < count; ++i) pixels[i] = premultiplied(source + 4 * i);

  out.width = width;
  out.height = height;
  out.pixels = std::move(pixels);
  classifyRuns(out);
  return true;
}
