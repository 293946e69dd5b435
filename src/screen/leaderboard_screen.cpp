// The leaderboard screen: reached from the daily screen, it shows today's top
// ten, the player's own row and their standing; choosing a row fetches that
// run and opens it on the watch screen, from where it is watched or raced.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "platform/system/utf.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/sentence.hpp"

namespace {

constexpr int32_t BoardRowLeft = 40;
constexpr int32_t BoardRowWidth = 400;
constexpr int32_t BoardRowHeight = 36;
constexpr int32_t BoardRowTop = 126;
constexpr int32_t BoardRowStep = 40;
constexpr int32_t OwnBoardRowTop = 530;

int32_t boardRowTop(size_t index) {
  return index == OwnRowIndex ? OwnBoardRowTop : BoardRowTop + BoardRowStep * static_cast<int32_t>(index);
}

}  // namespace

bool GameWindow::leaderboardScreenShown() const { return openScreens.leaderboard; }

void GameWindow::buildLeaderboardScreen() {
  LeaderboardControls& screen = leaderboardScreen;
  const InstanceHandle instance = MzGetInstanceHandle();
  screen.rowLit = screen.rowImages.LoadImageW(instance, ImageResource::boardRowLit, true);
  screen.rowDim = screen.rowImages.LoadImageW(instance, ImageResource::boardRowLit + 1, true);
  screen.ownLit = screen.rowImages.LoadImageW(instance, ImageResource::ownRowLit, true);
  screen.ownDim = screen.rowImages.LoadImageW(instance, ImageResource::ownRowLit + 1, true);
  addScreenPicture(screen.picture, ImageFile::leaderboard, ControlId::leaderboardPicture);
  for (size_t i = 0; i < screen.rows.size(); ++i) {
    LeaderboardRowControls& row = screen.rows[i];
    const auto index = static_cast<int32_t>(i);
    const int32_t y = boardRowTop(i);
    setUpImageButton(row.button, ControlId::firstLeaderboardRow + index, BoardRowLeft, y, BoardRowWidth, BoardRowHeight,
                     screen.rowLit, screen.rowDim, 0);
    addInkLabel(*this, row.rank, ControlId::firstLeaderboardRank + index, BoardRowLeft + 6, y + 4, 56, BoardRowHeight - 8);
    addInkLabel(*this, row.name, ControlId::firstLeaderboardName + index, BoardRowLeft + 66, y + 4, 236, BoardRowHeight - 8);
    addInkLabel(*this, row.score, ControlId::firstLeaderboardScore + index, BoardRowLeft + 306, y + 4, 88,
                BoardRowHeight - 8);
    row.controls.add(row.button, row.rank, row.name, row.score);
  }
  addInkLabel(*this, screen.status, ControlId::leaderboardStatus, 40, 572, 400, 28);
  setUpPanelButton(screen.back, ControlId::leaderboardBack, ImageResource::backLit, 207, 628, 65, 40);
  screen.controls.add(screen.picture, screen.status, screen.back);
}

void GameWindow::setLeaderboardScreenVisible(bool visible) {
  LeaderboardControls& screen = leaderboardScreen;
  setScreenVisible(screen.controls, openScreens.leaderboard, visible);
  // Each row shows once it has a run (showLeaderboard).
  for (const LeaderboardRowControls& row : screen.rows) row.controls.setVisible(false);
}

void GameWindow::showLeaderboardRow(size_t index, const leaderboard::BoardRow* row, bool own) {
  LeaderboardControls& screen = leaderboardScreen;
  LeaderboardRowControls& line = screen.rows[index];
  screen.shown[index] = row != nullptr ? std::optional<leaderboard::BoardRow>(*row) : std::nullopt;
  line.controls.setVisible(row != nullptr);
  if (row == nullptr) return;
  line.button.SetImage_Normal(own ? screen.ownLit : screen.rowLit);
  line.button.SetImage_Pressed(own ? screen.ownDim : screen.rowDim);
  line.rank.SetText(Int2String(row->rank).C_Str());
  line.name.SetText(playerNameText(row->name).c_str());
  line.score.SetText(Int2String(row->score).C_Str());
}

