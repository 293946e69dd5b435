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
    if (lParam == ToolbarButton::claim) applyAction(runs::ActionKind::Claim);
    if (lParam == ToolbarButton::fire) applyAction(runs::ActionKind::Fire);
    if (lParam == ToolbarButton::back) applyAction(runs::ActionKind::Pause);
    return;
  }
  if (id >= ControlId::firstChoice && id <= ControlId::lastChoice) {
    chooseNextLevel();
    return;
  }
  if (id >= ControlId::firstPlaybackSpeed && id <= ControlId::lastPlaybackSpeed) {
    setPlaybackSpeed(static_cast<size_t>(id - ControlId::firstPlaybackSpeed));
    return;
  }
  if (id >= ControlId::firstLeaderboardRow && id <= ControlId::lastLeaderboardRow) {
    chooseLeaderboardRow(static_cast<size_t>(id - ControlId::firstLeaderboardRow));
    return;
  }
  if (id >= ControlId::firstMakerTube && id <= ControlId::lastMakerTube) {
    cycleMakerTube(static_cast<size_t>(id - ControlId::firstMakerTube));
    return;
  }
  if (id >= ControlId::firstLevelTile && id <= ControlId::lastLevelTile) {
    startChosenLevel(FirstLevel + id - ControlId::firstLevelTile);
    return;
  }
  switch (id) {
    case ControlId::repairButton: applyAction(runs::ActionKind::Repair); break;
    case ControlId::buyShotsButton: applyAction(runs::ActionKind::Buy); break;
    case ControlId::retryButton: retryLevel(); break;
    case ControlId::gameOverBackButton: leaveGameOverToMenu(); break;
    case ControlId::startGame: startGame(); break;
    case ControlId::continueGame:
      if (play.paused) {
        applyAction(runs::ActionKind::Resume);
      } else {
        continueGame();
      }
      break;
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
    case ControlId::dailyButton: openDailyScreen(); break;
    case ControlId::dailyPlay: playDailyChallenge(); break;
    case ControlId::dailyShare: shareDailyRun(); break;
    case ControlId::dailyOpenRun: openRunFromClipboard(); break;
    case ControlId::dailyBack: closeDailyScreen(); break;
    case ControlId::dailyPost: postTodaysRun(); break;
    case ControlId::dailyLeaderboard: openLeaderboardScreen(); break;
    case ControlId::dailyAnotherName: drawAnotherName(); break;
    case ControlId::leaderboardBack: closeLeaderboardScreen(); break;
    case ControlId::watchPlay: startPlayback(); break;
    case ControlId::watchRace: raceWatchedRun(); break;
    case ControlId::watchBack: closeWatchScreen(); break;
    case ControlId::playbackStop: stopPlayback(); break;
    case ControlId::makeButton: openMaker(); break;
    case ControlId::makerScoreDown: stepMakerScore(-1); break;
    case ControlId::makerScoreUp: stepMakerScore(1); break;
    case ControlId::makerNewColours: recolourMadeBoard(); break;
    case ControlId::makerTry: tryMadeBoard(); break;
    case ControlId::makerShare: shareMadeBoard(); break;
    case ControlId::makerOpenBoard: openBoardFromClipboard(); break;
    case ControlId::makerBack: closeMaker(); break;
    case ControlId::boardPlay: playReceivedBoard(); break;
    case ControlId::boardRace: raceReceivedBoard(); break;
    case ControlId::boardWatch: startPlayback(); break;
    case ControlId::boardBack: closeBoardScreen(); break;
    default: break;  // the pass indicator and unknown ids do nothing
  }
}

// Toolbar "返回": the menu covers the game, which waits to be continued.
void GameWindow::pauseToMenu() {
  menuPicture.SetVisible(true);
  openScreens.menu = true;
  showMenuButtons();
  Invalidate(nullptr, 0);
  inGame = false;
  carryOut(play.apply(runs::ActionKind::Pause));
  pausedAtMs = GetTickCount();
}

