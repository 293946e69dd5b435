// SDL key codes and modifier bits to MzKey values and flags.
#include "platform/sdl/sdl_keys.hpp"

MzKey translateKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    return static_cast<MzKey>(static_cast<uint32_t>(MzKey::A) + static_cast<uint32_t>(key - SDLK_a));
  }
  switch (key) {
    case SDLK_LEFT: return MzKey::Left;
    case SDLK_RIGHT: return MzKey::Right;
    case SDLK_UP: return MzKey::Up;
    case SDLK_DOWN: return MzKey::Down;
    case SDLK_SPACE: return MzKey::Space;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return MzKey::Return;
    case SDLK_ESCAPE: return MzKey::Escape;
    case SDLK_BACKSPACE: return MzKey::Backspace;
    case SDLK_TAB: return MzKey::Tab;
    case SDLK_F11: return MzKey::F11;
    default: return MzKey::Unknown;
  }
}

uint32_t translateModifiers(uint16_t sdlModifiers) {
  uint32_t modifiers = 0;
  if (sdlModifiers & KMOD_ALT) modifiers |= MzKeyModAlt;
  if (sdlModifiers & KMOD_CTRL) modifiers |= MzKeyModCtrl;
  if (sdlModifiers & KMOD_SHIFT) modifiers |= MzKeyModShift;
  return modifiers;
}
