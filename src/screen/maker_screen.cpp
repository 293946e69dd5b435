// The maker: reached from its own button on the start menu, it shows the board
// being made (a new one starts as the first level's, with fresh colours): a
// tap on a tube, or the ring and Return, cycles its state; the target score
// steps up and down; New colours draws another seed; Try plays it. Share
// shows once its maker has cleared the board as it stands; Open a board
// proves a board from the clipboard. Every edit is saved at once.
#include <string>

#include "platform/host.hpp"
#include "platform/mz_functions.hpp"
#include "platform/system/utf.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/counted_words.hpp"
#include "screen/daily_play.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "text/trimmed.hpp"

namespace {

constexpr int32_t TubeWidth = 32;
constexpr int32_t TubeHeight = 126;
constexpr int32_t ScoreTop = 306;

constexpr char16_t MadeBoardShareSentence[] = u"我做了一个Quandrel关卡，{score}、{stars}通关。你能过吗？{link}";

}  // namespace

bool GameWindow::makerShown() const { return openScreens.maker; }

void GameWindow::buildMaker() {
  MakerScreenControls& screen = maker;
  addScreenPicture(screen.picture, ImageFile::maker, ControlId::makerPicture);
  addInkLabel(*this, screen.hint, ControlId::makerHint, 40, 128, 400, 28);
  screen.hint.SetText(u"点试管换颜色");
  for (size_t i = 0; i < screen.tubes.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    UiButton_Image& tube = screen.tubes[i];
    tube.SetID(ControlId::firstMakerTube + index);
    tube.SetButtonType(0);
    tube.SetPos(BoardTubeLeft + BoardTubeStep * index, BoardTubeTop, TubeWidth, TubeHeight, 0);
    AddUiWin(&tube);
  }
  addInkLabel(*this, screen.scoreWord, ControlId::makerScoreWord, 40, ScoreTop + 4, 200, 30);
  screen.scoreWord.SetText(u"目标分数");
  setUpPanelButton(screen.scoreDown, ControlId::makerScoreDown, ImageResource::scoreDownLit, 254, ScoreTop, 44, 38);
  addInkLabel(*this, screen.scoreValue, ControlId::makerScoreValue, 300, ScoreTop + 4, 80, 30);
  setUpPanelButton(screen.scoreUp, ControlId::makerScoreUp, ImageResource::scoreUpLit, 382, ScoreTop, 44, 38);
  setUpPanelButton(screen.newColours, ControlId::makerNewColours, ImageResource::newColoursLit, 70, 360, 160, 44);
  setUpPanelButton(screen.tryIt, ControlId::makerTry, ImageResource::tryLit, 250, 360, 160, 44);
  addInkLabel(*this, screen.status, ControlId::makerStatus, 40, 418, 400, 28);
  setUpPanelButton(screen.share, ControlId::makerShare, ImageResource::dailyShareLit, 70, 456, 160, 44);
  setUpPanelButton(screen.openBoard, ControlId::makerOpenBoard, ImageResource::openBoardLit, 250, 456, 160, 44);
  addInkLabel(*this, screen.message, ControlId::makerMessage, 40, 512, 400, 28);
  setUpPanelButton(screen.back, ControlId::makerBack, ImageResource::backLit, 207, 628, 65, 40);
  screen.controls.add(screen.picture, screen.hint, screen.tubes, screen.scoreWord, screen.scoreValue, screen.scoreDown,
                      screen.scoreUp, screen.newColours, screen.tryIt, screen.status, screen.share,
                      screen.openBoard, screen.message, screen.back);
}

void GameWindow::setMakerVisible(bool visible) { setScreenVisible(maker.controls, openScreens.maker, visible); }

