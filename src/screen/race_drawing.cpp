// What the game screen adds during daily play: the practice mark while an
// attempt keeps nothing, and, while racing a run, that run's sprayer (faint)
// with its score under it, as they stood at the same moment of game time. Both are drawing
// only: the ghost reads its track and never touches the game.
#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t SprayerTop = 10;
constexpr int32_t SprayerWidth = 80;
constexpr int32_t SprayerHeight = 153;
// The ghost's word and score hang under its sprayer, in the pictures' ink.
constexpr MzColour GhostInk = 0x2E2448;
constexpr int32_t GhostWordTop = SprayerTop + SprayerHeight + 2;
constexpr int32_t GhostWordHeight = 16;
constexpr int32_t GhostScoreHeight = 22;

}  // namespace

// Built before the menu's picture, which then covers them with the game.
void GameWindow::buildRaceDrawing() {
  RaceControls& controls = race;
  controls.ghost.LoadImageW(imagePath(ImageFile::ghost), true);
  controls.ghost.SetPos(0, SprayerTop, SprayerWidth, SprayerHeight, 0);
  controls.ghost.SetID(ControlId::ghostPicture);
  AddUiWin(&controls.ghost);
  controls.ghostWord.SetID(ControlId::ghostWord);
  controls.ghostWord.SetPos(0, GhostWordTop, SprayerWidth, GhostWordHeight, 0);
  controls.ghostWord.SetTextColor(GhostInk);
  controls.ghostWord.SetText(u"幽灵");
  AddUiWin(&controls.ghostWord);
  controls.ghostScore.SetID(ControlId::ghostScore);
  controls.ghostScore.SetPos(0, GhostWordTop + GhostWordHeight, SprayerWidth, GhostScoreHeight, 0);
  controls.ghostScore.SetTextColor(GhostInk);
  AddUiWin(&controls.ghostScore);
  controls.practiceMark.LoadImageW(imagePath(ImageFile::practiceMark), true);
  controls.practiceMark.SetPos(PlayMarkRect.left, PlayMarkRect.top, PlayMarkRect.right - PlayMarkRect.left,
                               PlayMarkRect.bottom - PlayMarkRect.top, 0);
  controls.practiceMark.SetID(ControlId::practiceMark);
  AddUiWin(&controls.practiceMark);
  controls.built = true;
  showRaceDrawing();
}

// After every change of the daily attempt: shown while its game is on screen.
void GameWindow::showRaceDrawing() {
  RaceControls& controls = race;
  if (!controls.built) return;
  const bool playing = daily.attemptActive && inGame && !play.levelPassed && !play.gameOver;
  const bool racing = playing && daily.racing;
  // A board's attempt is no day's: never practice.
  controls.practiceMark.SetVisible(playing && !daily.official && daily.boardInPlay == BoardInPlay::None);
  controls.ghost.SetVisible(racing);
  controls.ghostWord.SetVisible(racing);
  controls.ghostScore.SetVisible(racing);
  if (racing) {
    onGhostTick();
    SetTimer(m_hWnd, TimerId::ghost, TimerPeriod::ghost);
  } else {
    KillTimer(m_hWnd, TimerId::ghost);
  }
  Invalidate(nullptr, 0);
}

void GameWindow::onGhostTick() {
  if (!daily.racing) return;
  const runs::GhostState ghost = daily.ghost.at(attemptTickMs());
  race.ghost.SetPos(ghost.sprayerX, SprayerTop, SprayerWidth, SprayerHeight, 0);
  race.ghostWord.SetPos(ghost.sprayerX, GhostWordTop, SprayerWidth, GhostWordHeight, 0);
  race.ghostScore.SetPos(ghost.sprayerX, GhostWordTop + GhostWordHeight, SprayerWidth, GhostScoreHeight, 0);
  race.ghostScore.SetText(Int2String(ghost.score).C_Str());
}
