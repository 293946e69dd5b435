// A watched run played back: its Play runs on the replay's clocks
// (RunPlayback) at 1x, 2x or 4x, or stands paused, and this board draws it
// (tubes, keys, the sprayer, the shot, the next colour, the time bar, score
// and level) over the watch screen in the game's own places. It only reads.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "rules/level_table.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t SpeedTop = 632;
constexpr int32_t SpeedLeft = 108;
constexpr int32_t SpeedStep = 68;

}  // namespace

bool GameWindow::playbackShown() const {
  return openScreens.playback;
}

void GameWindow::buildPlaybackBoard() {
  WatchScreenControls& screen = watchScreen;
  screen.board.LoadImageW(imagePath(ImageFile::background), true);
  screen.board.SetPos(0, 0, 480, 625, 0);  // the game's backdrop, at its own size as in play
  screen.board.SetID(ControlId::playbackBoard);
  AddUiWin(&screen.board);
  for (size_t i = 0; i < screen.targets.size(); ++i) {
    screen.targets[i].SetID(ControlId::firstPlaybackTarget + static_cast<int32_t>(i));
    AddUiWin(&screen.targets[i]);
  }
  for (size_t k = 0; k < screen.keys.size(); ++k) {
    screen.keys[k].SetID(ControlId::firstPlaybackKey + static_cast<int32_t>(k));
    screen.keys[k].SetImage(&images.keyImages[k]);
    AddUiWin(&screen.keys[k]);
  }
  for (size_t c = 0; c < screen.shotImages.size(); ++c) {
    screen.shotImages[c].LoadImageW(imagePath(ImageFile::shots[c]));
    screen.previewImages[c].LoadImageW(imagePath(ImageFile::previews[c]));
  }
  screen.shot.SetID(ControlId::playbackShot);
  AddUiWin(&screen.shot);
  screen.preview.SetID(ControlId::playbackPreview);
  AddUiWin(&screen.preview);
  screen.timeBarImage.LoadImageW(imagePath(ImageFile::timeBar));
  screen.timeBar.SetImage(&screen.timeBarImage);
  screen.timeBar.SetID(ControlId::playbackTimeBar);
  AddUiWin(&screen.timeBar);
  screen.sprayer.LoadImageW(imagePath(ImageFile::sprayer), true);
  screen.sprayer.SetID(ControlId::playbackSprayer);
  AddUiWin(&screen.sprayer);
  screen.score.SetID(ControlId::playbackScore);
  screen.score.SetPos(3, 35, 96, 34, 0);
  screen.score.SetTextColor(MzWhite);
  AddUiWin(&screen.score);
  screen.level.SetID(ControlId::playbackLevel);
  screen.level.SetPos(43, 78, 50, 25, 0);
  screen.level.SetTextColor(MzWhite);
  AddUiWin(&screen.level);
  screen.replayMark.LoadImageW(imagePath(ImageFile::replayMark), true);
  screen.replayMark.SetPos(PlayMarkRect.left, PlayMarkRect.top, PlayMarkRect.right - PlayMarkRect.left,
                           PlayMarkRect.bottom - PlayMarkRect.top, 0);
  screen.replayMark.SetID(ControlId::replayMark);
  AddUiWin(&screen.replayMark);
  for (size_t i = 0; i < screen.speeds.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    setUpPanelButton(screen.speeds[i], ControlId::firstPlaybackSpeed + index,
                     ImageResource::firstSpeedLit + 2 * static_cast<uint32_t>(i), SpeedLeft + SpeedStep * index,
                     SpeedTop, 56, 40);
  }
  setUpPanelButton(screen.stop, ControlId::playbackStop, ImageResource::backLit, 207, 676, 65, 40);
  screen.playbackControls.add(screen.board, screen.targets, screen.keys, screen.preview, screen.timeBar,
                              screen.sprayer, screen.score, screen.level, screen.replayMark, screen.stop,
                              screen.speeds);
}

void GameWindow::setPlaybackVisible(bool visible) {
  setScreenVisible(watchScreen.playbackControls, openScreens.playback, visible);
  watchScreen.shot.SetVisible(false);
}

