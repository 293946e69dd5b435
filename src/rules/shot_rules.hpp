// What a landing shot does before any mixing: the target under it, misses and the random colour.
#pragma once

#include <cstdint>

// The slot value meaning "over no target"; targets are slots 0..9, left to right.
constexpr int32_t NoSlot = 10;

// Misses since the last random event, for the whole run (0..3 between calls).
extern int32_t missCounter;

// The slot under a shot whose picture's left edge is at screen x, or NoSlot.
int32_t slotFromX(int32_t x);

// For a shot landing on `slot` holding `state`: -1 for a hit, -2 for a plain miss, or a
// colour 0..5 on every fourth miss (a shot on a spoiled target is a miss).
int32_t missColour(int32_t state, int32_t slot);

// A shot colour 0..5 from the program's random source.
int32_t randomColour();

// Sets missCounter back to its value at program start (tests only).
void resetMissCounter();
