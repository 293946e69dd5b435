// The one-attempt-a-day rule and the streaks.
#include "runs/daily_history.hpp"

#include <algorithm>

namespace runs {
namespace {

// The day's official attempt is over: finished, or cut short.
bool playedOfficial(const std::map<int32_t, DailyDay>& days, int32_t day, int32_t underWay) {
  const auto found = days.find(day);
  return found != days.end() && found->second.official && (found->second.finished || day != underWay);
}

}  // namespace

const DailyDay* DailyHistory::day(int32_t day) const {
  const auto found = days.find(day);
  return found == days.end() ? nullptr : &found->second;
}

bool DailyHistory::nextAttemptIsOfficial(int32_t day, TimeMode mode) const {
  return !days.contains(day) && mode == TimeMode::Normal;
}

bool DailyHistory::startAttempt(int32_t day, TimeMode mode, bool racing) {
  if (days.contains(day)) return false;
  // The day's first attempt is its official one; under another time bar, or
  // racing a run, it is practice, and the day has no official attempt.
  const bool official = mode == TimeMode::Normal && !racing;
  days[day].official = official;
  return official;
}

void DailyHistory::finishOfficial(int32_t day, const RunResult& result, const std::string& token) {
  const auto found = days.find(day);
  if (found == days.end() || !found->second.official || found->second.finished) return;
  found->second.finished = true;
  found->second.result = result;
  found->second.token = token;
}

bool DailyHistory::requestPost(int32_t day) {
  const auto found = days.find(day);
  if (found == days.end() || !found->second.official || !found->second.finished ||
      found->second.post.state != PostState::None)
    return false;
  found->second.post.state = PostState::Waiting;
  return true;
}

std::vector<int32_t> DailyHistory::waitingPosts() const {
  std::vector<int32_t> waiting;
  for (const auto& [day, entry] : days) {
    if (entry.post.state == PostState::Waiting) waiting.push_back(day);
  }
  return waiting;
}

bool DailyHistory::interrupted(int32_t day, int32_t underWay) const {
  const DailyDay* entry = this->day(day);
  return entry != nullptr && entry->official && !entry->finished && day != underWay;
}

int32_t DailyHistory::streak(int32_t today, int32_t underWay) const {
  int32_t day = playedOfficial(days, today, underWay) ? today : today - 1;
  int32_t count = 0;
  while (playedOfficial(days, day, underWay)) {
    ++count;
    --day;
  }
  return count;
}

int32_t DailyHistory::bestStreak(int32_t underWay) const {
  int32_t best = 0;
  int32_t run = 0;
  int32_t previous = 0;
  for (const auto& [day, entry] : days) {
    if (!playedOfficial(days, day, underWay)) {
      run = 0;
      continue;
    }
    run = run > 0 && day == previous + 1 ? run + 1 : 1;
    previous = day;
    best = std::max(best, run);
  }
  return best;
}

}  // namespace runs
