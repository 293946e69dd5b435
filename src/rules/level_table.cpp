// Starting boards and target scores of levels 1..10.
#include "rules/level_table.hpp"

#include <cstddef>

#include "rules/colour_state.hpp"

namespace {

constexpr int32_t Spoilt = TargetSpoiled;  // a target that starts spoiled

constexpr std::array<LevelLayout, LevelCount> levels = {{
    {{16, 4, 7, 10, 7, 16, 13, 10, 16, 13}, 600},
    {{16, 4, 7, Spoilt, 7, 16, 13, Spoilt, 16, 13}, 800},
    {{16, Spoilt, 7, Spoilt, 7, 16, 13, Spoilt, 16, 13}, 900},
    {{Spoilt, Spoilt, 7, Spoilt, 7, 0, 13, Spoilt, Spoilt, 13}, 1000},
    {{Spoilt, Spoilt, 4, Spoilt, 13, 0, Spoilt, Spoilt, 0, Spoilt}, 1200},
    {{0, Spoilt, 4, Spoilt, 0, Spoilt, 1, Spoilt, Spoilt, Spoilt}, 1300},
    {{Spoilt, 11, 0, Spoilt, 0, 0, Spoilt, Spoilt, Spoilt, 2}, 1400},
    {{Spoilt, Spoilt, 4, Spoilt, 0, 0, 1, Spoilt, Spoilt, Spoilt}, 1500},
    {{Spoilt, Spoilt, Spoilt, Spoilt, 5, 0, Spoilt, 1, Spoilt, 0}, 1600},
    {{Spoilt, Spoilt, 0, Spoilt, 0, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt}, 1800},
}};

}  // namespace

const LevelLayout* levelLayout(int32_t level) {
  if (level < FirstLevel || level > LevelCount) return nullptr;
  return &levels[static_cast<size_t>(level - FirstLevel)];
}
