// The Windows host: a real window of its own (no SDL), the mouse, touch and pen
// as the finger, the keyboard, XInput pads and wave-out sound.
#pragma once

#include <memory>
#include <string>

#include "platform/host.hpp"
#include "platform/window_options.hpp"

// Null and a one-line `error` when no window can be made.
std::unique_ptr<Host> createWin32Host(const WindowOptions& options, std::string& error);
