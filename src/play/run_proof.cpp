// Replaying a run on a Play: the day's board and colours, its actions at
// their ticks, the shot's and the time bar's clocks between them.
#include "play/run_proof.hpp"

#include <algorithm>

#include "rules/stars.hpp"
#include "runs/day_calendar.hpp"

namespace {

// After the last action the game plays on this long: the last shot lands and
// a Normal time bar runs out.
constexpr uint32_t PlayOnMs = 15000;

}  // namespace

RunPlayback::RunPlayback(const runs::Run& run) : run_(run) {
  shotClock_.periodMs = Play::ShotClockMs;
  barClock_.periodMs = Play::TimeBarClockMs;
  if (run.board) {
    // A board's attempt: its own seed, its own tubes, score and key rule.
    play_.startSeeded(run.board->seed);
    play_.timeMode = run.timeMode;
    play_.startLevel(Play::BoardCloudLevel, *run.board);
  } else if (runs::hasChallenge(run.day)) {
    // The day's attempt, as the game starts it: the day's seed, the day's level afresh.
    const int32_t level = runs::levelOfDay(run.day);
    Board board;
    levelBoard(level, board);
    play_.startSeeded(runs::daySeed(run.day));
    play_.timeMode = run.timeMode;
    play_.startLevel(level, board);
  } else {
    refused_ = true;
    return;
  }
  observe();
}

// Quiet ticks change only the shot's or the bar's place, each its own, so
// taken together they come to the same as taken one by one in any order.
bool RunPlayback::passQuietTicks(uint64_t untilMs) {
  const auto quietEnd = [](const Clock& clock, int32_t quiet) {
    if (!clock.running || quiet == Play::QuietForever) return UINT64_MAX;
    return clock.dueMs + static_cast<uint64_t>(clock.periodMs) * static_cast<uint64_t>(quiet);
  };
  // Up to, not including, the first tick that is not quiet.
  const uint64_t end = std::min({untilMs + 1, quietEnd(shotClock_, play_.quietShotTicks()),
                                 quietEnd(barClock_, play_.quietTimeBarTicks())});
  const auto ticksBefore = [end](const Clock& clock) -> uint64_t {
    return clock.running && clock.dueMs < end ? (end - 1 - clock.dueMs) / clock.periodMs + 1 : 0;
  };
  const uint64_t shotTicks = ticksBefore(shotClock_);
  const uint64_t barTicks = ticksBefore(barClock_);
  if (shotTicks + barTicks == 0) return false;
  for (const auto& [clock, ticks] : {std::pair{&shotClock_, shotTicks}, std::pair{&barClock_, barTicks}}) {
    if (ticks == 0) continue;
    nowMs_ = std::max(nowMs_, clock->dueMs + clock->periodMs * (ticks - 1));
    clock->dueMs += clock->periodMs * ticks;
  }
  play_.passQuietTicks(static_cast<int32_t>(shotTicks), static_cast<int32_t>(barTicks));
  return true;
}

void RunPlayback::restart(Clock& clock) {
  clock.running = true;
  clock.dueMs = nowMs_ + clock.periodMs;
  clock.startOrder = ++starts_;
}

void RunPlayback::follow(const Effects& effects) {
  for (const Effect& effect : effects) {
    switch (effect.kind) {
      case EffectKind::TimeBarRestarted:
      case EffectKind::TimeBarClockStarted: restart(barClock_); break;
      case EffectKind::TimeBarClockStopped: barClock_.running = false; break;
      case EffectKind::ShotLaunched: restart(shotClock_); break;
      default: break;
    }
  }
}

// After every clock tick and action: the ghost's sample, and the result once
// the attempt is over.
void RunPlayback::observe() {
  const runs::GhostState now{play_.sprayerX, play_.score};
  if (ghost_.empty() || now != noted_) {
    ghost_.note(static_cast<uint32_t>(nowMs_), now);
    noted_ = now;
  }
  if (!ended_ && play_.attemptEnded()) {
    endResult_ = result();
    ended_ = true;
  }
}

runs::RunResult RunPlayback::result() const {
  if (ended_) return endResult_;
  runs::RunResult result;
  result.day = run_.day;
  result.level = play_.level;
  result.timeMode = play_.timeMode;
  result.score = play_.score;
  result.shots = play_.shotsFired;
  result.timeMs = runs::playTimeMs(run_);
  result.claimed = play_.levelPassed;
  result.stars = result.claimed ? starsFor(ClaimedAttempt{play_.score, play_.shotsFired, result.timeMs,
                                                          play_.boughtShots, play_.repairedTube})
                                : 0;
  result.version = run_.formatVersion;
  return result;
}

