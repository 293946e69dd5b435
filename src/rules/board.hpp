// A board: what an attempt starts from. The ten levels are ten boards; players
// make more. Plain data, no platform dependency.
#pragma once

#include <array>
#include <cstdint>

#include "rules/colour_generator.hpp"
#include "rules/level_table.hpp"

struct Board {
  std::array<int32_t, TargetCount> tubes{};  // TargetState of slots 0..9
  int32_t targetScore = 0;                   // the score that earns the score key
  bool asksMixedKey = true;                  // every level but the first asks for it
  uint32_t seed = ColourGenerator::UnseededState;  // where the colours start
  bool operator==(const Board&) const = default;
};

// A made board's target score: 100 to 3,000 in steps of 50.
inline constexpr int32_t MinBoardScore = 100;
inline constexpr int32_t MaxBoardScore = 3000;
inline constexpr int32_t BoardScoreStep = 50;

// Level `level`'s board (1..10), with the seed a sequence never seeded has;
// nothing for any other number.
bool levelBoard(int32_t level, Board& board);
// Every tube holds a state (empty, one to three measures of a colour, or
// spoiled) and the target score is one a board may ask.
bool boardIsValid(const Board& board);
