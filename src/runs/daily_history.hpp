// The days played and the rules of the daily challenge: the first attempt
// started on a day is that day's official one (and only under the Normal time
// bar does it count; otherwise it is practice); every later attempt that day
// is practice. A streak is days in a row with a finished official attempt.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "runs/player.hpp"
#include "runs/run.hpp"

namespace runs {

// What an attempt came to, worked out by replaying it.
struct RunResult {
  int32_t day = 0;
  int32_t level = 0;
  int32_t score = 0;
  int32_t shots = 0;     // shots launched
  uint32_t timeMs = 0;   // game time from the start to the end (pauses excluded)
  int32_t stars = 0;     // the level records' rule; 0 when not claimed
  bool claimed = false;
  uint32_t version = RunFormatVersion;
  TimeMode timeMode = TimeMode::Normal;  // the time bar it was played at
  bool operator==(const RunResult&) const = default;
};

// The day's official run on the leaderboard: sent only when the player asks.
enum class PostState : uint8_t {
  None,     // not asked for
  Waiting,  // asked for, not yet taken: it goes when the leaderboard answers
  Taken,    // on the leaderboard
  Refused,  // the leaderboard will not take it
};

struct PostRecord {
  PostState state = PostState::None;
  // Once taken: where the run stood among the day's runs then (rank 0: the
  // leaderboard did not say), and its id there.
  int32_t rank = 0;
  int32_t of = 0;
  int32_t percentile = 0;
  std::string run;
  std::string refusal;  // once refused: the leaderboard's word for why
  bool operator==(const PostRecord&) const = default;
};

// One day in the daily file.
struct DailyDay {
  // The official attempt was started (under the Normal time bar); false when
  // the day's first attempt was practice, which uses up the day's official one.
  bool official = false;
  // The official attempt ended (claim, game over, closed or left).
  bool finished = false;
  RunResult result;     // meaningful once finished
  std::string token;    // the official run, for sharing again
  PostRecord post;      // meaningful once finished
  bool operator==(const DailyDay&) const = default;
};

class DailyHistory {
 public:
  // The day's entry, if any attempt was started on it.
  const DailyDay* day(int32_t day) const;
  // True when an attempt started now on `day` under `mode` is the official one.
  bool nextAttemptIsOfficial(int32_t day, TimeMode mode) const;
  // Notes the start of an attempt; returns true when it is the official one.
  // A race is never official: one started first uses the day up as practice,
  // so that nobody practises the day's colours before their official try.
  bool startAttempt(int32_t day, TimeMode mode, bool racing = false);
  // The official attempt of `day` ended with `result` and the run `token`.
  void finishOfficial(int32_t day, const RunResult& result, const std::string& token);
  // Days in a row whose official attempt was played, ending today, or
  // yesterday while today's is not over yet. An official attempt cut short
  // (the game closed by a crash or a kill) counts as played, without a
  // result; `underWay` names the day whose official attempt is being played
  // now, if any, which does not count yet.
  int32_t streak(int32_t today, int32_t underWay = 0) const;
  int32_t bestStreak(int32_t underWay = 0) const;
  // The day's official attempt began and was cut short: no result, the day
  // spent, and what follows is practice.
  bool interrupted(int32_t day, int32_t underWay = 0) const;

  // Asks for the day's official run to go on the leaderboard; false when the
  // day has no finished official run or it was asked for already.
  bool requestPost(int32_t day);
  // The days whose post waits, earliest first.
  std::vector<int32_t> waitingPosts() const;

  std::map<int32_t, DailyDay> days;
  Player player;  // as the leaderboard knows the player
  bool operator==(const DailyHistory&) const = default;
};

}  // namespace runs
