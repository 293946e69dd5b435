// Letterbox geometry for the scaled frame.
#include "platform/letterbox.hpp"

#include <algorithm>
#include <cmath>

#include "platform/canvas.hpp"

Letterbox::Letterbox(int32_t windowWidth, int32_t windowHeight, int32_t outputWidth,
                     int32_t outputHeight) {
  outputWidth = std::max(outputWidth, 1);
  outputHeight = std::max(outputHeight, 1);
  // Width-limited when the output is narrower than 2:3, else height-limited.
  if (int64_t{outputWidth} * Canvas::Height <= int64_t{outputHeight} * Canvas::Width) {
    width_ = outputWidth;
    height_ = static_cast<int32_t>(int64_t{outputWidth} * Canvas::Height / Canvas::Width);
  } else {
    height_ = outputHeight;
    width_ = static_cast<int32_t>(int64_t{outputHeight} * Canvas::Width / Canvas::Height);
  }
  width_ = std::max(width_, 1);
  height_ = std::max(height_, 1);
  x_ = (outputWidth - width_) / 2;
  y_ = (outputHeight - height_) / 2;
  pixelsPerWindowUnitX_ = static_cast<double>(outputWidth) / std::max(windowWidth, 1);
  pixelsPerWindowUnitY_ = static_cast<double>(outputHeight) / std::max(windowHeight, 1);
}

bool Letterbox::integerScale() const {
  return width_ % Canvas::Width == 0 &&
         int64_t{height_} * Canvas::Width == int64_t{width_} * Canvas::Height;
}

GamePoint Letterbox::project(int32_t windowX, int32_t windowY) const {
  // The centre of the window unit, so a click lands on the pixel it covers.
  const double outputX = (windowX + 0.5) * pixelsPerWindowUnitX_;
  const double outputY = (windowY + 0.5) * pixelsPerWindowUnitY_;
  const double gameX = (outputX - x_) * Canvas::Width / width_;
  const double gameY = (outputY - y_) * Canvas::Height / height_;
  return {static_cast<int32_t>(std::floor(gameX)), static_cast<int32_t>(std::floor(gameY))};
}

std::optional<GamePoint> Letterbox::toGame(int32_t windowX, int32_t windowY) const {
  const GamePoint point = project(windowX, windowY);
  if (point.x < 0 || point.y < 0 || point.x >= Canvas::Width || point.y >= Canvas::Height) {
    return std::nullopt;
  }
  return point;
}

GamePoint Letterbox::toGameClamped(int32_t windowX, int32_t windowY) const {
  const GamePoint point = project(windowX, windowY);
  return {std::clamp(point.x, 0, Canvas::Width - 1), std::clamp(point.y, 0, Canvas::Height - 1)};
}
