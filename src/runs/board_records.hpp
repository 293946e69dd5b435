// What a player did with the boards others shared, by board (runs::boardId):
// whether it was tried, and its best claimed score and stars. The most recent
// BoardRecords::Kept boards are kept. Plain data, no platform dependency.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runs/daily_history.hpp"

namespace runs {

struct BoardRecord {
  std::string id;          // runs::boardId of the board
  bool tried = false;      // an attempt at it began
  bool cleared = false;    // an attempt claimed it; then the two bests hold
  int32_t bestScore = 0;   // the best score at a claim
  int32_t stars = 0;       // the most stars of a claim
  bool operator==(const BoardRecord&) const = default;
};

class BoardRecords {
 public:
  static constexpr size_t Kept = 100;

  // The board's record, or null for a board never tried.
  const BoardRecord* find(std::string_view id) const;
  // An attempt at board `id` began: it is tried, and the most recent.
  void noteTry(std::string_view id);
  // An attempt at board `id` ended with `result`: a claim keeps its score and
  // its stars where they beat the board's best. True when a best changed.
  bool noteResult(std::string_view id, const RunResult& result);

  std::vector<BoardRecord> records;  // the oldest first
  bool operator==(const BoardRecords&) const = default;

 private:
  // The board's record, made the most recent (a new one when there was none).
  BoardRecord& touch(std::string_view id);
};

}  // namespace runs
