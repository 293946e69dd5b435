// The rules of play on the Play value: firing, the falling shot and what its
// landing does, scoring, keys, the purchases, the claim and the time bar.
#include "play/play.hpp"

#include <algorithm>

#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"

namespace {

constexpr int32_t CloudsInUse = 4;

bool isFullState(int32_t state) { return state >= 3 && state <= 18 && state % 3 == 0; }

}  // namespace

void Play::layBoard(const Board& board) { tubes = board.tubes; }

void Play::startLevel(int32_t number, const Board& board) {
  level = number;
  asksMixedKey = board.asksMixedKey;
  layBoard(board);
  targetScore = board.targetScore;
  resetAttempt();
}

void Play::resetAttempt() {
  levelPassed = false;
  gameOver = false;
  gameOverShown = false;
  shotInFlight = false;
  score = 0;
  mixedFromPrimaries = 0;
  hitPending = false;
  shotsLeft = StartingShots;
  nextColour = 0;
  takeNextColour();
  timeBarRunning = true;
  timeBarX = TimeBarFullX;
  keys = {};
  shotsFired = 0;
  boughtShots = false;
  repairedTube = false;
}

void Play::takeNextColour() {
  currentColour = nextColour;
  nextColour = generator.colour();
}

void Play::startSeeded(uint32_t seed) {
  generator.seed(seed);
  missCounter = 0;
  shot = Shot{};
  shotInFlight = false;
  sprayerX = SprayerStartX;
}

bool Play::possible(runs::ActionKind kind) const {
  using runs::ActionKind;
  if (attemptEnded()) return false;
  switch (kind) {
    case ActionKind::StepLeft: return !paused && sprayerX > SprayerLeftmostX;
    case ActionKind::StepRight: return !paused && sprayerX < SprayerRightmostX;
    case ActionKind::Fire:
    case ActionKind::Claim:
    case ActionKind::Pause: return !paused;
    case ActionKind::Repair:
    case ActionKind::Buy: return !paused && score >= PurchasePrice;
    case ActionKind::Resume: return paused;
  }
  return false;
}

Effects Play::apply(runs::ActionKind kind) {
  using runs::ActionKind;
  Effects effects;
  switch (kind) {
    case ActionKind::StepLeft:
    case ActionKind::StepRight: {
      const int32_t to = sprayerX + (kind == ActionKind::StepLeft ? -SprayerStep : SprayerStep);
      if (to < SprayerLeftmostX || to > SprayerRightmostX) break;
      effects.add(EffectKind::SprayerMoved, sprayerX);
      sprayerX = to;
      break;
    }
    case ActionKind::Fire: fire(effects); break;
    case ActionKind::Claim: claim(effects); break;
    case ActionKind::Repair: repair(effects); break;
    case ActionKind::Buy: buyShots(effects); break;
    case ActionKind::Pause:
      paused = true;
      effects.add(EffectKind::TimeBarClockStopped);
      break;
    case ActionKind::Resume:
      paused = false;
      effects.add(EffectKind::TimeBarClockStarted);
      break;
  }
  return effects;
}

// Every press restarts the time bar, even one that cannot launch a shot.
void Play::fire(Effects& effects) {
  if (!gameOver) {
    timeBarRunning = true;
    timeBarX = TimeBarFullX;
    effects.add(EffectKind::TimeBarRestarted);
  }
  if (!shotInFlight && shotsLeft > 0) {
    hitPending = true;
    shotsLeft -= 1;
    shotsFired += 1;
    shot = Shot{true, sprayerX + SprayerNozzle, ShotLaunchY, currentColour, true};
    shotInFlight = true;
    effects.add(EffectKind::ShotLaunched, currentColour);
    effects.add(EffectKind::Sound, PlaySound::shot);
    takeNextColour();
    effects.add(EffectKind::PreviewChanged);
    return;
  }
  if (shotsLeft < 1) {
    gameOver = true;
    showGameOver(effects);
  }
}

