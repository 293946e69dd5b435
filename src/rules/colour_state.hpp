// The colour-state machine of one target: what a target becomes when a shot of some colour lands on it.
#pragma once

#include <cstdint>

// TargetState 0..19: 0 empty, 3c+1..3c+3 one to three measures of colour c, 19 spoiled.
constexpr int32_t TargetEmpty = 0;
constexpr int32_t TargetSpoiled = 19;

// Returns the state after a shot of `colour` (0..5) lands on a target in `state` (0..19),
// or -1 for a colour outside 0..5. Sets mixedFromPrimaries to 1 when the shot completes a
// secondary colour from two primaries; never clears it.
int32_t mixTargetState(int32_t state, uint32_t colour, uint32_t& mixedFromPrimaries);