// The tubes, the score and the clear after the made board as it stands:
// Share only while it stands cleared.
void GameWindow::showMakerState() {
  MakerScreenControls& screen = maker;
  if (!boards.made) return;
  const runs::MadeBoard& made = *boards.made;
  for (size_t i = 0; i < screen.tubes.size(); ++i) {
    ImagingHelper* picture = &images.targetImages[static_cast<size_t>(made.board.tubes[i])];
    screen.tubes[i].SetImage_Normal(picture);
    screen.tubes[i].SetImage_Pressed(picture);
    screen.tubes[i].Invalidate();
  }
  screen.scoreValue.SetText(Int2String(made.board.targetScore).C_Str());
  if (made.cleared() && screen.clearTokenProven != made.clearToken) {
    screen.clearResult = verifyBoardToken(made.clearToken).result;
    screen.clearTokenProven = made.clearToken;
  }
  if (made.cleared()) {
    Sentence status;
    status.add(words::makerCleared,
               {Counted{words::points, screen.clearResult.score}, Counted{words::stars, screen.clearResult.stars}});
    screen.status.SetText(utf16FromUtf8(status.view()).c_str());
  } else {
    screen.status.SetText(words::makerNotCleared);
  }
  screen.share.button.SetVisible(made.cleared());
  Invalidate(nullptr, 0);
}

// Only from the menu itself: its button is on screen there alone. The board
// being made opens as it was left; the first time, a new one.
void GameWindow::openMaker() {
  if (!menuMayStartGame() || !makeButton.button.IsVisible()) return;
  if (!boards.made) {
    boards.made = runs::newMadeBoard(runs::nextBoardSeed(0, GetTickCount()));
    saveBoardsFile();
  }
  hideMenuButtons();
  showMaker();
}

void GameWindow::showMaker() {
  if (maker.controls.empty()) buildMaker();
  maker.message.SetText(u"");
  setMakerVisible(true);
  showMakerState();
}

void GameWindow::closeMaker() {
  if (!makerShown()) return;
  setMakerVisible(false);
  showMenuButtons();
}

void GameWindow::cycleMakerTube(size_t slot) {
  if (!makerShown() || !boards.made) return;
  runs::cycleTube(*boards.made, slot);
  saveBoardsFile();
  maker.message.SetText(u"");
  showMakerState();
}

void GameWindow::stepMakerScore(int32_t direction) {
  if (!makerShown() || !boards.made || !runs::stepTargetScore(*boards.made, direction)) return;
  saveBoardsFile();
  maker.message.SetText(u"");
  showMakerState();
}

void GameWindow::recolourMadeBoard() {
  if (!makerShown() || !boards.made) return;
  runs::recolour(*boards.made, runs::nextBoardSeed(boards.made->board.seed, GetTickCount()));
  saveBoardsFile();
  maker.message.SetText(u"");
  showMakerState();
}

void GameWindow::tryMadeBoard() {
  if (!makerShown() || !boards.made || !menuMayStartGame()) return;
  setMakerVisible(false);
  if (!startBoardAttempt(boards.made->board, options.timeMode, nullptr, BoardInPlay::Made)) showMaker();
}

std::string GameWindow::makerShareToken() const {
  return boards.made && boards.made->cleared() ? boards.made->clearToken : std::string();
}

std::string GameWindow::makerShareText() const {
  const std::string token = makerShareToken();
  if (token.empty() || maker.clearTokenProven != token) return {};
  return filledShareSentence(MadeBoardShareSentence, maker.clearResult, runLinkFor(token));
}

void GameWindow::shareMadeBoard() {
  if (!makerShown()) return;
  const std::string text = makerShareText();
  Host* host = currentHost();
  if (text.empty() || host == nullptr) return;
  switch (host->shareText(text)) {
    case ShareOutcome::Copied: maker.message.SetText(u"已复制"); break;
    case ShareOutcome::Failed: maker.message.SetText(u"无法分享"); break;
    case ShareOutcome::Handed: maker.message.SetText(u""); break;  // the share sheet speaks for itself
  }
  Invalidate(nullptr, 0);
}

void GameWindow::openBoardFromClipboard() {
  if (!makerShown()) return;
  Host* host = currentHost();
  const std::string text = host ? host->clipboardText() : std::string();
  if (trimmed(text).empty()) {
    maker.message.SetText(u"剪贴板里没有关卡");
    Invalidate(nullptr, 0);
    return;
  }
  setMakerVisible(false);
  openBoardScreen(text);
}