void Play::claim(Effects& effects) {
  if (keyRuleHolds()) {
    // The claim sent again on the level-passed screen counts once.
    const bool firstClaim = !levelPassed;
    levelPassed = true;
    effects.add(EffectKind::LevelPassed, firstClaim ? 1 : 0);
  }
  effects.add(EffectKind::Sound, PlaySound::claim);
}

// The points are spent even when no tube is spoiled.
void Play::repair(Effects& effects) {
  if (score < PurchasePrice) return;
  score -= PurchasePrice;
  effects.add(EffectKind::ScoreChanged);
  const auto spoiled = std::find(tubes.begin(), tubes.end(), TargetSpoiled);
  if (spoiled != tubes.end()) {
    *spoiled = TargetEmpty;
    repairedTube = true;
    effects.add(EffectKind::TubeChanged, static_cast<int32_t>(spoiled - tubes.begin()));
  }
  if (score < PurchasePrice) effects.add(EffectKind::RepairDimmed);
  effects.add(EffectKind::Sound, PlaySound::repaired);
}

void Play::buyShots(Effects& effects) {
  if (score < PurchasePrice) return;
  score -= PurchasePrice;
  shotsLeft += ShotsPerPurchase;
  boughtShots = true;
  effects.add(EffectKind::ScoreChanged);
  if (score < PurchasePrice) effects.add(EffectKind::BuyDimmed);
}

// The shot stands still while the game waits under the menu.
Effects Play::tickShot() {
  Effects effects;
  if (!shot.fired || paused) return effects;
  if (shot.y < ShotGoneY) {
    shot.y += ShotFallPerTick;
    effects.add(EffectKind::ShotMoved);
    // A shot launched with the last charge is never resolved.
    if (shot.y > ShotResolveY && shotsLeft > 0 && hitPending) {
      hitPending = false;
      resolveShot(effects);
    }
    effects.add(EffectKind::PurchaseLooks);
    if (keyRuleHolds()) effects.add(EffectKind::PassLit);
    if (gameOver) showGameOver(effects);
  }
  if (shot.y > ShotGoneY && (shot.visible || shotInFlight)) {
    shot.visible = false;
    shotInFlight = false;
    effects.add(EffectKind::ShotGone);
  }
  return effects;
}

bool Play::shotClockIdle() const {
  return !shot.fired || paused || (!shotInFlight && !shot.visible && shot.y >= ShotGoneY);
}

// A tick is quiet while the shot falls without being resolved, hidden or
// showing a lost attempt.
int32_t Play::quietShotTicks() const {
  if (shotClockIdle()) return QuietForever;
  if (gameOver || shot.y >= ShotGoneY) return 0;
  const int32_t lastQuietY = shotsLeft > 0 && hitPending ? ShotResolveY : ShotGoneY;
  return std::max(0, (lastQuietY - shot.y) / ShotFallPerTick);
}

int32_t Play::quietTimeBarTicks() const {
  const int32_t step = timeBarStepPerTick(timeMode);
  if (!timeBarRunning || step == 0) return QuietForever;
  return std::max(0, (timeBarX - 1) / step);
}

void Play::passQuietTicks(int32_t shotTicks, int32_t barTicks) {
  if (!shotClockIdle()) shot.y += ShotFallPerTick * shotTicks;
  if (timeBarRunning) timeBarX -= timeBarStepPerTick(timeMode) * barTicks;
}

void Play::resolveShot(Effects& effects) {
  const int32_t slot = slotFromX(shot.x);
  const int32_t state = slot == NoSlot ? TargetEmpty : tubes[static_cast<size_t>(slot)];
  const int32_t result = missColour(state, slot, missCounter, generator);
  if (result == -1) {
    applyColour(slot, shot.colour, true, effects);
    return;
  }
  if (result < 0) return;  // a plain miss
  // Every fourth miss throws a fresh random colour onto the leftmost tube
  // that is not spoiled.
  const int32_t colour = generator.colour();
  for (size_t j = 0; j < tubes.size(); ++j) {
    if (tubes[j] != TargetSpoiled) {
      applyColour(static_cast<int32_t>(j), colour, false, effects);
      return;
    }
  }
}

