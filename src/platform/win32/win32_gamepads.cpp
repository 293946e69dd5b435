// Reading XInput pads and driving their motors.
#include "platform/win32/win32_gamepads.hpp"

#include <algorithm>

#include "platform/win32/win32_input.hpp"

namespace {

constexpr uint64_t ConnectedPollMs = 16;   // a press is seen within a frame
constexpr uint64_t SearchPollMs = 2000;    // a pad plugged in is found within two seconds
constexpr WORD MotorStrength = 40000;

}  // namespace

Win32Gamepads::Win32Gamepads() {
  // XInput stays loaded until the process ends. Wine's (8.0) stops a thread of
  // its own when unloaded, and that thread can still be running the library's
  // code as it is unmapped: unloading it as the game closed crashed the game
  // (an access violation, exit status 5 under Wine) on a busy machine.
  HMODULE library = nullptr;
  for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
    library = ::LoadLibraryW(name);
    if (library) break;
  }
  if (!library) return;
  getState_ = reinterpret_cast<GetState>(reinterpret_cast<void*>(::GetProcAddress(library, "XInputGetState")));
  setState_ = reinterpret_cast<SetState>(reinterpret_cast<void*>(::GetProcAddress(library, "XInputSetState")));
}

Win32Gamepads::~Win32Gamepads() {
  if (motorsOn_) setMotors(false);
}

void Win32Gamepads::poll(uint64_t nowMs) {
  while (!rumbleSteps_.empty() && rumbleSteps_.front() <= nowMs) {
    rumbleSteps_.pop_front();
    setMotors(!motorsOn_);
  }
  if (!getState_ || nowMs < nextPollMs_) return;
  bool any = false;
  for (DWORD pad = 0; pad < Pads; ++pad) {
    State state{};
    connected_[pad] = getState_(pad, &state) == ERROR_SUCCESS;
    if (!connected_[pad]) {
      buttons_[pad] = 0;
      continue;
    }
    any = true;
    const auto now = static_cast<uint16_t>(state.buttons | stickAsDpad(state.leftX, state.leftY));
    for (MzPadButton button : padPresses(buttons_[pad], now)) presses_.push_back(button);
    buttons_[pad] = now;
  }
  nextPollMs_ = nowMs + (any ? ConnectedPollMs : SearchPollMs);
}

std::optional<MzPadButton> Win32Gamepads::nextPress() {
  if (presses_.empty()) return std::nullopt;
  const MzPadButton button = presses_.front();
  presses_.pop_front();
  return button;
}

std::optional<uint64_t> Win32Gamepads::nextWakeMs() const {
  if (!getState_) return std::nullopt;
  return rumbleSteps_.empty() ? nextPollMs_ : std::min(nextPollMs_, rumbleSteps_.front());
}

void Win32Gamepads::rumble(std::span<const uint32_t> pattern, uint64_t nowMs) {
  if (!setState_ || std::none_of(connected_.begin(), connected_.end(), [](bool c) { return c; })) return;
  rumbleSteps_.clear();
  if (motorsOn_) setMotors(false);
  uint64_t at = nowMs;
  for (const uint32_t step : pattern) {
    rumbleSteps_.push_back(at);
    at += step;
  }
  // A pattern ends on: it is switched off at its end.
  if (pattern.size() % 2 == 1) rumbleSteps_.push_back(at);
  poll(nowMs);
}

void Win32Gamepads::setMotors(bool on) {
  motorsOn_ = on;
  if (!setState_) return;
  Vibration vibration{on ? MotorStrength : WORD{0}, on ? MotorStrength : WORD{0}};
  for (DWORD pad = 0; pad < Pads; ++pad) {
    if (connected_[pad]) setState_(pad, &vibration);
  }
}