// The rows after the board read last: the top ten, the player's own run
// highlighted among them or shown under them, and the status line.
void GameWindow::showLeaderboard() {
  LeaderboardControls& screen = leaderboardScreen;
  const LeaderboardLink& link = leaderboardLink;
  const runs::PostRecord* post = todaysPost();
  const std::string ownRun = post != nullptr && post->state == runs::PostState::Taken ? post->run : std::string();
  const bool fresh = link.board && link.board->day == todayDayNumber();
  bool ownAmongTop = false;
  for (size_t i = 0; i < TopRowCount; ++i) {
    const leaderboard::BoardRow* row = fresh && i < link.board->rows.size() ? &link.board->rows[i] : nullptr;
    const bool own = row != nullptr && !ownRun.empty() && row->run == ownRun;
    ownAmongTop = ownAmongTop || own;
    showLeaderboardRow(i, row, own);
  }
  const leaderboard::BoardRow* ownRow = nullptr;
  if (fresh && !ownAmongTop && !ownRun.empty()) {
    const auto& around = link.board->around;
    const auto found = std::find_if(around.begin(), around.end(),
                                    [&](const leaderboard::BoardRow& row) { return row.run == ownRun; });
    if (found != around.end()) ownRow = &*found;
  }
  showLeaderboardRow(OwnRowIndex, ownRow, true);
  screen.status.SetText(leaderboardStatusLine().c_str());
  Invalidate(nullptr, 0);
}

std::optional<GameWindow::Standing> GameWindow::playerStanding() const {
  const runs::PostRecord* post = todaysPost();
  if (post == nullptr || post->state != runs::PostState::Taken || post->rank < 1) return std::nullopt;
  Standing standing{post->rank, post->of, post->percentile};
  const LeaderboardLink& link = leaderboardLink;
  if (!link.board || link.board->day != todayDayNumber()) return standing;
  // The board read since says where the run stands now.
  standing.of = link.board->of;
  for (const auto* rows : {&link.board->rows, &link.board->around}) {
    for (const leaderboard::BoardRow& row : *rows) {
      if (row.run == post->run) standing.rank = row.rank;
    }
  }
  return standing;
}

std::u16string GameWindow::leaderboardStatusLine() const {
  const LeaderboardLink& link = leaderboardLink;
  Sentence line;
  if (!link.runAsked.empty()) {
    line.add(u"正在打开这一局…");
  } else if (link.state == LeaderboardLink::State::Loading) {
    line.add(u"正在载入排行榜…");
  } else if (link.state == LeaderboardLink::State::Failed) {
    line.add(u"连不上排行榜");
  } else if (!link.board || link.board->of == 0) {
    line.add(u"今天还没有人发布");
  } else if (const std::optional<Standing> standing = playerStanding()) {
    line.add(u"你是第{1}名，共{2}人，百分位{3}", {standing->rank, standing->of, standing->percentile});
  } else {
    line.add(u"今天共{1}人", {link.board->of});
  }
  return utf16FromUtf8(line.view());
}

// Only from the daily screen, with a leaderboard to show. The board is asked
// for afresh each time.
void GameWindow::openLeaderboardScreen() {
  if (!dailyScreenShown() || !leaderboardOn()) return;
  if (leaderboardScreen.controls.empty()) buildLeaderboardScreen();
  ensurePlayer();
  setDailyScreenVisible(false);
  setLeaderboardScreenVisible(true);
  askBoard(todayDayNumber());
  showLeaderboard();
}

void GameWindow::closeLeaderboardScreen() {
  if (!leaderboardScreenShown()) return;
  setLeaderboardScreenVisible(false);
  leaderboardLink.runAsked.clear();
  setDailyScreenVisible(true);
  showDailyState();
}

void GameWindow::chooseLeaderboardRow(size_t index) {
  LeaderboardControls& screen = leaderboardScreen;
  LeaderboardLink& link = leaderboardLink;
  if (!leaderboardScreenShown() || index >= screen.shown.size() || !screen.shown[index] || !link.runAsked.empty())
    return;
  const std::string& run = screen.shown[index]->run;
  if (!sendToLeaderboard({0, LeaderboardLink::Asked::Run, 0, run}, WebRequest::Method::Get, leaderboard::runPath(run)))
    return;
  link.runAsked = run;
  screen.status.SetText(leaderboardStatusLine().c_str());
  Invalidate(nullptr, 0);
}
