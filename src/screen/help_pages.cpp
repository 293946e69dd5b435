// The help: its pages one at a time over the menu, turned by the previous and
// next buttons (dimmed at either end), or by Left and Right, keys or d-pad.
#include <algorithm>

#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr auto HelpPageCount = static_cast<int32_t>(ImageFile::helpPages.size());

}  // namespace

void GameWindow::openHelp() {
  hideMenuButtons();
  helpPicture.SetPos(60, 80, 360, 560, 0);
  helpPicture.SetDragMode(2);
  helpPicture.SetID(ControlId::helpPicture);
  AddUiWin(&helpPicture);
  helpPicture.SetVisible(true);
  openScreens.help = true;
  setUpImageButton(helpBackButton, ControlId::helpBack, 290, 600, 65, 40, backLitImages[1],
                   backDimImages[1], 0);
  helpBackButton.SetVisible(true);
  // The page dots of the picture stand between these two.
  setUpImageButton(helpPreviousButton, ControlId::helpPrevious, 72, 600, 56, 40, pageArrowLitImages[0],
                   pageArrowDimImages[0], 0);
  setUpImageButton(helpNextButton, ControlId::helpNext, 212, 600, 56, 40, pageArrowLitImages[1],
                   pageArrowDimImages[1], 0);
  helpPreviousButton.SetVisible(true);
  helpNextButton.SetVisible(true);
  helpPage = 0;
  showHelpPage(1);
}

void GameWindow::closeHelp() {
  helpPage = 0;
  helpPicture.SetVisible(false);
  openScreens.help = false;
  helpBackButton.SetVisible(false);
  helpPreviousButton.SetVisible(false);
  helpNextButton.SetVisible(false);
  showMenuButtons();
}

// Nothing happens past either end, nor while the help is closed.
void GameWindow::turnHelpPage(int32_t step) {
  if (helpPage == 0) return;
  const int32_t page = std::clamp(helpPage + step, 1, HelpPageCount);
  if (page != helpPage) showHelpPage(page);
}

// An arrow with no page beyond it shows dim, pressed or not.
void GameWindow::showHelpPage(int32_t page) {
  if (page != helpPage) {
    helpPage = page;
    helpPicture.LoadImageW(imagePath(ImageFile::helpPages[static_cast<size_t>(page - 1)]), true);
    helpPicture.Invalidate();
  }
  const bool beyond[2] = {page > 1, page < HelpPageCount};
  UiButton_Image* arrows[2] = {&helpPreviousButton, &helpNextButton};
  for (size_t i = 0; i < 2; ++i) {
    arrows[i]->SetImage_Normal(beyond[i] ? pageArrowLitImages[i] : pageArrowDimImages[i]);
    arrows[i]->SetImage_Pressed(pageArrowDimImages[i]);
    arrows[i]->Invalidate();
  }
}