// The watch screen's run, or the maker's run of a received board once the
// player has tried it (its Watch shows then).
void GameWindow::startPlayback() {
  WatchScreenControls& screen = watchScreen;
  const bool board = boardScreenShown() && receivedBoard.watch.button.IsVisible();
  const bool run = watchScreenShown() && watchedRun && watchedRun->accepted();
  if (playbackShown() || (!board && !run)) return;
  if (screen.playbackControls.empty()) buildPlaybackBoard();
  screen.playback = std::make_unique<RunPlayback>(board ? receivedBoard.proof->run : watchedRun->run);
  screen.playbackTickMs = 0;
  screen.playingBoard = board;
  setWatchResultVisible(false);
  setBoardScreenVisible(false);
  setPlaybackVisible(true);
  setPlaybackSpeed(0);
  drawPlayback();
  SetTimer(m_hWnd, TimerId::playback, TimerPeriod::playback);
}

void GameWindow::stopPlayback() {
  WatchScreenControls& screen = watchScreen;
  KillTimer(m_hWnd, TimerId::playback);
  if (!screen.playback) return;
  screen.playback.reset();
  setPlaybackVisible(false);
  if (screen.playingBoard) {
    setBoardScreenVisible(true);
  } else {
    setWatchResultVisible(true);
  }
}

// The speed's button stays lit; the others show dim.
void GameWindow::setPlaybackSpeed(size_t index) {
  WatchScreenControls& screen = watchScreen;
  if (!playbackShown() || index >= PlaybackSpeeds.size()) return;
  screen.speed = PlaybackSpeeds[index];
  for (size_t i = 0; i < screen.speeds.size(); ++i) {
    PanelButton& speed = screen.speeds[i];
    speed.button.SetImage_Normal(i == index ? speed.lit : speed.dim);
    speed.button.SetImage_Pressed(i == index ? speed.dim : speed.lit);
    speed.button.Invalidate();
  }
}

void GameWindow::onPlaybackTick() {
  WatchScreenControls& screen = watchScreen;
  if (!screen.playback || screen.speed == 0) return;
  screen.playbackTickMs += TimerPeriod::playback * screen.speed;
  screen.playback->advanceTo(screen.playbackTickMs);
  drawPlayback();
  if (screen.playback->finished()) KillTimer(m_hWnd, TimerId::playback);
}

void GameWindow::drawPlayback() {
  WatchScreenControls& screen = watchScreen;
  const Play& game = screen.playback->play();
  for (size_t i = 0; i < screen.targets.size(); ++i) {
    screen.targets[i].SetPos(targetHomeX[i], targetHomeY, 32, 126, 0);
    screen.targets[i].SetVisible(true);
    screen.targets[i].SetImage(&images.targetImages[static_cast<size_t>(std::clamp(game.tubes[i], 0, 19))]);
  }
  for (size_t k = 0; k < screen.keys.size(); ++k) {
    screen.keys[k].SetPos(10, 140 + 40 * static_cast<int32_t>(k), 32, 32, 0);
    screen.keys[k].SetVisible(game.keys[k]);
  }
  screen.sprayer.SetPos(game.sprayerX, 10, 80, 153, 0);
  screen.sprayer.SetVisible(true);
  const bool flying = game.shotInFlight && game.shot.fired;
  if (flying) {
    screen.shot.SetPos(game.shot.x, game.shot.y, 16, 48, 0);
    screen.shot.SetImage(&screen.shotImages[static_cast<size_t>(std::clamp(game.shot.colour, 0, 5))]);
  }
  screen.shot.SetVisible(flying);
  screen.preview.SetPos(98, 340, 30, 40, 0);
  screen.preview.SetVisible(true);
  screen.preview.SetImage(&screen.previewImages[static_cast<size_t>(std::clamp(game.currentColour, 0, 5))]);
  screen.timeBar.SetPos(game.timeBarX, 614, 480, 6, 0);
  screen.timeBar.SetVisible(true);
  screen.score.SetText(Int2String(game.score).C_Str());
  screen.level.SetText(Int2String(game.level).C_Str());
}
