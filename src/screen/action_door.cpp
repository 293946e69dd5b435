// The one door for game-level actions. Keys, touch steps, the pad and the
// toolbar's and purchase buttons' commands all arrive here; during an attempt
// at a day's challenge the run recorder notes each action it takes, and a
// replayed run comes back through the same door.
#include "platform/mz_functions.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr int32_t SprayerStep = 23;
constexpr int32_t LeftmostSprayerX = 105;
constexpr int32_t RightmostSprayerX = 427;  // where a drag can take it

}  // namespace

// Outside an attempt at a day's challenge the designed handlers decide, as
// they always have. During one, an action is taken only where the player
// could make it on the game screen, so that a run holds nothing the game
// would not do.
bool GameWindow::actionPossible(runs::ActionKind kind) const {
  using runs::ActionKind;
  if (kind == ActionKind::StepLeft && sprayerX <= LeftmostSprayerX) return false;
  if (kind == ActionKind::StepRight && sprayerX >= RightmostSprayerX) return false;
  if (!daily.attemptActive) return true;
  const bool playing = std::string_view(currentScreen()) == "game";
  switch (kind) {
    case ActionKind::StepLeft:
    case ActionKind::StepRight:
    case ActionKind::Fire:
    case ActionKind::Claim:
    case ActionKind::Pause: return playing;
    case ActionKind::Repair:
    case ActionKind::Buy: return playing && score >= PurchasePrice;
    case ActionKind::Resume: return paused && std::string_view(currentScreen()) == "menu";
  }
  return false;
}

bool GameWindow::applyAction(runs::ActionKind kind) {
  using runs::ActionKind;
  if (!actionPossible(kind)) return false;
  if (daily.attemptActive) daily.run.actions.push_back(runs::RunAction{attemptTickMs(), kind});
  switch (kind) {
    case ActionKind::StepLeft:
    case ActionKind::StepRight:
      sprayerPicture.Invalidate();
      moveSprayer(sprayerX + (kind == ActionKind::StepLeft ? -SprayerStep : SprayerStep));
      sprayerPicture.Invalidate();
      break;
    case ActionKind::Fire: fireShot(); break;
    case ActionKind::Claim: claimLevel(); break;
    case ActionKind::Repair: repairTarget(); break;
    case ActionKind::Buy: buyShots(); break;
    case ActionKind::Pause: pauseToMenu(); break;
    case ActionKind::Resume: continueGame(); break;
  }
  return true;
}
