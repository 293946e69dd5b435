// The mixing rules as one table: a row per target state, a column per shot colour.
#include "rules/colour_state.hpp"

#include <array>
#include <cstddef>

namespace {

constexpr int32_t StateCount = 20;
constexpr uint32_t ColourCount = 6;
constexpr int32_t S = TargetSpoiled;

struct Transition {
  int32_t next;
  bool mixesFromPrimaries;
};

// star(): the transition completes a secondary colour from two measures of one primary
// and a shot of the other, which earns the mixing key.
constexpr Transition cell(int32_t next) { return {next, false}; }
constexpr Transition star(int32_t next) { return {next, true}; }

constexpr std::array<std::array<Transition, ColourCount>, StateCount> transitions{{
    {cell(1), cell(4), cell(7), cell(10), cell(13), cell(16)},  // 0 empty
    {cell(2), cell(8), cell(S), cell(S), cell(17), cell(S)},     // 1
    {cell(3), star(9), cell(S), cell(S), star(18), cell(S)},     // 2
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 3 full
    {cell(8), cell(5), cell(S), cell(S), cell(11), cell(S)},     // 4
    {star(9), cell(6), cell(S), cell(S), star(12), cell(S)},     // 5
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 6 full
    {cell(S), cell(S), cell(8), cell(S), cell(S), cell(S)},      // 7
    {cell(S), cell(S), cell(9), cell(S), cell(S), cell(S)},      // 8
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 9 full
    {cell(S), cell(S), cell(S), cell(11), cell(S), cell(S)},     // 10
    {cell(S), cell(S), cell(S), cell(12), cell(S), cell(S)},     // 11
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 12 full
    {cell(17), cell(11), cell(S), cell(S), cell(14), cell(S)},   // 13
    {star(18), star(12), cell(S), cell(S), cell(15), cell(S)},   // 14
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 15 full
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(17)},     // 16
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(18)},     // 17
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 18 full
    {cell(S), cell(S), cell(S), cell(S), cell(S), cell(S)},      // 19 spoiled
}};

}  // namespace

int32_t mixTargetState(int32_t state, uint32_t colour, uint32_t& mixedFromPrimaries) {
  if (colour >= ColourCount) return -1;
  // No caller passes a state outside 0..19; such a target cannot take a colour, so it spoils.
  if (state < 0 || state >= StateCount) return TargetSpoiled;
  const Transition& transition = transitions[static_cast<std::size_t>(state)][colour];
  if (transition.mixesFromPrimaries) mixedFromPrimaries = 1;
  return transition.next;
}
