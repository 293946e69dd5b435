// The daily screen: reached from its own button on the start menu, it shows
// today's challenge (the day's number and level), today's official result or
// a way to play it, the streaks, and the ways to share today's run and to
// open a run someone shared; with a leaderboard, the ways to post today's run
// there, to see the day's board and to take another name.
#include <string>

#include "platform/host.hpp"
#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"
#include "text/trimmed.hpp"

namespace {

constexpr int32_t RowTop = 138;
constexpr std::array<const char16_t*, DailyScreenControls::Rows> RowWords = {
    u"第几天", u"关卡", u"今天的成绩", u"连续天数", u"最佳连续"};

void setNumber(UiStatic& label, int32_t value) { label.SetText(Int2String(value).C_Str()); }

}  // namespace

void addPanelRows(CMzWndEx& window, std::span<PanelRow> rows, std::span<const char16_t* const> words,
                  int32_t firstId, int32_t top) {
  // A word centred on the left, its value on the right.
  constexpr int32_t WordLeft = 40;
  constexpr int32_t WordWidth = 210;
  constexpr int32_t ValueLeft = 250;
  constexpr int32_t ValueWidth = 190;
  constexpr int32_t RowHeight = 30;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    const int32_t y = top + PanelRowStep * index;
    addInkLabel(window, rows[i].word, firstId + 2 * index, WordLeft, y, WordWidth, RowHeight);
    rows[i].word.SetText(words[i]);
    addInkLabel(window, rows[i].value, firstId + 2 * index + 1, ValueLeft, y, ValueWidth, RowHeight);
  }
}

void GameWindow::setUpPanelButton(PanelButton& button, int32_t id, uint32_t litResource, int32_t x, int32_t y,
                                  int32_t width, int32_t height) {
  const InstanceHandle instance = MzGetInstanceHandle();
  button.lit = button.images.LoadImageW(instance, litResource, true);
  button.dim = button.images.LoadImageW(instance, litResource + 1, true);
  setUpImageButton(button.button, id, x, y, width, height, button.lit, button.dim, 0);
}

bool GameWindow::dailyScreenShown() const {
  return openScreens.daily;
}

void GameWindow::buildDailyScreen() {
  DailyScreenControls& screen = dailyScreen;
  addScreenPicture(screen.picture, ImageFile::daily, ControlId::dailyPicture);
  addPanelRows(*this, screen.rows, RowWords, ControlId::firstDailyRow, RowTop);
  // Today's stars stand under its score.
  screen.stars.SetID(ControlId::dailyStars);
  screen.stars.SetPos(290, RowTop + 2 * PanelRowStep + 30, 110, 32, 0);
  AddUiWin(&screen.stars);
  addInkLabel(*this, screen.note, ControlId::dailyNote, 40, 378, 400, 28);
  // Two rows of buttons, or with a leaderboard three, closer together: Play
  // then stands beside the leaderboard's button, Post beside Another name.
  const bool board = leaderboardOn();
  const int32_t firstRow = board ? 412 : 420;
  const int32_t rowStep = board ? 52 : 60;
  setUpPanelButton(screen.play, ControlId::dailyPlay, ImageResource::dailyPlayLit, board ? 70 : 160, firstRow, 160, 44);
  setUpPanelButton(screen.leaderboard, ControlId::dailyLeaderboard, ImageResource::leaderboardLit, 250, firstRow, 160,
                   44);
  setUpPanelButton(screen.share, ControlId::dailyShare, ImageResource::dailyShareLit, 70, firstRow + rowStep, 160, 44);
  setUpPanelButton(screen.openRun, ControlId::dailyOpenRun, ImageResource::openRunLit, 250, firstRow + rowStep, 160,
                   44);
  setUpPanelButton(screen.post, ControlId::dailyPost, ImageResource::postLit, 70, firstRow + 2 * rowStep, 160, 44);
  setUpPanelButton(screen.anotherName, ControlId::dailyAnotherName, ImageResource::anotherNameLit, 250,
                   firstRow + 2 * rowStep, 160, 44);
  addInkLabel(*this, screen.message, ControlId::dailyMessage, 40, firstRow + (board ? 3 : 2) * rowStep, 400, 28);
  setUpPanelButton(screen.back, ControlId::dailyBack, ImageResource::backLit, 207, 628, 65, 40);
  screen.controls.add(screen.picture, screen.rows, screen.stars, screen.note, screen.message, screen.play,
                      screen.share, screen.openRun, screen.back);
  screen.leaderboardButtons.add(screen.leaderboard, screen.post, screen.anotherName);
}

