// Lookup between key names and MzKey.
#include "platform/key_names.hpp"

#include <array>
#include <cctype>
#include <cstdint>
#include <utility>

namespace {

constexpr std::array<std::pair<MzKey, std::string_view>, 10> NamedKeys{{
    {MzKey::Left, "Left"},
    {MzKey::Right, "Right"},
    {MzKey::Up, "Up"},
    {MzKey::Down, "Down"},
    {MzKey::Space, "Space"},
    {MzKey::Return, "Return"},
    {MzKey::Escape, "Escape"},
    {MzKey::Backspace, "Backspace"},
    {MzKey::Tab, "Tab"},
    {MzKey::F11, "F11"},
}};

constexpr std::array<std::pair<MzPadButton, std::string_view>, 10> PadButtons{{
    {MzPadButton::Up, "up"},
    {MzPadButton::Down, "down"},
    {MzPadButton::Left, "left"},
    {MzPadButton::Right, "right"},
    {MzPadButton::A, "a"},
    {MzPadButton::B, "b"},
    {MzPadButton::X, "x"},
    {MzPadButton::Y, "y"},
    {MzPadButton::Start, "start"},
    {MzPadButton::Back, "back"},
}};

constexpr std::string_view Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

MzKey keyFromName(std::string_view name) {
  for (const auto& [key, keyName] : NamedKeys) {
    if (sameIgnoringCase(name, keyName)) return key;
  }
  if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
    const auto offset = static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(name[0])) - 'A');
    return static_cast<MzKey>(static_cast<uint32_t>(MzKey::A) + offset);
  }
  return MzKey::Unknown;
}

std::string_view keyName(MzKey key) {
  for (const auto& [named, name] : NamedKeys) {
    if (named == key) return name;
  }
  const auto value = static_cast<uint32_t>(key);
  const auto first = static_cast<uint32_t>(MzKey::A);
  if (value >= first && value < first + Letters.size()) return Letters.substr(value - first, 1);
  return "Unknown";
}

std::string_view padButtonName(MzPadButton button) {
  for (const auto& [named, name] : PadButtons) {
    if (named == button) return name;
  }
  return "unknown";
}

std::optional<MzPadButton> padButtonFromName(std::string_view name) {
  for (const auto& [button, buttonName] : PadButtons) {
    if (sameIgnoringCase(name, buttonName)) return button;
  }
  return std::nullopt;
}

MzKey keyForPadButton(MzPadButton button) {
  switch (button) {
    case MzPadButton::Up: return MzKey::Up;
    case MzPadButton::Down: return MzKey::Down;
    case MzPadButton::Left: return MzKey::Left;
    case MzPadButton::Right: return MzKey::Right;
    case MzPadButton::A: return MzKey::Space;
    case MzPadButton::B: return MzKey::Escape;
    case MzPadButton::X: return MzKey::R;
    case MzPadButton::Y: return MzKey::B;
    case MzPadButton::Start: return MzKey::Return;
    case MzPadButton::Back: return MzKey::S;
  }
  return MzKey::Unknown;
}
