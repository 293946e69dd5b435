// Starting window size: whole multiples of the frame where the screen allows.
#include "platform/window_size.hpp"

#include <algorithm>

#include "platform/canvas.hpp"

namespace {
// Room left for the window manager's title bar and borders.
constexpr int32_t DecorationAllowance = 48;
// Smallest window offered when the screen is tiny.
constexpr int32_t MinimumHeight = 360;
}  // namespace

WindowSize startingWindowSize(int32_t scale, int32_t usableWidth, int32_t usableHeight) {
  if (scale > 0) {
    return {Canvas::Width * scale, Canvas::Height * scale};
  }
  if (usableWidth <= 0 || usableHeight <= 0) {
    return {Canvas::Width, Canvas::Height};
  }
  const int32_t roomHeight = usableHeight - DecorationAllowance;
  const int32_t fit = std::min(usableWidth / Canvas::Width, roomHeight / Canvas::Height);
  if (fit >= 1) {
    return {Canvas::Width * fit, Canvas::Height * fit};
  }
  int32_t height = std::max(std::min(roomHeight, usableWidth * Canvas::Height / Canvas::Width),
                            MinimumHeight);
  return {height * Canvas::Width / Canvas::Height, height};
}
