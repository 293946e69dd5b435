// Drawing into the frame: fills, scaled alpha-blended pictures, text. A picture
// drawn at its own size goes by its runs: opaque ones copied, transparent ones
// skipped, only the rest blended.
#include "platform/canvas.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/asset_trace.hpp"
#include "platform/blend.hpp"
#include "platform/font.hpp"
#include "platform/image.hpp"
#include "platform/language/language.hpp"

MzRect intersection(const MzRect& a, const MzRect& b) {
  MzRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
  return isEmpty(r) ? MzRect{} : r;
}

int32_t subtractRect(const MzRect& from, const MzRect& hole, MzRect out[4]) {
  if (isEmpty(from)) return 0;
  const MzRect overlap = intersection(from, hole);
  if (isEmpty(overlap)) {
    out[0] = from;
    return 1;
  }
  int32_t count = 0;
  const auto keep = [&](const MzRect& piece) {
    if (!isEmpty(piece)) out[count++] = piece;
  };
  keep(MzRect{from.left, from.top, from.right, overlap.top});
  keep(MzRect{from.left, overlap.bottom, from.right, from.bottom});
  keep(MzRect{from.left, overlap.top, overlap.left, overlap.bottom});
  keep(MzRect{overlap.right, overlap.top, from.right, overlap.bottom});
  return count;
}

MzRect boundingUnion(const MzRect& a, const MzRect& b) {
  if (isEmpty(a)) return b;
  if (isEmpty(b)) return a;
  return MzRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

Canvas::Canvas() : pixels_(static_cast<size_t>(Width) * Height, packRgba(0, 0, 0, 255)), clip_(canvasRect()) {}

void Canvas::setClip(const MzRect& clip) { clip_ = intersection(clip, canvasRect()); }

void Canvas::fill(const MzRect& rect, uint32_t rgba) {
  const MzRect area = intersection(rect, clip_);
  if (isEmpty(area) || rgba == 0) return;  // fully transparent: nothing changes
  const int32_t width = area.right - area.left;
  const bool opaque = alphaOf(rgba) == 255;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixels_.data() + static_cast<size_t>(y) * Width + area.left;
    if (opaque) {
      std::fill_n(row, width, rgba);
    } else {
      blendColourSpan(row, rgba, width);
    }
  }
}

namespace {

// Row `sourceRow` of `image` over the canvas row `target`, whose column
// `origin` holds the picture's column 0, within columns [left, right).
void drawRow(const Image& image, int32_t sourceRow, uint32_t* target, int32_t origin, int32_t left, int32_t right) {
  const uint32_t* source = image.pixels.data() + static_cast<size_t>(sourceRow) * static_cast<size_t>(image.width);
  if (image.opaque) {
    std::memcpy(target + left, source + (left - origin), static_cast<size_t>(right - left) * sizeof(uint32_t));
    return;
  }
  if (!image.hasRuns()) {  // never classified: blending is right for every pixel
    blendSpan(target + left, source + (left - origin), right - left);
    return;
  }
  const PixelRun* run = image.runs.data() + image.rowRuns[static_cast<size_t>(sourceRow)];
  const PixelRun* last = image.runs.data() + image.rowRuns[static_cast<size_t>(sourceRow) + 1];
  for (; run != last; ++run) {
    const int32_t begin = std::max(run->begin + origin, left);
    const int32_t end = std::min(run->end + origin, right);
    if (begin >= end) {
      if (run->begin + origin >= right) break;  // the rest of the row lies beyond the clip
      continue;
    }
    if (run->blended) {
      blendSpan(target + begin, source + (begin - origin), end - begin);
    } else {
      std::memcpy(target + begin, source + (begin - origin), static_cast<size_t>(end - begin) * sizeof(uint32_t));
    }
  }
}

}  // namespace

void Canvas::drawImage(const Image& image, const MzRect& rect) {
  if (image.width <= 0 || image.height <= 0 || isEmpty(rect)) return;
  if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) return;
  const MzRect area = intersection(rect, clip_);
  if (isEmpty(area)) return;
  const int32_t rectWidth = rect.right - rect.left;
  const int32_t rectHeight = rect.bottom - rect.top;
  const size_t imageWidth = static_cast<size_t>(image.width);

  if (rectWidth == image.width && rectHeight == image.height) {  // drawn at its own size
    for (int32_t y = area.top; y < area.bottom; ++y) {
      drawRow(image, y - rect.top, pixels_.data() + static_cast<size_t>(y) * Width, rect.left, area.left, area.right);
    }
    return;
  }

  // Scaled: the nearest source pixel in 16.16 fixed point, sampled at pixel centres.
  const int64_t stepX = (static_cast<int64_t>(image.width) << 16) / rectWidth;
  const int64_t stepY = (static_cast<int64_t>(image.height) << 16) / rectHeight;
  const int64_t startX = (area.left - rect.left) * stepX + stepX / 2;
  int64_t sourceY = (area.top - rect.top) * stepY + stepY / 2;
  for (int32_t y = area.top; y < area.bottom; ++y, sourceY += stepY) {
    const uint32_t* sourceRow = image.pixels.data() + static_cast<size_t>(sourceY >> 16) * imageWidth;
    uint32_t* row = pixels_.data() + static_cast<size_t>(y) * Width;
    int64_t sourceX = startX;
    for (int32_t x = area.left; x < area.right; ++x, sourceX += stepX) {
      const uint32_t source = sourceRow[sourceX >> 16];
      const uint32_t alpha = alphaOf(source);
      if (alpha == 255) {
        row[x] = source;
      } else if (alpha != 0) {
        row[x] = blendOver(row[x], source);
      }
    }
  }
}

void Canvas::drawText(const char16_t* text, const MzRect& rect, int32_t pixelHeight, MzColour colour) {
  if (!text || !*text) return;
  Font& font = uiFont();
  // Every text reaches the screen here, so here it takes the active language.
  const std::u16string_view asked(text);
  const std::u16string_view line = translatedText(asked);
  traceText(asked, line);
  // A text wider than its rectangle (a translation is often longer than the
  // original) is drawn smaller until it fits, down to a legible least size.
  constexpr int32_t LeastHeight = 10;
  const int32_t room = rect.right - rect.left;
  int32_t width = font.measure(line, pixelHeight);
  if (width > room && room > 0 && pixelHeight > LeastHeight) {
    pixelHeight = std::max(LeastHeight, pixelHeight * room / width);
    width = font.measure(line, pixelHeight);
    while (width > room && pixelHeight > LeastHeight) width = font.measure(line, --pixelHeight);
  }
  const int32_t x = rect.left + (rect.right - rect.left - width) / 2;
  const int32_t top = rect.top + (rect.bottom - rect.top - font.lineHeight(pixelHeight)) / 2;
  const MzRect saved = clip_;
  setClip(intersection(saved, rect));
  font.draw(*this, line, x, top + font.ascent(pixelHeight), pixelHeight, colour);
  clip_ = saved;
}
