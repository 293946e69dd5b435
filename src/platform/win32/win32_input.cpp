// Virtual keys, XInput readings and pointer positions as the platform's input.
#include "platform/win32/win32_input.hpp"

#include <cstdlib>
#include <utility>

namespace {

// Windows' virtual-key codes (winuser.h).
constexpr uint32_t VkBack = 0x08, VkTab = 0x09, VkReturn = 0x0D, VkEscape = 0x1B, VkSpace = 0x20;
constexpr uint32_t VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28, VkF11 = 0x7A;

HostEvent pointerEvent(HostEvent::Kind kind, GamePoint point) {
  HostEvent event;
  event.kind = kind;
  event.x = point.x;
  event.y = point.y;
  return event;
}

}  // namespace

MzKey keyForVirtualKey(uint32_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    return static_cast<MzKey>(static_cast<uint32_t>(MzKey::A) + (virtualKey - 'A'));
  }
  switch (virtualKey) {
    case VkLeft: return MzKey::Left;
    case VkRight: return MzKey::Right;
    case VkUp: return MzKey::Up;
    case VkDown: return MzKey::Down;
    case VkSpace: return MzKey::Space;
    case VkReturn: return MzKey::Return;
    case VkEscape: return MzKey::Escape;
    case VkBack: return MzKey::Backspace;
    case VkTab: return MzKey::Tab;
    case VkF11: return MzKey::F11;
    default: return MzKey::Unknown;
  }
}

bool togglesFullscreen(uint32_t virtualKey, uint32_t modifiers) {
  return virtualKey == VkF11 || (virtualKey == VkReturn && (modifiers & MzKeyModAlt) != 0);
}

uint16_t stickAsDpad(int16_t x, int16_t y) {
  const int across = std::abs(static_cast<int>(x));
  const int upright = std::abs(static_cast<int>(y));
  if (across <= xinput::LeftStickDeadZone && upright <= xinput::LeftStickDeadZone) return 0;
  if (across > upright) return x < 0 ? xinput::DpadLeft : xinput::DpadRight;
  return y < 0 ? xinput::DpadDown : xinput::DpadUp;
}

std::vector<MzPadButton> padPresses(uint16_t before, uint16_t now) {
  static constexpr std::pair<uint16_t, MzPadButton> Buttons[] = {
      {xinput::DpadUp, MzPadButton::Up}, {xinput::DpadDown, MzPadButton::Down},
      {xinput::DpadLeft, MzPadButton::Left}, {xinput::DpadRight, MzPadButton::Right},
      {xinput::A, MzPadButton::A},         {xinput::B, MzPadButton::B},
      {xinput::X, MzPadButton::X},         {xinput::Y, MzPadButton::Y},
      {xinput::Start, MzPadButton::Start},
  };
  std::vector<MzPadButton> pressed;
  const uint16_t newlyDown = static_cast<uint16_t>(now & ~before);
  for (const auto& [bit, button] : Buttons) {
    if (newlyDown & bit) pressed.push_back(button);
  }
  return pressed;
}

std::optional<HostEvent> FingerTracker::press(const Letterbox& box, int32_t x, int32_t y) {
  const auto point = box.toGame(x, y);
  if (!point) return std::nullopt;
  held_ = true;
  return pointerEvent(HostEvent::Kind::PointerDown, *point);
}

std::optional<HostEvent> FingerTracker::move(const Letterbox& box, int32_t x, int32_t y) const {
  if (!held_) return std::nullopt;
  return pointerEvent(HostEvent::Kind::PointerMove, box.toGameClamped(x, y));
}

std::optional<HostEvent> FingerTracker::release(const Letterbox& box, int32_t x, int32_t y) {
  if (!held_) return std::nullopt;
  held_ = false;
  return pointerEvent(HostEvent::Kind::PointerUp, box.toGameClamped(x, y));
}
