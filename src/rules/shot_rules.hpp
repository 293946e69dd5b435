// What a landing shot does before any mixing: the target under it, misses and the random colour.
#pragma once

#include <cstdint>

#include "rules/colour_generator.hpp"

// The slot value meaning "over no target"; targets are slots 0..9, left to right.
constexpr int32_t NoSlot = 10;

// The slot under a shot whose picture's left edge is at screen x, or NoSlot.
int32_t slotFromX(int32_t x);

// For a shot landing on `slot` holding `state`: -1 for a hit, -2 for a plain miss, or a
// colour 0..5 from `generator` on every fourth miss (a shot on a spoiled target is a miss).
// `missCounter` counts the misses since the last random colour (0..3 between calls).
int32_t missColour(int32_t state, int32_t slot, int32_t& missCounter, ColourGenerator& generator);
