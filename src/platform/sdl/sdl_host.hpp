// The SDL2 window host: a real window, the mouse as the finger, the keyboard,
// and WAV playback through SDL audio.
#pragma once

#include <memory>
#include <string>

#include "platform/host.hpp"
#include "platform/window_options.hpp"

// Opens the 480 x 720 window titled "Quandrel". Returns null and a one-line
// `error` when no display can be used. No audio device means silence.
std::unique_ptr<Host> createSdlHost(const WindowOptions& options, std::string& error);
