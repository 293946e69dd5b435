// Vibration, a host service beside sound: the game asks for a named pulse and
// the host rumbles a pad, vibrates the phone or records the request. The
// player's switch stops requests here, so with vibration off no host is asked
// anything. Pulses are output only: nothing in play depends on them.
#pragma once

#include <cstdint>
#include <span>

enum class HapticPulse : uint8_t {
  Spoil,     // a tube was spoiled: one short pulse
  Complete,  // a colour was completed: two short pulses
  GameOver,  // the attempt is lost: one long pulse
};

// "spoil", "complete" or "gameover", as the headless dump reports them.
const char* hapticPulseName(HapticPulse pulse);
// The pulse as milliseconds alternately on and off, starting on (the form of
// navigator.vibrate's pattern).
std::span<const uint32_t> hapticPattern(HapticPulse pulse);

// Asks the host for `pulse`; false, asking nothing, with vibration switched
// off or no host.
bool requestHapticPulse(HapticPulse pulse);
// The vibration switch; on until switched off.
void setHapticsEnabled(bool enabled);
bool hapticsEnabled();