void Play::applyColour(int32_t slot, int32_t colour, bool directHit, Effects& effects) {
  int32_t& tube = tubes[static_cast<size_t>(slot)];
  const int32_t newState = mixTargetState(tube, static_cast<uint32_t>(colour), mixedFromPrimaries);
  lastLanding = Landing{lastLanding.count + 1, slot, colour, tube, newState};
  tube = newState;
  effects.add(EffectKind::TubeChanged, slot);
  if (newState == TargetSpoiled) {
    // A random colour that spoils a tube after the claim costs nothing.
    if (directHit || !levelPassed) spoil(slot, directHit, effects);
  } else if (isFullState(newState)) {
    complete(slot, newState, directHit, effects);
  }
  if (std::all_of(tubes.begin(), tubes.end(), [](int32_t state) { return state == TargetSpoiled; })) gameOver = true;
}

// A direct hit plays the spoil sound last; a random colour plays it before
// the lightning starts.
void Play::spoil(int32_t slot, bool directHit, Effects& effects) {
  score -= SpoilPenalty;
  effects.add(EffectKind::ScoreChanged);
  if (!directHit) effects.add(EffectKind::Sound, PlaySound::spoiled);
  effects.add(EffectKind::Lightning);
  tubes[static_cast<size_t>(slot)] = TargetSpoiled;
  effects.add(EffectKind::TubeChanged, slot);
  if (directHit) effects.add(EffectKind::Sound, PlaySound::spoiled);
  effects.add(EffectKind::Pulse, static_cast<int32_t>(PlayPulse::Spoil));
}

void Play::complete(int32_t slot, int32_t fullState, bool directHit, Effects& effects) {
  score += CompletionPoints;
  effects.add(EffectKind::ScoreChanged);
  if (directHit) {
    // Levels 1-2 draw 0..1 clouds, 3-4 0..2, ... 9-10 0..5; only four cloud
    // pictures are shown, so five drift as four.
    int32_t clouds = -1;
    if (level >= FirstLevel && level <= LevelCount) {
      const int32_t choices = (level + 1) / 2 + 1;
      clouds = std::min(generator.next() % choices, CloudsInUse);
    }
    effects.add(EffectKind::CloudDrift, clouds);
  }
  earnKey(fullState / 3 - 1, effects);
  if (score >= targetScore) earnKey(ScoreKey, effects);
  if (mixedFromPrimaries == 1) earnKey(MixedKey, effects);
  tubes[static_cast<size_t>(slot)] = TargetEmpty;
  effects.add(EffectKind::TubeChanged, slot);
  effects.add(EffectKind::Sound, PlaySound::completed);
  effects.add(EffectKind::Pulse, static_cast<int32_t>(PlayPulse::Complete));
}

void Play::earnKey(int32_t key, Effects& effects) {
  keys[static_cast<size_t>(key)] = true;
  effects.add(EffectKind::KeyEarned, key);
}

// Shown again at every shot tick while the attempt stays lost; the pulse
// comes only when the screen first appears.
void Play::showGameOver(Effects& effects) {
  if (!gameOverShown) effects.add(EffectKind::Pulse, static_cast<int32_t>(PlayPulse::GameOver));
  gameOverShown = true;
  effects.add(EffectKind::GameOverShown);
}

bool Play::keyRuleHolds() const {
  for (int32_t k = 0; k < KeyCount; ++k) {
    if (k == MixedKey && !asksMixedKey) continue;
    if (!keys[static_cast<size_t>(k)]) return false;
  }
  return true;
}

Effects Play::tickTimeBar() {
  Effects effects;
  const int32_t step = timeBarStepPerTick(timeMode);
  if (!timeBarRunning || step == 0) return effects;
  timeBarX -= step;
  effects.add(EffectKind::TimeBarMoved);
  if (timeBarX <= 0) {
    timeBarRunning = false;
    gameOver = true;  // shown by the next tick of a falling shot
  }
  return effects;
}
