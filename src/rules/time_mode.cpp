// The time bar's pace in each time mode.
#include "rules/time_mode.hpp"

#include <array>

namespace {

struct ModeRow {
  TimeMode mode;
  std::string_view name;
  int32_t stepPerTick;
};

constexpr std::array<ModeRow, TimeModeCount> Modes = {{
    {TimeMode::Normal, "normal", 12},
    {TimeMode::Relaxed, "relaxed", 4},
    {TimeMode::Off, "off", 0},
}};

const ModeRow& rowOf(TimeMode mode) { return Modes[static_cast<size_t>(mode)]; }

}  // namespace

int32_t timeBarStepPerTick(TimeMode mode) { return rowOf(mode).stepPerTick; }

TimeMode nextTimeMode(TimeMode mode) {
  return Modes[(static_cast<size_t>(mode) + 1) % Modes.size()].mode;
}

bool timeModeKeepsRecords(TimeMode mode) { return mode == TimeMode::Normal; }

std::string_view timeModeName(TimeMode mode) { return rowOf(mode).name; }

std::optional<TimeMode> timeModeFromName(std::string_view name) {
  for (const ModeRow& row : Modes) {
    if (row.name == name) return row.mode;
  }
  return std::nullopt;
}
