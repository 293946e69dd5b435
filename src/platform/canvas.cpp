// Drawing into the frame: fills, scaled alpha-blended pictures, text.
#include "platform/canvas.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/asset_trace.hpp"
#include "platform/font.hpp"
#include "platform/image.hpp"
#include "platform/language/language.hpp"

MzRect intersection(const MzRect& a, const MzRect& b) {
  MzRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
  return isEmpty(r) ? MzRect{} : r;
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
  const bool opaque = alphaOf(rgba) == 255;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixels_.data() + static_cast<size_t>(y) * Width;
    for (int32_t x = area.left; x < area.right; ++x) row[x] = opaque ? rgba : blendOver(row[x], rgba);
  }
}

namespace {

// One row of source pixels over one row of the canvas.
void blendRow(uint32_t* target, const uint32_t* source, int32_t count, bool opaque) {
  if (opaque) {
    std::memcpy(target, source, static_cast<size_t>(count) * sizeof(uint32_t));
    return;
  }
  for (int32_t x = 0; x < count; ++x) {
    const uint32_t pixel = source[x];
    const uint32_t alpha = alphaOf(pixel);
    if (alpha == 255) {
      target[x] = pixel;
    } else if (alpha != 0) {
      target[x] = blendOver(target[x], pixel);
    }
  }
}

}  // namespace

void Canvas::drawImage(const Image& image, const MzRect& rect) {
  if (image.width <= 0 || image.height <= 0 || isEmpty(rect)) return;
  const MzRect area = intersection(rect, clip_);
  if (isEmpty(area)) return;
  const int32_t rectWidth = rect.right - rect.left;
  const int32_t rectHeight = rect.bottom - rect.top;
  const size_t imageWidth = static_cast<size_t>(image.width);

  if (rectWidth == image.width && rectHeight == image.height) {  // drawn at its own size
    for (int32_t y = area.top; y < area.bottom; ++y) {
      const uint32_t* source = image.pixels.data() + static_cast<size_t>(y - rect.top) * imageWidth + (area.left - rect.left);
      blendRow(pixels_.data() + static_cast<size_t>(y) * Width + area.left, source, area.right - area.left, image.opaque);
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
