// Opening and closing controllers as they come and go, and their input as pad
// buttons.
#include "platform/sdl/sdl_gamepads.hpp"

std::optional<MzPadButton> PadStick::moved(SDL_GameControllerAxis axis, int32_t value) {
  int8_t* held = nullptr;
  MzPadButton negative{};
  MzPadButton positive{};
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
    held = &x_;
    negative = MzPadButton::Left;
    positive = MzPadButton::Right;
  } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
    held = &y_;
    negative = MzPadButton::Up;
    positive = MzPadButton::Down;
  } else {
    return std::nullopt;
  }
  const int8_t pushed = value >= PushedAt ? 1 : value <= -PushedAt ? -1 : 0;
  if (pushed != 0 && pushed != *held) {
    *held = pushed;
    return pushed > 0 ? positive : negative;
  }
  if (value < ReleasedBelow && value > -ReleasedBelow) *held = 0;
  return std::nullopt;
}

std::optional<MzPadButton> padButtonOf(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return MzPadButton::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return MzPadButton::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return MzPadButton::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return MzPadButton::Right;
    case SDL_CONTROLLER_BUTTON_A: return MzPadButton::A;
    case SDL_CONTROLLER_BUTTON_B: return MzPadButton::B;
    case SDL_CONTROLLER_BUTTON_X: return MzPadButton::X;
    case SDL_CONTROLLER_BUTTON_Y: return MzPadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK: return MzPadButton::Back;
    case SDL_CONTROLLER_BUTTON_START: return MzPadButton::Start;
    default: return std::nullopt;
  }
}

SdlGamepads::SdlGamepads() : started_(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {}

SdlGamepads::~SdlGamepads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::optional<MzPadButton> SdlGamepads::translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // `which` is a device index here; the pad is known by its instance id.
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (!controller) return std::nullopt;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      if (pads_.contains(id)) {
        SDL_GameControllerClose(controller);  // opened twice: SDL counts references
      } else {
        pads_[id].controller = controller;
      }
      return std::nullopt;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      const auto pad = pads_.find(event.cdevice.which);
      if (pad != pads_.end()) {
        SDL_GameControllerClose(pad->second.controller);
        pads_.erase(pad);
      }
      return std::nullopt;
    }
    case SDL_CONTROLLERBUTTONDOWN:
      if (!pads_.contains(event.cbutton.which)) return std::nullopt;
      return padButtonOf(event.cbutton.button);
    case SDL_CONTROLLERAXISMOTION: {
      const auto pad = pads_.find(event.caxis.which);
      if (pad == pads_.end()) return std::nullopt;
      return pad->second.stick.moved(static_cast<SDL_GameControllerAxis>(event.caxis.axis), event.caxis.value);
    }
    default: return std::nullopt;
  }
}

void SdlGamepads::rumble(std::span<const uint32_t> pattern, uint64_t nowMs) {
  pattern_ = pattern;
  step_ = 0;
  stepAtMs_ = nowMs;
  startDuePulses(nowMs);
}

std::optional<uint64_t> SdlGamepads::nextPulseMs() const {
  if (step_ >= pattern_.size()) return std::nullopt;
  return stepAtMs_;
}

// Even steps are pulses, odd ones the pauses between them; SDL ends each pulse
// after its length.
void SdlGamepads::startDuePulses(uint64_t nowMs) {
  constexpr uint16_t LowMotor = 0xA000;
  constexpr uint16_t HighMotor = 0xFFFF;
  while (step_ < pattern_.size() && stepAtMs_ <= nowMs) {
    if (step_ % 2 == 0) {
      for (auto& [id, pad] : pads_) {
        if (SDL_GameControllerHasRumble(pad.controller)) {
          SDL_GameControllerRumble(pad.controller, LowMotor, HighMotor, pattern_[step_]);
        }
      }
    }
    stepAtMs_ += pattern_[step_];
    ++step_;
  }
}
