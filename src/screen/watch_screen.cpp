// The watch screen: a shared run, proven by replaying it through the rules as
// soon as it is opened, shows its result (or why it was refused); from there
// it is played back, or raced.
#include <string>

#include <algorithm>

#include "platform/language/language.hpp"
#include "platform/mz_functions.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"
#include "screen/run_messages.hpp"

namespace {

constexpr int32_t WatchRowTop = 174;

constexpr std::array<const char16_t*, WatchScreenControls::Rows> WatchRowWords = {
    u"第几天", u"关卡", u"得分", u"发射次数", u"用时"};

// Game time as minutes and seconds, "1:48".
std::u16string minutesAndSeconds(uint32_t ms) {
  const uint32_t seconds = ms / 1000;
  std::u16string text = Int2String(static_cast<int32_t>(seconds / 60)).C_Str();
  text += u':';
  if (seconds % 60 < 10) text += u'0';
  text += Int2String(static_cast<int32_t>(seconds % 60)).C_Str();
  return text;
}

}  // namespace

bool GameWindow::watchScreenShown() const {
  return openScreens.watchResult;
}

void GameWindow::buildWatchScreen() {
  WatchScreenControls& screen = watchScreen;
  addScreenPicture(screen.picture, ImageFile::watch, ControlId::watchPicture);
  addInkLabel(*this, screen.verdict, ControlId::watchVerdict, 40, 132, 400, 30);
  addPanelRows(*this, screen.rows, WatchRowWords, ControlId::firstWatchRow, WatchRowTop);
  addInkLabel(*this, screen.reason, ControlId::watchReason, 40, 200, 400, 30);
  screen.stars.SetID(ControlId::watchStars);
  screen.stars.SetPos(185, 396, 110, 32, 0);
  AddUiWin(&screen.stars);
  setUpPanelButton(screen.watch, ControlId::watchPlay, ImageResource::watchLit, 160, 450, 160, 44);
  setUpPanelButton(screen.race, ControlId::watchRace, ImageResource::raceLit, 160, 510, 160, 44);
  setUpPanelButton(screen.back, ControlId::watchBack, ImageResource::backLit, 207, 628, 65, 40);
  screen.controls.add(screen.picture, screen.verdict, screen.back);
  screen.whenAccepted.add(screen.rows, screen.stars, screen.watch, screen.race);
}

void GameWindow::setWatchResultVisible(bool visible) {
  WatchScreenControls& screen = watchScreen;
  if (screen.controls.empty()) return;
  setScreenVisible(screen.controls, openScreens.watchResult, visible);
  const bool accepted = visible && watchedRun && watchedRun->accepted();
  screen.whenAccepted.setVisible(accepted);
  screen.reason.SetVisible(visible && !accepted);
}

void GameWindow::showWatchedRun() {
  WatchScreenControls& screen = watchScreen;
  if (!watchedRun) return;
  if (!watchedRun->accepted()) {
    screen.verdict.SetText(u"无法验证");
    screen.reason.SetText(std::u16string(runRefusalMessage(watchedRun->refusal)).c_str());
    return;
  }
  const runs::RunResult& result = watchedRun->result;
  // A run not at the normal time bar says which it was, beside the verdict.
  std::u16string verdict(translatedText(u"已验证"));
  if (result.timeMode != TimeMode::Normal) {
    verdict += u" \u00b7 ";
    verdict += translatedText(words::timeModeNames[static_cast<size_t>(result.timeMode)]);
  }
  screen.verdict.SetText(verdict.c_str());
  screen.rows[0].value.SetText(Int2String(result.day).C_Str());
  screen.rows[1].value.SetText(Int2String(result.level).C_Str());
  screen.rows[2].value.SetText(Int2String(result.score).C_Str());
  screen.rows[3].value.SetText(Int2String(result.shots).C_Str());
  screen.rows[4].value.SetText(minutesAndSeconds(result.timeMs).c_str());
  screen.stars.LoadImageW(imagePath(ImageFile::stars[static_cast<size_t>(std::clamp(result.stars, 0, 3))]), true);
}

// From the daily screen's Open a run, a row of the leaderboard, or at start
// for a run the command line or the page's address brought. Nothing of the
// run is kept.
void GameWindow::openWatchScreen(std::string_view text) {
  if (!menuMayStartGame()) return;
  using From = WatchScreenControls::From;
  watchScreen.from = leaderboardScreenShown() ? From::Leaderboard : dailyScreenShown() ? From::Daily : From::Menu;
  if (watchScreen.controls.empty()) buildWatchScreen();
  watchedRun = verifyRunToken(text);
  hideMenuButtons();
  setDailyScreenVisible(false);
  setLeaderboardScreenVisible(false);
  showWatchedRun();
  setWatchResultVisible(true);
}

void GameWindow::closeWatchScreen() {
  if (!watchScreenShown() && !playbackShown()) return;
  // A received board's playback goes back to the board's screen.
  if (playbackShown() && watchScreen.playingBoard) {
    stopPlayback();
    return;
  }
  stopPlayback();
  setWatchResultVisible(false);
  watchedRun.reset();
  switch (watchScreen.from) {
    case WatchScreenControls::From::Daily:
      setDailyScreenVisible(true);
      showDailyState();
      break;
    case WatchScreenControls::From::Leaderboard:
      setLeaderboardScreenVisible(true);
      showLeaderboard();
      break;
    case WatchScreenControls::From::Menu: showMenuButtons(); break;
  }
}

// Race this run: a practice of its level seeded as it was, its ghost beside
// the player's sprayer.
void GameWindow::raceWatchedRun() {
  if (!watchScreenShown() || !watchedRun || !watchedRun->accepted()) return;
  const RunVerdict verdict = *watchedRun;
  stopPlayback();
  setWatchResultVisible(false);
  watchedRun.reset();
  if (!startRunAttempt(verdict.run, &verdict.ghost)) {
    watchedRun = verdict;
    setWatchResultVisible(true);
  }
}
