// The window's command handler and the screens it moves between: menu,
// game, level passed, game over, exit question. The options panel, the help's
// pages, the level screen and the finale have files of their own.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "rules/level_table.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::handleCommand(uint32_t wParam, int32_t lParam) {
  const auto id = static_cast<int32_t>(wParam & 0xFFFF);
  if (id == ControlId::toolbar) {
    if (lParam == ToolbarButton::claim) claimLevel();
    if (lParam == ToolbarButton::fire) fireShot();
    if (lParam == ToolbarButton::back) pauseToMenu();
    return;
  }
  if (id >= ControlId::firstChoice && id <= ControlId::lastChoice) {
    chooseNextLevel();
    return;
  }
  if (id >= ControlId::firstLevelTile && id <= ControlId::lastLevelTile) {
    startChosenLevel(FirstLevel + id - ControlId::firstLevelTile);
    return;
  }
  switch (id) {
    case ControlId::repairButton: repairTarget(); break;
    case ControlId::buyShotsButton: buyShots(); break;
    case ControlId::retryButton: LoadLevel(currentLevel, true); break;
    case ControlId::gameOverBackButton: leaveGameOverToMenu(); break;
    case ControlId::startGame: startGame(); break;
    case ControlId::continueGame: continueGame(); break;
    case ControlId::options: openOptions(); break;
    case ControlId::helpButton: openHelp(); break;
    case ControlId::exitGame: exitGame(); break;
    case ControlId::soundToggle: toggleSound(); break;
    case ControlId::movementToggle: toggleMovement(); break;
    case ControlId::timeModeButton: cycleTimeMode(); break;
    case ControlId::vibrationToggle: toggleVibration(); break;
    case ControlId::speechToggle: toggleSpeech(); break;
    case ControlId::languageButton: switchToNextLanguage(); break;
    case ControlId::settingsBack: closeSettings(); break;
    case ControlId::helpBack: closeHelp(); break;
    case ControlId::levelsButton: openLevelScreen(); break;
    case ControlId::levelsBack: closeLevelScreen(); break;
    case ControlId::helpPrevious: turnHelpPage(-1); break;
    case ControlId::helpNext: turnHelpPage(1); break;
    default: break;  // the pass indicator and unknown ids do nothing
  }
}

// Toolbar "返回": the menu covers the game, which waits to be continued.
void GameWindow::pauseToMenu() {
  menuPicture.SetVisible(true);
  showMenuButtons();
  Invalidate(nullptr, 0);
  paused = true;
  inGame = false;
  KillTimer(m_hWnd, TimerId::timeBar);
  pausedAtMs = GetTickCount();
}

void GameWindow::leaveGameOverToMenu() {
  gameOver = false;
  inGame = false;
  hideGameOverButtons();
  showMenuButtons();
  menuPicture.SetVisible(true);
  Invalidate(nullptr, 0);
  KillTimer(m_hWnd, TimerId::timeBar);
}

// Start and continue wait for the menu: not during a game, the splash, or
// the level-passed or game-over screens. A paused attempt that ran out of
// time before the pause does not lock them: it is lost or resumed as usual.
bool GameWindow::menuMayStartGame() const {
  return !inGame && splashDone && !levelPassed && (!gameOver || paused) && !finaleShown();
}

bool GameWindow::IsPlayInProgress() const {
  return inGame && splashDone && !levelPassed && !gameOver && !exitQuestionOpen;
}

void GameWindow::startGame() {
  currentLevel = FirstLevel;
  if (!menuMayStartGame()) return;
  beginLevel(FirstLevel);
}

void GameWindow::beginLevel(int32_t level) {
  currentLevel = level;
  inGame = true;
  paused = false;
  toolbar.SetVisible(true);
  menuPicture.SetVisible(false);
  hideMenuButtons();
  setLevelScreenVisible(false);
  sound.playSound(SoundId::ready);
  Invalidate(nullptr, 0);
  LoadLevel(level, true);
}

void GameWindow::continueGame() {
  if (!menuMayStartGame()) return;
  if (paused) attemptPausedMs += GetTickCount() - pausedAtMs;
  if (!paused) {
    settings.Load();
    currentLevel = std::clamp(settings.level, FirstLevel, LevelCount);
    applyStoredSwitches();
  }
  inGame = true;
  toolbar.SetVisible(true);
  menuPicture.SetVisible(false);
  hideMenuButtons();
  Invalidate(nullptr, 0);
  if (!paused) LoadLevel(currentLevel, true);
  paused = false;
  SetTimer(m_hWnd, TimerId::timeBar, TimerPeriod::timeBar);
}

// Exit: the settings are saved before the question, so a refused exit has
// saved them all the same.
void GameWindow::exitGame() {
  sound.playSound(SoundId::exit);
  settings.Save();
  exitQuestionOpen = true;
  const int32_t answer = MzMessageBoxEx(m_hWnd, u"确定退出?", u"感谢对Ostra游戏的支持！", 4, 0);
  exitQuestionOpen = false;
  if (answer == 1) PostQuitMessage(0);
}

// Any word of the level-passed screen leads to the next level; after the
// last level it leads to the finale, the game complete.
void GameWindow::chooseNextLevel() {
  if (currentLevel >= LevelCount) {
    finishGame();
    return;
  }
  currentLevel += 1;
  LoadLevel(currentLevel, false);
}

void GameWindow::finishGame() {
  levelPassed = false;
  gameOver = false;
  inGame = false;
  paused = false;
  hideChoiceButtons();
  overlayPicture.SetVisible(false);
  recordMarkPicture.SetVisible(false);
  KillTimer(m_hWnd, TimerId::timeBar);
  showFinale();
}
