// The pulses' names and patterns, and the switch in front of the host.
#include "platform/haptics.hpp"

#include <array>

#include "platform/host.hpp"

namespace {

constexpr std::array<uint32_t, 1> SpoilPattern = {80};
constexpr std::array<uint32_t, 3> CompletePattern = {60, 90, 60};
constexpr std::array<uint32_t, 1> GameOverPattern = {500};

bool vibrationOn = true;

}  // namespace

const char* hapticPulseName(HapticPulse pulse) {
  switch (pulse) {
    case HapticPulse::Spoil: return "spoil";
    case HapticPulse::Complete: return "complete";
    case HapticPulse::GameOver: return "gameover";
  }
  return "";
}

std::span<const uint32_t> hapticPattern(HapticPulse pulse) {
  switch (pulse) {
    case HapticPulse::Spoil: return SpoilPattern;
    case HapticPulse::Complete: return CompletePattern;
    case HapticPulse::GameOver: return GameOverPattern;
  }
  return {};
}

bool requestHapticPulse(HapticPulse pulse) {
  Host* host = currentHost();
  if (!vibrationOn || !host) return false;
  host->pulse(pulse);
  return true;
}

void setHapticsEnabled(bool on) { vibrationOn = on; }

bool hapticsEnabled() { return vibrationOn; }
