// The 480 x 720 frame the window's controls are drawn into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/mz_types.hpp"

struct Image;

class Canvas {
 public:
  static constexpr int32_t Width = 480;
  static constexpr int32_t Height = 720;

  Canvas();

  // Pixels R, G, B, A (A is 255 everywhere once a frame is composed).
  const uint32_t* pixels() const { return pixels_.data(); }
  uint32_t* pixels() { return pixels_.data(); }
  uint32_t pixel(int32_t x, int32_t y) const { return pixels_[static_cast<size_t>(y) * Width + x]; }

  // Drawing is clipped to the clip rectangle (and the canvas).
  void setClip(const MzRect& clip);
  const MzRect& clip() const { return clip_; }
  // Fills with a premultiplied RGBA pixel, blended when it is translucent.
  void fill(const MzRect& rect, uint32_t rgba);
  // Draws `image` scaled to the rectangle, alpha-blended over the canvas.
  void drawImage(const Image& image, const MzRect& rect);
  // Draws UTF-16 text of `pixelHeight` centred in `rect`.
  void drawText(const char16_t* text, const MzRect& rect, int32_t pixelHeight, MzColour colour);

 private:
  std::vector<uint32_t> pixels_;
  MzRect clip_;
};

// Rectangle helpers (right and bottom exclusive).
constexpr MzRect rectOf(int32_t x, int32_t y, int32_t width, int32_t height) {
  return MzRect{x, y, x + width, y + height};
}
constexpr bool isEmpty(const MzRect& r) { return r.right <= r.left || r.bottom <= r.top; }
MzRect intersection(const MzRect& a, const MzRect& b);
// Whether `outer` holds all of `inner`.
constexpr bool covers(const MzRect& outer, const MzRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right && outer.bottom >= inner.bottom;
}
// `from` less `hole`: up to four rectangles (bands above and below the hole,
// then the pieces left and right of it) written to `out`; returns how many.
int32_t subtractRect(const MzRect& from, const MzRect& hole, MzRect out[4]);
// The smallest rectangle holding both (an empty one adds nothing).
MzRect boundingUnion(const MzRect& a, const MzRect& b);
constexpr MzRect canvasRect() { return MzRect{0, 0, Canvas::Width, Canvas::Height}; }
