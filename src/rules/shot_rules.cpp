// Slot ranges of the ten targets and the miss rule.
#include "rules/shot_rules.hpp"

#include <array>
#include <cstddef>

#include "rules/colour_state.hpp"

namespace {

constexpr int32_t MissesPerRandomEvent = 4;

// Left edge of each slot; each slot runs up to the next edge. The widths follow the
// target pictures (24 or 23 pixels), so they are uneven.
constexpr std::array<int32_t, 11> slotEdges{156, 180, 204, 228, 251, 274, 298, 322, 345, 368, 392};

}  // namespace

int32_t slotFromX(int32_t x) {
  for (int32_t slot = 0; slot < NoSlot; ++slot) {
    if (x >= slotEdges[static_cast<std::size_t>(slot)] && x < slotEdges[static_cast<std::size_t>(slot) + 1]) return slot;
  }
  return NoSlot;
}

int32_t missColour(int32_t state, int32_t slot, int32_t& missCounter, ColourGenerator& generator) {
  if (state == TargetSpoiled) slot = NoSlot;
  if (slot != NoSlot) return -1;
  if (++missCounter != MissesPerRandomEvent) return -2;
  missCounter = 0;
  return generator.colour();
}
