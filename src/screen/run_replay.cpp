// Replaying a run through the real game, out of sight: a private game window
// on a PrivatePlay clock, its actions fed through the window's action door at
// their ticks, its result read from the game when its attempt ends.
#include "screen/run_replay.hpp"

#include <algorithm>
#include <string>

#include "platform/private_play.hpp"
#include "progress/level_records.hpp"
#include "rules/shot_rules.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/shared_images.hpp"

namespace {

// After the last action the game plays on this long: the last shot lands and
// a Normal time bar runs out.
constexpr uint32_t PlayOnMs = 15000;

// Enters the private game: its clock, timers, host and generator, and its
// miss counter, which the rules keep for the whole program.
class Entered {
 public:
  Entered(PrivatePlay& play, int32_t& privateMisses)
      : scope_(play), privateMisses_(privateMisses), programMisses_(missCounter) {
    missCounter = privateMisses_;
  }
  ~Entered() {
    privateMisses_ = missCounter;
    missCounter = programMisses_;
  }
  Entered(const Entered&) = delete;
  Entered& operator=(const Entered&) = delete;

 private:
  PrivatePlay::Scope scope_;
  int32_t& privateMisses_;
  int32_t programMisses_;
};

}  // namespace

struct RunPlayback::Parts {
  PrivatePlay play;
  // The private game's miss counter, kept apart from the program's.
  int32_t missCounter = 0;
  SharedImages images;
  GameWindow game{images, GameSettings::NoFile{}};
  runs::Run run;
  size_t nextAction = 0;
  uint32_t playedToMs = 0;  // the tick the last advance reached
  bool refused = false;
  // The result as it stood when the attempt ended (a claim, game over).
  bool ended = false;
  runs::RunResult result;
  runs::GhostTrack ghost;

  uint32_t tick() const { return game.attemptTickMs(); }

  // After every timer and action: the ghost's sample, and the result once
  // the attempt is over.
  void observe() {
    ghost.note(tick(), runs::GhostState{game.sprayerX, game.score});
    if (!ended && !game.daily.attemptActive) capture();
  }

  void capture() {
    ended = true;
    result.day = run.day;
    result.level = run.level;
    result.score = game.score;
    result.shots = game.attemptShotsFired;
    result.timeMs = runs::playTimeMs(run);
    result.claimed = game.levelPassed;
    result.stars = result.claimed ? starsFor(ClaimedAttempt{game.score, game.attemptShotsFired, result.timeMs,
                                                            game.attemptBoughtShots, game.attemptRepairedTube})
                                  : 0;
    result.version = run.formatVersion;
  }
};

RunPlayback::RunPlayback(const runs::Run& run) : parts_(std::make_unique<Parts>()) {
  Parts& parts = *parts_;
  parts.run = run;
  const Entered entered(parts.play, parts.missCounter);
  if (!parts.game.Create(0, 0, 480, 720)) {
    parts.refused = true;
    return;
  }
  parts.game.OnTimer(TimerId::splash);  // straight to the menu
  parts.refused = !parts.game.startDayAttempt(run.day, run.timeMode, nullptr);
  parts.observe();
}

RunPlayback::~RunPlayback() = default;

void RunPlayback::advanceTo(uint32_t tickMs) {
  Parts& parts = *parts_;
  if (parts.refused) return;
  const Entered entered(parts.play, parts.missCounter);
  const uint64_t start = parts.play.nowMs() - parts.tick();
  const auto observe = [&parts] { parts.observe(); };
  while (parts.nextAction < parts.run.actions.size() && parts.run.actions[parts.nextAction].tickMs <= tickMs) {
    const runs::RunAction& action = parts.run.actions[parts.nextAction];
    parts.play.advanceTo(start + action.tickMs, observe);
    // An attempt that has ended takes no more actions.
    if (!parts.game.daily.attemptActive || !parts.game.applyAction(action.kind)) {
      parts.refused = true;
      return;
    }
    ++parts.nextAction;
    parts.observe();
  }
  parts.play.advanceTo(start + tickMs, observe);
  parts.playedToMs = std::max(parts.playedToMs, tickMs);
}

uint32_t RunPlayback::tickMs() const {
  const Entered entered(parts_->play, parts_->missCounter);
  return parts_->tick();
}

// Refused, or every action played and the attempt over: ended, or left
// standing long enough after the last action for nothing more to change.
bool RunPlayback::finished() const {
  const Parts& parts = *parts_;
  if (parts.refused) return true;
  if (parts.nextAction < parts.run.actions.size()) return false;
  const uint32_t last = parts.run.actions.empty() ? 0 : parts.run.actions.back().tickMs;
  return parts.ended || parts.playedToMs >= last + PlayOnMs;
}

const GameWindow& RunPlayback::game() const { return parts_->game; }

RunVerdict verifyRun(const runs::Run& run) {
  RunVerdict verdict;
  verdict.run = run;
  RunPlayback playback(run);
  const uint32_t last = run.actions.empty() ? 0 : run.actions.back().tickMs;
  playback.advanceTo(last + PlayOnMs);
  RunPlayback::Parts& parts = *playback.parts_;
  if (parts.refused) {
    verdict.refusal = runs::RunRefusal::ImpossibleMove;
    return verdict;
  }
  if (!parts.ended) parts.capture();  // closed or left during play: its score then
  verdict.result = parts.result;
  verdict.ghost = parts.ghost;
  return verdict;
}

RunVerdict verifyRunToken(std::string_view text) {
  RunVerdict verdict;
  verdict.refusal = runs::decodeRunToken(text, verdict.run);
  return verdict.accepted() ? verifyRun(verdict.run) : verdict;
}

std::string runResultJson(const runs::RunResult& result) {
  return "{\"day\":" + std::to_string(result.day) + ",\"level\":" + std::to_string(result.level) +
         ",\"score\":" + std::to_string(result.score) + ",\"shots\":" + std::to_string(result.shots) +
         ",\"timeMs\":" + std::to_string(result.timeMs) + ",\"stars\":" + std::to_string(result.stars) +
         ",\"claimed\":" + (result.claimed ? "true" : "false") + ",\"version\":" + std::to_string(result.version) + "}";
}
