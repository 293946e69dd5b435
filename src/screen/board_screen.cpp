// A received board's screen: a board's token, from a link, the command line
// or the maker's Open a board, proven at once by replaying its maker's run on
// it. It shows the board's tubes and target, "cleared by its maker" with the
// maker's score, stars and time, and the player's best; Play and Race start
// it, and Watch plays the maker's run back once the player has tried the
// board. A refused board shows why, and nothing of it is kept.
#include <algorithm>
#include <string>

#include "platform/mz_functions.hpp"
#include "platform/system/utf.hpp"
#include "runs/board_token.hpp"
#include "runs/share_text.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"
#include "screen/run_messages.hpp"

namespace {

constexpr int32_t ReceivedBoardRowTop = 300;
// The rows' values stand in x BoardValueLeft..BoardValueRight; the stars from StarsLeft.
constexpr int32_t BoardValueLeft = 250;
constexpr int32_t BoardValueRight = 440;
constexpr int32_t StarsLeft = 334;
constexpr std::array<const char16_t*, BoardScreenControls::Rows> BoardRowWords = {u"目标分数", u"作者得分", u"作者用时",
                                                                              u"你的最好成绩"};

const char16_t* starsPicture(int32_t stars) {
  return ImageFile::stars[static_cast<size_t>(std::clamp(stars, 0, 3))];
}

}  // namespace

bool GameWindow::boardScreenShown() const { return openScreens.board; }

void GameWindow::buildBoardScreen() {
  BoardScreenControls& screen = receivedBoard;
  addScreenPicture(screen.picture, ImageFile::sharedBoard, ControlId::boardPicture);
  addInkLabel(*this, screen.verdict, ControlId::boardVerdict, 40, 126, 400, 30);
  addInkLabel(*this, screen.reason, ControlId::boardReason, 40, 190, 400, 30);
  for (size_t i = 0; i < screen.tubes.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    screen.tubes[i].SetID(ControlId::firstBoardTube + index);
    screen.tubes[i].SetPos(BoardTubeLeft + BoardTubeStep * index, BoardTubeTop, 32, 126, 0);
    AddUiWin(&screen.tubes[i]);
  }
  addPanelRows(*this, screen.rows, BoardRowWords, ControlId::firstBoardRow, ReceivedBoardRowTop);
  // The maker's stars and the player's beside their scores.
  const auto starsBeside = [this](PanelRow& row, UiPicture& stars, int32_t id) {
    const int32_t y = row.value.GetPosY();
    row.value.SetPos(BoardValueLeft, y, StarsLeft - BoardValueLeft, row.value.GetHeight(), 0);
    stars.SetID(id);
    stars.SetPos(StarsLeft, y - 1, 110, 32, 0);
    AddUiWin(&stars);
  };
  starsBeside(screen.rows[1], screen.makerStars, ControlId::boardMakerStars);
  starsBeside(screen.rows[3], screen.bestStars, ControlId::boardBestStars);
  setUpPanelButton(screen.play, ControlId::boardPlay, ImageResource::dailyPlayLit, 70, 484, 160, 44);
  setUpPanelButton(screen.race, ControlId::boardRace, ImageResource::raceLit, 250, 484, 160, 44);
  setUpPanelButton(screen.watch, ControlId::boardWatch, ImageResource::watchLit, 160, 540, 160, 44);
  addInkLabel(*this, screen.note, ControlId::boardNote, 40, 548, 400, 28);
  screen.note.SetText(u"玩过一次后可以看作者的回放");
  setUpPanelButton(screen.back, ControlId::boardBack, ImageResource::backLit, 207, 628, 65, 40);
  screen.controls.add(screen.picture, screen.verdict, screen.back);
  screen.whenProven.add(screen.tubes, screen.rows, screen.makerStars, screen.play, screen.race);
}

