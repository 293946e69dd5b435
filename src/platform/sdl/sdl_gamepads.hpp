// Gamepads through SDL's game-controller layer: pads connected before or
// while the game runs are opened, those unplugged closed; their d-pad, left
// stick and buttons become pad events, and those with motors rumble.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <optional>
#include <span>

#include "platform/mz_types.hpp"

// The left stick as four buttons: pushed past the dead zone it steps once,
// and steps again only after it has come back near the middle.
class PadStick {
 public:
  // Past this the stick counts as pushed; below the lower value, released.
  static constexpr int32_t PushedAt = 20000;
  static constexpr int32_t ReleasedBelow = 12000;

  // The axis moved (SDL's -32768..32767, negative left/up): the direction
  // stepped, if this movement is a new push.
  std::optional<MzPadButton> moved(SDL_GameControllerAxis axis, int32_t value);

 private:
  int8_t x_ = 0;  // -1, 0, 1: the direction held on each axis
  int8_t y_ = 0;
};

class SdlGamepads {
 public:
  // Starts SDL's controller layer; with it, pads already connected arrive as
  // connections. A failure leaves the game without pads, nothing worse.
  SdlGamepads();
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Handles connection events itself; turns presses into a pad button.
  // Nothing for every other event.
  std::optional<MzPadButton> translate(const SDL_Event& event);
  size_t connected() const { return pads_.size(); }

  // Rumbles every pad that has motors to `pattern` (milliseconds on, off, on
  // ...; a static table) from `nowMs`, replacing a pattern still running.
  void rumble(std::span<const uint32_t> pattern, uint64_t nowMs);
  // When the next pulse of the pattern is due, while one is.
  std::optional<uint64_t> nextPulseMs() const;
  // Starts the pulses due by `nowMs`.
  void startDuePulses(uint64_t nowMs);

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    PadStick stick;
  };
  bool started_ = false;
  std::map<SDL_JoystickID, Pad> pads_;
  std::span<const uint32_t> pattern_;
  size_t step_ = 0;  // the pattern's next step, due at stepAtMs_
  uint64_t stepAtMs_ = 0;
};

// The pad button of an SDL controller button (standard layout: A at the
// bottom); nothing for the buttons the game does not use.
std::optional<MzPadButton> padButtonOf(uint8_t sdlButton);
