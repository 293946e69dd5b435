// Gamepads through XInput (loaded when present): button presses as pad events,
// and the vibration pulses as rumble. XInput has no events, so the host reads
// the pads at a pace: often while one is connected, seldom while none is.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include "platform/mz_types.hpp"

class Win32Gamepads {
 public:
  Win32Gamepads();
  ~Win32Gamepads();
  Win32Gamepads(const Win32Gamepads&) = delete;
  Win32Gamepads& operator=(const Win32Gamepads&) = delete;

  // Reads the pads when their time has come; presses found wait in pending().
  void poll(uint64_t nowMs);
  std::optional<MzPadButton> nextPress();
  // When the pads want reading again, or a rumble step is due; nothing without XInput.
  std::optional<uint64_t> nextWakeMs() const;

  // Plays `pattern` (milliseconds on, off, on...) on every connected pad.
  void rumble(std::span<const uint32_t> pattern, uint64_t nowMs);

 private:
  struct State {  // XINPUT_GAMEPAD within XINPUT_STATE
    DWORD packet;
    WORD buttons;
    BYTE leftTrigger, rightTrigger;
    SHORT leftX, leftY, rightX, rightY;
  };
  struct Vibration {
    WORD left, right;
  };
  using GetState = DWORD(WINAPI*)(DWORD, State*);
  using SetState = DWORD(WINAPI*)(DWORD, Vibration*);
  static constexpr DWORD Pads = 4;

  void setMotors(bool on);

  GetState getState_ = nullptr;
  SetState setState_ = nullptr;
  std::array<bool, Pads> connected_{};
  std::array<uint16_t, Pads> buttons_{};
  std::deque<MzPadButton> presses_;
  uint64_t nextPollMs_ = 0;
  // The rumble pattern's switch moments still to come, and whether it starts on.
  std::deque<uint64_t> rumbleSteps_;
  bool motorsOn_ = false;
};
