// Proving a run: its actions replayed through the real game, in a private
// game window on a virtual clock (PrivatePlay), refused at the first action
// the game does not accept. The live game, its files, generator and settings
// are left as they were, so this can be called at any time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "runs/daily_history.hpp"
#include "runs/ghost_track.hpp"
#include "runs/run.hpp"
#include "runs/run_token.hpp"

struct RunVerdict {
  runs::RunRefusal refusal = runs::RunRefusal::Accepted;
  runs::Run run;           // the decoded run (empty when it could not be read)
  runs::RunResult result;  // worked out by the replay; meaningful when Accepted
  runs::GhostTrack ghost;  // the run's sprayer and score by tick, when Accepted
  bool accepted() const { return refusal == runs::RunRefusal::Accepted; }
};

// Replays `run` from its start to its last action and on until its attempt
// ends or stands still (a claim, game over, or nothing left to change).
RunVerdict verifyRun(const runs::Run& run);
// Decodes a token or a link holding "#run=TOKEN", then verifies it.
RunVerdict verifyRunToken(std::string_view text);
// The result as the one line of JSON --verify prints:
// {"day","level","score","shots","timeMs","stars","claimed","version"}.
std::string runResultJson(const runs::RunResult& result);

// A verified run played forward step by step in its private game, for the
// watch screen: the caller moves its clock (scaled for 1x, 2x, 4x; pause by
// not calling) and reads the private game's state.
class GameWindow;
class RunPlayback {
 public:
  explicit RunPlayback(const runs::Run& run);
  ~RunPlayback();
  // Plays up to game tick `tickMs` (from the attempt's start).
  void advanceTo(uint32_t tickMs);
  uint32_t tickMs() const;
  // The run's last action has been played and the attempt has ended.
  bool finished() const;
  // The private game, to read (targets, sprayer, shot, keys, score).
  const GameWindow& game() const;

  struct Parts;

 private:
  friend RunVerdict verifyRun(const runs::Run& run);
  std::unique_ptr<Parts> parts_;
};
