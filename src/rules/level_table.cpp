// Starting boards and target scores of levels 1..10.
#include "rules/level_table.hpp"

#include <cstddef>

namespace {

constexpr int32_t S = 19;  // a target that starts spoiled

constexpr std::array<LevelLayout, LevelCount> levels = {{
    {{16, 4, 7, 10, 7, 16, 13, 10, 16, 13}, 600},
    {{16, 4, 7, S, 7, 16, 13, S, 16, 13}, 800},
    {{16, S, 7, S, 7, 16, 13, S, 16, 13}, 900},
    {{S, S, 7, S, 7, 0, 13, S, S, 13}, 1000},
    {{S, S, 4, S, 13, 0, S, S, 0, S}, 1200},
    {{0, S, 4, S, 0, S, 1, S, S, S}, 1300},
    {{S, 11, 0, S, 0, 0, S, S, S, 2}, 1400},
    {{S, S, 4, S, 0, 0, 1, S, S, S}, 1500},
    {{S, S, S, S, 5, 0, S, 1, S, 0}, 1600},
    {{S, S, 0, S, 0, S, S, S, S, S}, 1800},
}};

}  // namespace

const LevelLayout* levelLayout(int32_t level) {
  if (level < FirstLevel || level > LevelCount) return nullptr;
  return &levels[static_cast<size_t>(level - FirstLevel)];
}
