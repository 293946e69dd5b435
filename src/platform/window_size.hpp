// The window's starting size for the --scale choice and the screen it opens on.
#pragma once

#include <cstdint>

struct WindowSize {
  int32_t width = 0;
  int32_t height = 0;
};

// `scale` > 0: that multiple of 480 x 720. `scale` 0: the largest whole
// multiple that fits the usable screen area (`usableWidth` x `usableHeight`,
// a title bar allowed for), or, on a screen too small even for 480 x 720,
// the largest 2:3 size that fits. Unknown screen sizes (0) give 480 x 720.
WindowSize startingWindowSize(int32_t scale, int32_t usableWidth, int32_t usableHeight);