void GameWindow::setBoardScreenVisible(bool visible) {
  BoardScreenControls& screen = receivedBoard;
  if (screen.controls.empty()) return;
  setScreenVisible(screen.controls, openScreens.board, visible);
  const bool proven = visible && screen.proof && screen.proof->accepted();
  const runs::BoardRecord* record =
      proven ? boards.received.find(runs::boardId(*screen.proof->run.board)) : nullptr;
  const bool tried = record != nullptr && record->tried;
  screen.whenProven.setVisible(proven);
  screen.reason.SetVisible(visible && !proven);
  screen.bestStars.SetVisible(proven && record != nullptr && record->cleared);
  screen.watch.button.SetVisible(proven && tried);
  screen.note.SetVisible(proven && !tried);
}

void GameWindow::showReceivedBoard() {
  BoardScreenControls& screen = receivedBoard;
  if (!screen.proof) return;
  const RunVerdict& verdict = *screen.proof;
  if (!verdict.accepted()) {
    screen.verdict.SetText(u"无法验证");
    screen.reason.SetText(std::u16string(runRefusalMessage(verdict.refusal)).c_str());
    return;
  }
  const Board& board = *verdict.run.board;
  screen.verdict.SetText(u"作者已通关");
  for (size_t i = 0; i < screen.tubes.size(); ++i) {
    screen.tubes[i].SetImage(&images.targetImages[static_cast<size_t>(board.tubes[i])]);
  }
  screen.rows[0].value.SetText(Int2String(board.targetScore).C_Str());
  screen.rows[1].value.SetText(Int2String(verdict.result.score).C_Str());
  screen.makerStars.LoadImageW(imagePath(starsPicture(verdict.result.stars)), true);
  screen.rows[2].value.SetText(utf16FromUtf8(runs::minutesAndSeconds(verdict.result.timeMs)).c_str());
  const runs::BoardRecord* record = boards.received.find(runs::boardId(board));
  // The best's score leaves room for its stars; its words take the whole column.
  PanelRow& best = screen.rows[3];
  const bool cleared = record != nullptr && record->cleared;
  best.value.SetPos(BoardValueLeft, best.value.GetPosY(), (cleared ? StarsLeft : BoardValueRight) - BoardValueLeft,
                    best.value.GetHeight(), 0);
  if (cleared) {
    best.value.SetText(Int2String(record->bestScore).C_Str());
    screen.bestStars.LoadImageW(imagePath(starsPicture(record->stars)), true);
  } else {
    best.value.SetText(record != nullptr && record->tried ? u"没通关" : u"还没玩");
  }
  setBoardScreenVisible(openScreens.board);
}

// From the menu (a link or the command line, once the splash ends) or the
// maker's Open a board. Only a refused board's screen is all it shows.
void GameWindow::openBoardScreen(std::string_view text) {
  if (!menuMayStartGame()) return;
  if (receivedBoard.controls.empty()) buildBoardScreen();
  receivedBoard.proof = verifyBoardToken(text);
  hideMenuButtons();
  setMakerVisible(false);
  setBoardScreenVisible(true);
  showReceivedBoard();
}

void GameWindow::closeBoardScreen() {
  if (!boardScreenShown()) return;
  setBoardScreenVisible(false);
  receivedBoard.proof.reset();
  showMenuButtons();
}

void GameWindow::playReceivedBoard() {
  if (!boardScreenShown() || !receivedBoard.proof || !receivedBoard.proof->accepted()) return;
  setBoardScreenVisible(false);
  if (!startBoardAttempt(*receivedBoard.proof->run.board, options.timeMode, nullptr, BoardInPlay::Received))
    setBoardScreenVisible(true);
}

// Race the maker: the board with the maker's time bar, the maker's sprayer
// and score drawn faint beside the player's.
void GameWindow::raceReceivedBoard() {
  if (!boardScreenShown() || !receivedBoard.proof || !receivedBoard.proof->accepted()) return;
  const RunVerdict& verdict = *receivedBoard.proof;
  setBoardScreenVisible(false);
  if (!startBoardAttempt(*verdict.run.board, verdict.run.timeMode, &verdict.ghost, BoardInPlay::Received))
    setBoardScreenVisible(true);
}
