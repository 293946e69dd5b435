// The notification LEDs of Linux's LED class (/sys/class/leds, or another directory laid
// out the same way). LEDs are numbered 0.. in the order of their directory names. On
// Windows the LEDs are those offered in named shared memory (notification_led_win32.cpp),
// and the directory functions do not exist.
#pragma once

#include <cstdint>
#include <filesystem>

namespace services {

// The LED class directory in use; /sys/class/leds unless changed.
std::filesystem::path ledClassDirectory();
void setLedClassDirectory(const std::filesystem::path& directory);

// How many LEDs there are (0 when the directory is missing).
int notificationLedCount();

// Blinks LED index with the given on and off times in microseconds (the LED class takes
// whole milliseconds). False when there is no such LED or it cannot be written.
bool setNotificationLedBlinking(int index, std::uint64_t onMicroseconds, std::uint64_t offMicroseconds);

// Switches LED index off: no trigger, brightness 0. False as above.
bool setNotificationLedOff(int index);

}  // namespace services
