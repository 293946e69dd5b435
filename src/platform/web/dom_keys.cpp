// KeyboardEvent.key values to MzKey values and flags.
#include "platform/web/dom_keys.hpp"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, MzKey>, 9> NamedKeys{{
    {"ArrowLeft", MzKey::Left},
    {"ArrowRight", MzKey::Right},
    {"ArrowUp", MzKey::Up},
    {"ArrowDown", MzKey::Down},
    {" ", MzKey::Space},
    {"Enter", MzKey::Return},
    {"Escape", MzKey::Escape},
    {"Backspace", MzKey::Backspace},
    {"Tab", MzKey::Tab},
}};

}  // namespace

MzKey keyFromDomKey(std::string_view key) {
  // A letter arrives as the character it types: either case, any layout.
  if (key.size() == 1) {
    const char c = key.front();
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper >= 'A' && upper <= 'Z') {
      return static_cast<MzKey>(static_cast<uint32_t>(MzKey::A) + static_cast<uint32_t>(upper - 'A'));
    }
  }
  for (const auto& [name, mzKey] : NamedKeys) {
    if (key == name) return mzKey;
  }
  return MzKey::Unknown;
}

bool translateDomKey(const DomKeyPress& press, HostEvent& event) {
  if (press.ctrl || press.alt || press.meta) return false;
  const MzKey key = keyFromDomKey(press.key);
  if (key == MzKey::Unknown) return false;
  event = HostEvent{};
  event.kind = HostEvent::Kind::Key;
  event.key = key;
  event.modifiers = press.shift ? MzKeyModShift : 0;
  return true;
}
