// The one door for game-level actions. Keys, touch steps, the pad and the
// toolbar's and purchase buttons' commands all arrive here; during an attempt
// at a day's challenge the run recorder notes each action it takes, and a
// replayed run plays the same actions on a Play of its own.
#include "platform/mz_functions.hpp"
#include "screen/game_window.hpp"

// Outside an attempt at a day's challenge the designed handlers decide, as
// they always have, within the sprayer's rail. During one, an action is
// taken only where the player could make it on the game screen and the
// attempt takes it, so that a run holds nothing its proof would refuse.
bool GameWindow::actionPossible(runs::ActionKind kind) const {
  using runs::ActionKind;
  if (kind == ActionKind::StepLeft && play.sprayerX <= Play::SprayerLeftmostX) return false;
  if (kind == ActionKind::StepRight && play.sprayerX >= Play::SprayerRightmostX) return false;
  if (!daily.attemptActive) return true;
  return play.possible(kind) && screenOnTop() == (kind == ActionKind::Resume ? Screen::Menu : Screen::Game);
}

bool GameWindow::applyAction(runs::ActionKind kind) {
  using runs::ActionKind;
  if (!actionPossible(kind)) return false;
  if (daily.attemptActive) daily.run.actions.push_back(runs::RunAction{attemptTickMs(), kind});
  switch (kind) {
    case ActionKind::Pause: pauseToMenu(); break;
    case ActionKind::Resume: continueGame(); break;
    default: carryOut(play.apply(kind)); break;
  }
  return true;
}
