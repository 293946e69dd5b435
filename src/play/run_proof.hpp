// Proving a run: its actions replayed on a Play of the day's board, seeded as
// the day is (or on the run's own board, from its seed), with the game's two clocks fired in the order the message loop
// fires them, refused at the first action the attempt does not take. Nothing
// outside the replay is read or changed, so this can be called at any time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "play/play.hpp"
#include "runs/daily_history.hpp"
#include "runs/ghost_track.hpp"
#include "runs/run.hpp"
#include "runs/board_token.hpp"
#include "runs/run_token.hpp"

struct RunVerdict {
  runs::RunRefusal refusal = runs::RunRefusal::Accepted;
  runs::Run run;           // the decoded run (empty when it could not be read)
  runs::RunResult result;  // worked out by the replay; meaningful when Accepted
  runs::GhostTrack ghost;  // the run's sprayer and score by tick, when Accepted
  bool accepted() const { return refusal == runs::RunRefusal::Accepted; }
};

// Replays `run` from its start to its last action and on until its attempt
// ends (a claim or game over) or stands still. A day's run whose level is not
// its day's is refused as damaged.
RunVerdict verifyRun(const runs::Run& run);
// Decodes a token or a link holding "#run=TOKEN", then verifies it.
RunVerdict verifyRunToken(std::string_view text);
// A board token proven: its maker's run replayed on its board. A run that
// does not clear the board leaves it Unproven. `run.board` holds the board.
RunVerdict verifyBoardToken(std::string_view text);
// A board's result as --verify prints it:
// {"board","cleared","score","shots","timeMs","stars","version"}.
std::string boardResultJson(const Board& board, const runs::RunResult& result);
// The result as the one line of JSON --verify prints:
// {"day","level","score","shots","timeMs","stars","claimed","version","timeMode"}.
std::string runResultJson(const runs::RunResult& result);

// A run played forward step by step, for the watch screen: the caller moves
// its clock (scaled for 1x, 2x, 4x; pause by not calling) and draws its Play.
class RunPlayback {
 public:
  explicit RunPlayback(const runs::Run& run);
  // Plays up to game tick `tickMs` (from the attempt's start).
  void advanceTo(uint32_t tickMs);
  // The run's last action has been played and the attempt has ended.
  bool finished() const;
  bool refused() const { return refused_; }
  const Play& play() const { return play_; }
  // The result as it stood when the attempt ended, or as it stands now.
  runs::RunResult result() const;
  const runs::GhostTrack& ghost() const { return ghost_; }

 private:
  // One of the two clocks of play. Clocks due at the same moment fire in the
  // order they were (re)started, as the message loop's timers do.
  struct Clock {
    bool running = false;
    uint32_t periodMs = 0;
    uint64_t dueMs = 0;
    uint64_t startOrder = 0;
  };
  void restart(Clock& clock);
  // Takes together the ticks of both clocks up to `untilMs` that would only
  // move the shot or the bar; false when there are none to take.
  bool passQuietTicks(uint64_t untilMs);
  // The clocks and the replay's records after a step's effects.
  void follow(const Effects& effects);
  void observe();

  runs::Run run_;
  Play play_;
  Clock shotClock_;
  Clock barClock_;
  uint64_t starts_ = 0;
  uint64_t nowMs_ = 0;
  size_t nextAction_ = 0;
  uint32_t playedToMs_ = 0;
  bool refused_ = false;
  bool ended_ = false;
  runs::RunResult endResult_;
  runs::GhostTrack ghost_;
  runs::GhostState noted_;  // the ghost's last sample
};
