// The pure part of the Windows host's input: virtual keys, XInput buttons and the
// pointer as the finger, in numbers Windows defines once for ever (so this file
// needs no Windows header and its tables are tested on every system).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/host.hpp"
#include "platform/letterbox.hpp"
#include "platform/mz_types.hpp"

// The platform key for a Windows virtual-key code; MzKey::Unknown for keys the
// game has no use for.
MzKey keyForVirtualKey(uint32_t virtualKey);
// F11 and Alt+Return switch full screen: the window's keys, not the game's.
bool togglesFullscreen(uint32_t virtualKey, uint32_t modifiers);

// XInput's button bits (XINPUT_GAMEPAD_*) and its stick's dead zone.
namespace xinput {
inline constexpr uint16_t DpadUp = 0x0001, DpadDown = 0x0002, DpadLeft = 0x0004, DpadRight = 0x0008;
inline constexpr uint16_t Start = 0x0010, A = 0x1000, B = 0x2000, X = 0x4000, Y = 0x8000;
inline constexpr int16_t LeftStickDeadZone = 7849;
}  // namespace xinput

// The d-pad bits the left stick stands for: past the dead zone along its
// stronger axis (XInput's y grows upwards).
uint16_t stickAsDpad(int16_t x, int16_t y);
// The pad buttons newly pressed between two readings of a pad's buttons (the
// stick already folded into the d-pad bits), in a fixed order.
std::vector<MzPadButton> padPresses(uint16_t before, uint16_t now);

// The left button or a touch as the finger: a press on a bar touches nothing,
// moves count only while held and, like releases, stay at the frame's edge.
class FingerTracker {
 public:
  std::optional<HostEvent> press(const Letterbox& box, int32_t x, int32_t y);
  std::optional<HostEvent> move(const Letterbox& box, int32_t x, int32_t y) const;
  std::optional<HostEvent> release(const Letterbox& box, int32_t x, int32_t y);
  bool held() const { return held_; }

 private:
  bool held_ = false;
};
