// Moving the sprayer by touch: a tap steps it towards that half of the
// screen, a drag steps it towards the finger, each step through the action
// door. With the movement switch on its picture glides to each new place
// instead of jumping there. On the help, a finger swept sideways turns the page.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr int32_t SprayerY = 10;
constexpr int32_t LowestMovingTap = 612;  // taps at or below this y are ignored
constexpr int32_t ScreenMiddle = 240;
constexpr int32_t GlidePerTick = 6;
constexpr int32_t HelpSwipe = 60;  // the least sideways sweep that turns a help page

}  // namespace

void GameWindow::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (finaleShown()) {
    closeFinale();  // any press leaves the finale
    return;
  }
  helpSwipeStartX = x;
  if (y >= LowestMovingTap) return;
  if (x < ScreenMiddle) stepByTap(runs::ActionKind::StepLeft);
  if (x > ScreenMiddle) stepByTap(runs::ActionKind::StepRight);
}

// A tap steps the sprayer no further right than TapRightmostX.
void GameWindow::stepByTap(runs::ActionKind step) {
  if (step == runs::ActionKind::StepRight && play.sprayerX >= Play::TapRightmostX) return;
  applyAction(step);
}

void GameWindow::OnLButtonUp(uint32_t, int32_t x, int32_t) {
  if (x <= helpSwipeStartX - HelpSwipe) turnHelpPage(1);
  if (x >= helpSwipeStartX + HelpSwipe) turnHelpPage(-1);
}

// One step towards the finger per move event; y does not matter. A finger
// past the tap's reach takes the sprayer one step further.
void GameWindow::OnMouseMove(uint32_t, int32_t x, int32_t) {
  const int32_t finger = std::clamp(x, Play::SprayerLeftmostX, Play::TapRightmostX + 1);
  if (finger > play.sprayerX) {
    applyAction(runs::ActionKind::StepRight);
  } else if (finger < play.sprayerX) {
    applyAction(runs::ActionKind::StepLeft);
  }
}

void GameWindow::placeSprayerAtStart() {
  KillTimer(m_hWnd, TimerId::glide);
  sprayerPicture.Invalidate();
  sprayerPicture.SetPos(play.sprayerX, SprayerY, sprayerPicture.GetWidth(), sprayerPicture.GetHeight(), 0);
  sprayerPicture.Invalidate();
}

void GameWindow::moveSprayerPicture(int32_t fromX) {
  if (movementOn) {
    // The picture stands where the sprayer was unless a glide is under way.
    if (sprayerPicture.GetPosX() == fromX) SetTimer(m_hWnd, TimerId::glide, TimerPeriod::glide);
    return;
  }
  KillTimer(m_hWnd, TimerId::glide);
  sprayerPicture.SetPos(play.sprayerX, SprayerY, sprayerPicture.GetWidth(), sprayerPicture.GetHeight(), 0);
}

void GameWindow::onGlideTick() {
  const int32_t shown = sprayerPicture.GetPosX();
  const int32_t step = std::clamp(play.sprayerX - shown, -GlidePerTick, GlidePerTick);
  sprayerPicture.SetPos(shown + step, SprayerY, sprayerPicture.GetWidth(), sprayerPicture.GetHeight(), 0);
  if (shown + step == play.sprayerX) KillTimer(m_hWnd, TimerId::glide);
}
