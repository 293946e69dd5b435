// How fast the time bar runs out: the designed 10 seconds, a relaxed 30, or
// never. Everything else in play is the same in every mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

enum class TimeMode : uint8_t { Normal, Relaxed, Off };
inline constexpr size_t TimeModeCount = 3;

// Pixels the 480-pixel bar moves left at each 250 ms tick: 12 runs out in
// 40 ticks (10 s), 4 in 120 ticks (30 s); 0 never.
int32_t timeBarStepPerTick(TimeMode mode);
// The mode a press of the panel's time button gives: Normal, Relaxed, Off, Normal...
TimeMode nextTimeMode(TimeMode mode);
// Records are kept for play under the designed time bar only.
bool timeModeKeepsRecords(TimeMode mode);

// "normal", "relaxed", "off": the options file's and the dump's words.
std::string_view timeModeName(TimeMode mode);
std::optional<TimeMode> timeModeFromName(std::string_view name);
