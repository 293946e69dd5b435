// Command-line choices for the window host.
#pragma once

#include <cstdint>

struct WindowOptions {
  bool fullscreen = false;  // desktop full screen, letterboxed
  int32_t scale = 0;        // starting window size as a multiple of 480 x 720; 0 = fit the screen
  bool focusPause = true;   // stop the game's time while the window is not focused
};