// Nothing after the attempt's end is played: a run's later actions are
// refused, and its time after them costs nothing.
void RunPlayback::advanceTo(uint32_t tickMs) {
  if (refused_) return;
  if (ended_) {
    refused_ = nextAction_ < run_.actions.size() && run_.actions[nextAction_].tickMs <= tickMs;
    playedToMs_ = std::max(playedToMs_, tickMs);
    return;
  }
  const auto fireClocksUntil = [this](uint64_t untilMs) {
    while (!ended_) {
      if (passQuietTicks(untilMs)) continue;
      Clock* due = nullptr;
      for (Clock* clock : {&shotClock_, &barClock_}) {
        if (!clock->running || clock->dueMs > untilMs) continue;
        if (due == nullptr || clock->dueMs < due->dueMs ||
            (clock->dueMs == due->dueMs && clock->startOrder < due->startOrder)) {
          due = clock;
        }
      }
      if (due == nullptr) break;
      nowMs_ = std::max(nowMs_, due->dueMs);
      due->dueMs += due->periodMs;
      follow(due == &shotClock_ ? play_.tickShot() : play_.tickTimeBar());
      observe();
    }
    nowMs_ = std::max(nowMs_, untilMs);
  };
  while (nextAction_ < run_.actions.size() && run_.actions[nextAction_].tickMs <= tickMs) {
    const runs::RunAction& action = run_.actions[nextAction_];
    fireClocksUntil(action.tickMs);
    if (ended_ || !play_.possible(action.kind)) {
      refused_ = true;
      return;
    }
    follow(play_.apply(action.kind));
    ++nextAction_;
    observe();
  }
  if (!ended_) fireClocksUntil(tickMs);
  playedToMs_ = std::max(playedToMs_, tickMs);
}

// Refused, or every action played and the attempt over: ended, or left
// standing long enough after the last action for nothing more to change.
bool RunPlayback::finished() const {
  if (refused_) return true;
  if (nextAction_ < run_.actions.size()) return false;
  const uint32_t last = run_.actions.empty() ? 0 : run_.actions.back().tickMs;
  return ended_ || playedToMs_ >= last + PlayOnMs;
}

RunVerdict verifyRun(const runs::Run& run) {
  RunVerdict verdict;
  verdict.run = run;
  // A day's run is played on the day's level, whatever its level field says.
  if (!run.board && runs::hasChallenge(run.day) && run.level != runs::levelOfDay(run.day)) {
    verdict.refusal = runs::RunRefusal::Damaged;
    return verdict;
  }
  RunPlayback playback(run);
  const uint32_t last = run.actions.empty() ? 0 : run.actions.back().tickMs;
  playback.advanceTo(last + PlayOnMs);
  if (playback.refused()) {
    verdict.refusal = runs::RunRefusal::ImpossibleMove;
    return verdict;
  }
  verdict.result = playback.result();
  verdict.ghost = playback.ghost();
  return verdict;
}

RunVerdict verifyRunToken(std::string_view text) {
  RunVerdict verdict;
  verdict.refusal = runs::decodeRunToken(text, verdict.run);
  return verdict.accepted() ? verifyRun(verdict.run) : verdict;
}

RunVerdict verifyBoardToken(std::string_view text) {
  RunVerdict verdict;
  verdict.refusal = runs::decodeBoardToken(text, verdict.run);
  if (!verdict.accepted()) return verdict;
  const RunVerdict proof = verifyRun(verdict.run);
  verdict.refusal = proof.refusal;
  verdict.result = proof.result;
  verdict.ghost = proof.ghost;
  if (verdict.accepted() && !verdict.result.claimed) verdict.refusal = runs::RunRefusal::Unproven;
  return verdict;
}

std::string boardResultJson(const Board& board, const runs::RunResult& result) {
  return "{\"board\":\"" + runs::boardId(board) + "\",\"cleared\":" + (result.claimed ? "true" : "false") +
         ",\"score\":" + std::to_string(result.score) + ",\"shots\":" + std::to_string(result.shots) +
         ",\"timeMs\":" + std::to_string(result.timeMs) + ",\"stars\":" + std::to_string(result.stars) +
         ",\"version\":" + std::to_string(result.version) + "}";
}

std::string runResultJson(const runs::RunResult& result) {
  return "{\"day\":" + std::to_string(result.day) + ",\"level\":" + std::to_string(result.level) +
         ",\"score\":" + std::to_string(result.score) + ",\"shots\":" + std::to_string(result.shots) +
         ",\"timeMs\":" + std::to_string(result.timeMs) + ",\"stars\":" + std::to_string(result.stars) +
         ",\"claimed\":" + (result.claimed ? "true" : "false") + ",\"version\":" + std::to_string(result.version) +
         ",\"timeMode\":\"" + std::string(timeModeName(result.timeMode)) + "\"}";
}
