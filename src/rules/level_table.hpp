// The ten levels of the game: where each target starts and the score that
// earns the level's last key. Pure data, no platform dependency.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t FirstLevel = 1;
constexpr int32_t LevelCount = 10;
constexpr int32_t TargetCount = 10;

struct LevelLayout {
  std::array<int32_t, TargetCount> startStates;  // TargetState of slots 0..9
  int32_t targetScore;                           // the score that earns key 7
};

// Left edge of target slot 0..9 on the board; all targets stand at y 430.
constexpr std::array<int32_t, TargetCount> targetHomeX = {160, 184, 208, 231, 254,
                                                         277, 300, 323, 346, 369};
constexpr int32_t targetHomeY = 430;

// The layout of `level` 1..10, or null for any other number.
const LevelLayout* levelLayout(int32_t level);
