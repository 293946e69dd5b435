// The SDL window host on SDL's dummy video and audio drivers: a real host
// with no display and no sound card, for the tests of the host itself.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/sdl/sdl_window_host.hpp"

// Null, with `error` saying why, when SDL cannot open even the dummy drivers.
inline std::unique_ptr<SdlWindowHost> openDummySdlHost(std::string& error) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return SdlWindowHost::open(WindowOptions{}, error);
}
