// Translation of SDL keyboard events into the platform's keys.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/mz_types.hpp"

// The platform key for an SDL key code; MzKey::Unknown for keys the game
// has no use for.
MzKey translateKey(SDL_Keycode key);
// MzKeyModAlt / MzKeyModCtrl / MzKeyModShift flags for SDL modifier state.
uint32_t translateModifiers(uint16_t sdlModifiers);
