// The records of received boards, most recent last, the oldest let go.
#include "runs/board_records.hpp"

#include <algorithm>

namespace runs {

const BoardRecord* BoardRecords::find(std::string_view id) const {
  const auto found = std::find_if(records.begin(), records.end(), [id](const BoardRecord& r) { return r.id == id; });
  return found == records.end() ? nullptr : &*found;
}

BoardRecord& BoardRecords::touch(std::string_view id) {
  auto found = std::find_if(records.begin(), records.end(), [id](const BoardRecord& r) { return r.id == id; });
  BoardRecord record;
  record.id = std::string(id);
  if (found != records.end()) {
    record = std::move(*found);
    records.erase(found);
  }
  records.push_back(std::move(record));
  if (records.size() > Kept) records.erase(records.begin(), records.end() - Kept);
  return records.back();
}

void BoardRecords::noteTry(std::string_view id) { touch(id).tried = true; }

bool BoardRecords::noteResult(std::string_view id, const RunResult& result) {
  BoardRecord& record = touch(id);
  record.tried = true;
  if (!result.claimed) return false;
  const bool better = !record.cleared || result.score > record.bestScore || result.stars > record.stars;
  record.bestScore = record.cleared ? std::max(record.bestScore, result.score) : result.score;
  record.stars = record.cleared ? std::max(record.stars, result.stars) : result.stars;
  record.cleared = true;
  return better;
}

}  // namespace runs
