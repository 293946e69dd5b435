// The browser's key names (KeyboardEvent.key) as the game's keys.
#pragma once

#include <string_view>

#include "platform/host.hpp"

// A key press as KeyboardEvent reports it.
struct DomKeyPress {
  std::string_view key;  // KeyboardEvent.key: "ArrowLeft", " ", "Enter", "r", ...
  bool alt = false;
  bool ctrl = false;
  bool meta = false;
  bool shift = false;
};

// The key for a KeyboardEvent.key value; MzKey::Unknown for keys the game
// does not take. F11 stays the browser's own full-screen key.
MzKey keyFromDomKey(std::string_view key);

// The game's key event for a press; false when the press belongs to the
// browser: keys the game does not take, and any key held with Ctrl, Alt or
// Meta (reload, tab switching, menus).
bool translateDomKey(const DomKeyPress& press, HostEvent& event);
