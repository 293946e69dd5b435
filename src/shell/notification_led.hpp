// The phone's notification LED: the last of the platform's LEDs.
#pragma once

#include <cstdint>

// Blinks the LED: on for onMilliseconds, then off for offMilliseconds, over and over.
// False when there is no LED or it cannot be set.
bool BlinkNotificationLed(std::uint32_t onMilliseconds, std::uint32_t offMilliseconds);

// Switches the LED off. False as above.
bool SwitchOffNotificationLed();