void GameWindow::leaveGameOverToMenu() {
  if (daily.boardInPlay != BoardInPlay::None) {
    returnFromBoardAttempt();
    return;
  }
  leaveDailyPlay();
  play.gameOver = false;
  inGame = false;
  hideGameOverButtons();
  showMenuButtons();
  menuPicture.SetVisible(true);
  openScreens.menu = true;
  Invalidate(nullptr, 0);
  KillTimer(m_hWnd, TimerId::timeBar);
}

// Start and continue wait for the menu: not during a game, the splash, or
// the level-passed or game-over screens. A paused attempt that ran out of
// time before the pause does not lock them: it is lost or resumed as usual.
bool GameWindow::menuMayStartGame() const {
  return !inGame && splashDone && !play.levelPassed && (!play.gameOver || play.paused) && !finaleShown();
}

bool GameWindow::IsPlayInProgress() const {
  return inGame && splashDone && !play.levelPassed && !play.gameOver && !exitQuestionOpen;
}

void GameWindow::startGame() {
  currentLevel = FirstLevel;
  if (!menuMayStartGame()) return;
  leaveDailyPlay();
  beginLevel(FirstLevel);
}

// Retry after game over: a day's challenge is tried again with the day's own
// colours (as practice), never rerolled, and a board with its own; any other
// level starts afresh.
void GameWindow::retryLevel() {
  if (daily.dayInPlay != 0 && startDayAttempt(daily.dayInPlay, daily.run.timeMode, nullptr)) return;
  if (daily.boardInPlay != BoardInPlay::None && daily.run.board) {
    const Board board = *daily.run.board;
    if (startBoardAttempt(board, daily.run.timeMode, nullptr, daily.boardInPlay)) return;
  }
  LoadLevel(currentLevel, true);
}

void GameWindow::beginLevel(int32_t level) {
  enterGame(level);
  LoadLevel(level, true);
}

void GameWindow::enterGame(int32_t level) {
  currentLevel = level;
  inGame = true;
  play.paused = false;
  toolbar.SetVisible(true);
  menuPicture.SetVisible(false);
  openScreens.menu = false;
  hideMenuButtons();
  setLevelScreenVisible(false);
  sound.playSound(SoundId::ready);
  Invalidate(nullptr, 0);
}

void GameWindow::continueGame() {
  if (!menuMayStartGame()) return;
  const bool resuming = play.paused;
  if (resuming) attemptPausedMs += GetTickCount() - pausedAtMs;
  if (!resuming) {
    leaveDailyPlay();
    settings.Load();
    currentLevel = std::clamp(settings.level, FirstLevel, LevelCount);
    applyStoredSwitches();
  }
  inGame = true;
  toolbar.SetVisible(true);
  menuPicture.SetVisible(false);
  openScreens.menu = false;
  hideMenuButtons();
  Invalidate(nullptr, 0);
  if (resuming) {
    carryOut(play.apply(runs::ActionKind::Resume));
  } else {
    LoadLevel(currentLevel, true);
    SetTimer(m_hWnd, TimerId::timeBar, TimerPeriod::timeBar);
  }
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
  // A day's challenge is one level: after it, the menu.
  if (daily.dayInPlay != 0) {
    leaveDailyToMenu();
    return;
  }
  if (currentLevel >= LevelCount) {
    finishGame();
    return;
  }
  currentLevel += 1;
  LoadLevel(currentLevel, false);
}

void GameWindow::leaveDailyToMenu() {
  leaveDailyPlay();
  play.levelPassed = false;
  inGame = false;
  play.paused = false;
  hideChoiceButtons();
  overlayPicture.SetVisible(false);
  openScreens.overlay = Overlay::None;
  KillTimer(m_hWnd, TimerId::timeBar);
  menuPicture.SetVisible(true);
  openScreens.menu = true;
  showMenuButtons();
  openDailyScreen();  // today's result, with its Share
  Invalidate(nullptr, 0);
}

void GameWindow::finishGame() {
  play.levelPassed = false;
  play.gameOver = false;
  inGame = false;
  play.paused = false;
  hideChoiceButtons();
  overlayPicture.SetVisible(false);
  openScreens.overlay = Overlay::None;
  recordMarkPicture.SetVisible(false);
  KillTimer(m_hWnd, TimerId::timeBar);
  showFinale();
}
