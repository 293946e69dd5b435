// The game window's part of the daily challenge: the attempt under way, the
// run it records, the days played, and a race against a run's ghost. An
// attempt at a board (made or received) is seeded and recorded the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runs/daily_history.hpp"
#include "runs/ghost_track.hpp"
#include "runs/run.hpp"

// Whose board an attempt plays: none (a day's or ordinary play), the board
// being made, or a received one.
enum class BoardInPlay : uint8_t { None, Made, Received };

struct DailyPlay {
  // The day whose challenge is being played (its attempt, or the screens
  // after it); 0 in ordinary play.
  int32_t dayInPlay = 0;
  // The board being played (its attempt, or the screen after it); None otherwise.
  BoardInPlay boardInPlay = BoardInPlay::None;
  // An attempt at a day's challenge is on: its colours were seeded from the day.
  bool attemptActive = false;
  // That attempt is the day's official one (else practice, which keeps nothing).
  bool official = false;
  // The attempt's run, recorded at the action door as it is played.
  runs::Run run;
  // The game clock (GetTickCount) at the attempt's start; ticks count from it.
  uint32_t startTickMs = 0;
  // The days played, from the daily file.
  runs::DailyHistory history;
  std::string filePath;  // empty: nothing is kept
  bool saveWarned = false;
  // A race: the ghost of a verified run, read at the attempt's tick.
  bool racing = false;
  runs::GhostTrack ghost;
};

// The text a player shares for a result: `sentence` (a catalogue text; see
// runs::fillShareSentence) in the shown language, its counted words in the
// language's form for their numbers.
std::string filledShareSentence(const char16_t* sentence, const runs::RunResult& result, std::string_view link);
// The text a player shares for a day's result.
std::string shareSentence(const runs::RunResult& result, std::string_view link);

// What the daily screen shows for today.
struct DailyToday {
  int32_t day = 0;    // below 1: no challenge yet
  int32_t level = 0;
  int32_t streak = 0;
  int32_t bestStreak = 0;
  bool nextIsPractice = false;  // official done, or the time mode is not Normal
  bool interrupted = false;     // today's official attempt was cut short
  std::optional<runs::RunResult> result;  // today's official result, once finished
};