void GameWindow::setDailyScreenVisible(bool visible) {
  DailyScreenControls& screen = dailyScreen;
  setScreenVisible(screen.controls, openScreens.daily, visible);
  screen.leaderboardButtons.setVisible(visible && leaderboardOn());
}

// The rows, the note and the buttons after today's state: Play while there is
// a challenge today, Share once today's official attempt is over.
void GameWindow::showDailyState() {
  DailyScreenControls& screen = dailyScreen;
  const DailyToday today = dailyToday();
  const bool challenge = today.day >= 1;
  setNumber(screen.rows[0].value, today.day);
  setNumber(screen.rows[1].value, today.level);
  if (today.result) {
    setNumber(screen.rows[2].value, today.result->score);
    screen.stars.LoadImageW(imagePath(ImageFile::stars[static_cast<size_t>(today.result->stars)]), true);
  } else {
    screen.rows[2].value.SetText(today.interrupted ? u"中断了" : u"还没玩");
  }
  screen.stars.SetVisible(today.result.has_value());
  setNumber(screen.rows[3].value, today.streak);
  setNumber(screen.rows[4].value, today.bestStreak);
  for (PanelRow& row : screen.rows) row.value.SetVisible(challenge);
  const char16_t* note = u"";
  if (challenge && today.nextIsPractice) {
    note = today.result        ? u"今天已挑战：再玩只算练习"
           : today.interrupted ? u"今天的挑战中断了：再玩只算练习"
                               : u"时间条不是标准：只算练习";
  }
  screen.note.SetText(note);
  screen.message.SetText(dailyPostLine().c_str());
  screen.play.button.SetVisible(challenge);
  screen.share.button.SetVisible(!dailyShareToken().empty());
  // Post once today's official run is kept, until it was asked for.
  screen.leaderboard.button.SetVisible(leaderboardOn() && challenge);
  screen.post.button.SetVisible(leaderboardOn() && today.result && todaysPost() == nullptr);
  Invalidate(nullptr, 0);
}

// Only from the menu itself: its button is on screen there alone.
void GameWindow::openDailyScreen() {
  if (!menuMayStartGame() || !dailyButton.button.IsVisible()) return;
  if (dailyScreen.controls.empty()) buildDailyScreen();
  hideMenuButtons();
  // The player's name shows from the first visit; a post that got no answer
  // before tries again.
  if (leaderboardOn()) ensurePlayer();
  sendWaitingPosts();
  setDailyScreenVisible(true);
  showDailyState();
}

void GameWindow::closeDailyScreen() {
  if (!dailyScreenShown()) return;
  setDailyScreenVisible(false);
  showMenuButtons();
}

void GameWindow::playDailyChallenge() {
  if (!dailyScreenShown()) return;
  setDailyScreenVisible(false);
  // The attempt starts from the menu as the menu's own buttons start play.
  if (!startDailyAttempt()) {
    setDailyScreenVisible(true);
    showDailyState();
  }
}

void GameWindow::shareDailyRun() {
  if (!dailyScreenShown()) return;
  const std::string text = dailyShareText();
  Host* host = currentHost();
  if (text.empty() || host == nullptr) return;
  switch (host->shareText(text)) {
    case ShareOutcome::Copied: dailyScreen.message.SetText(u"已复制"); break;
    case ShareOutcome::Failed: dailyScreen.message.SetText(u"无法分享"); break;
    case ShareOutcome::Handed: dailyScreen.message.SetText(u""); break;  // the share sheet speaks for itself
  }
  Invalidate(nullptr, 0);
}

void GameWindow::openRunFromClipboard() {
  if (!dailyScreenShown()) return;
  Host* host = currentHost();
  const std::string text = host ? host->clipboardText() : std::string();
  if (trimmed(text).empty()) {
    dailyScreen.message.SetText(u"剪贴板里没有记录");
    Invalidate(nullptr, 0);
    return;
  }
  openWatchScreen(text);
}
