// The game window's construction, destruction and start-up screen: every
// game control added in drawing order, the splash over them, the splash timer
// and the background music.
#include "screen/game_window.hpp"

#include <utility>

#include "platform/haptics.hpp"
#include "platform/language_switch.hpp"
#include "platform/leaderboard_address.hpp"
#include "platform/mz_app.hpp"
#include "platform/mz_functions.hpp"
#include "platform/system/utf.hpp"
#include "progress/boards_file.hpp"
#include "progress/daily_file.hpp"
#include "progress/records_file.hpp"
#include "screen/control_ids.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

const char16_t* const gameWindowClassName = u"RidevuzuzUvi";

// The stored switches hold from the start, before the background music would play.
GameWindow::GameWindow(SharedImages& images) : images(images) {
  applyStoredSwitches();
  noteButtonGroups();
}

GameWindow::GameWindow(SharedImages& images, std::u16string settingsPath)
    : settings(std::move(settingsPath)), images(images) {
  applyStoredSwitches();
  noteButtonGroups();
}

void GameWindow::noteButtonGroups() {
  menuGroup.add(menuButtons, levelsButton, dailyButton, makeButton);
  choiceGroup.add(choiceButtons);
  gameOverGroup.add(gameOverButtons);
}

void GameWindow::applyStoredSwitches() {
  sound.enabled = settings.isSound;
  movementOn = settings.isMove;
}

// Members go in reverse order; `settings` saves the settings file on its way.
GameWindow::~GameWindow() = default;

const char16_t* GameWindow::GetWindowClassName() { return gameWindowClassName; }

int32_t GameWindow::MzDefWndProc(uint32_t message, uint32_t wParam, int32_t lParam) {
  return CMzWndEx::MzDefWndProc(message, wParam, lParam);
}

void GameWindow::setUpImageButton(UiButton_Image& button, int32_t id, int32_t x, int32_t y,
                                  int32_t width, int32_t height, ImagingHelper* normal,
                                  ImagingHelper* pressed, int32_t mode) {
  button.SetID(id);
  button.SetButtonType(0);
  button.SetPos(x, y, width, height, 0);
  button.SetImage_Normal(normal);
  button.SetImage_Pressed(pressed);
  button.SetMode(mode);
  button.SwapImageZOrder(true);
  AddUiWin(&button);
}

// The button pictures, in the order the executable's resources are read.
void GameWindow::loadButtonImages() {
  using namespace ImageResource;
  const InstanceHandle instance = MzGetInstanceHandle();
  repairDimImage = repairButtonImages.LoadImageW(instance, repairDim, true);
  repairLitImage = repairButtonImages.LoadImageW(instance, repairLit, true);
  passDimImage = passIndicatorImages.LoadImageW(instance, passDim, true);
  passLitImage = passIndicatorImages.LoadImageW(instance, passLit, true);
  buyDimImage = buyShotsButtonImages.LoadImageW(instance, buyDim, true);
  buyLitImage = buyShotsButtonImages.LoadImageW(instance, buyLit, true);
  for (uint32_t i = 0; i < choiceButtonImages.size(); ++i) {
    choiceDimImages[i] = choiceButtonImages[i].LoadImageW(instance, choiceLitFirst + 1 + 2 * i, true);
    choiceLitImages[i] = choiceButtonImages[i].LoadImageW(instance, choiceLitFirst + 2 * i, true);
  }
  for (size_t i = 0; i < menuButtonImages.size(); ++i) {
    menuLitImages[i] = menuButtonImages[i].LoadImageW(instance, menuLit[i], true);
    menuDimImages[i] = menuButtonImages[i].LoadImageW(instance, menuLit[i] + 1, true);
  }
  for (size_t i = 0; i < toggleButtonImages.size(); ++i) {
    switchOnImages[i] = toggleButtonImages[i].LoadImageW(instance, switchOn, true);
    switchOffImages[i] = toggleButtonImages[i].LoadImageW(instance, switchOff, true);
  }
  for (size_t i = 0; i < timeModeImages.size(); ++i) {
    timeModeImages[i] = timeModeButtonImages.LoadImageW(instance, timeModeFirst + static_cast<uint32_t>(i), true);
  }
  vibrationOnImage = vibrationToggleImages.LoadImageW(instance, switchOn, true);
  vibrationOffImage = vibrationToggleImages.LoadImageW(instance, switchOff, true);
  speechOnImage = speechToggleImages.LoadImageW(instance, switchOn, true);
  speechOffImage = speechToggleImages.LoadImageW(instance, switchOff, true);
  languageLitImage = languageButtonImages.LoadImageW(instance, languageLit, true);
  languageDimImage = languageButtonImages.LoadImageW(instance, languageDim, true);
  backLitImages[0] = settingsBackButtonImages.LoadImageW(instance, backLit, true);
  backDimImages[0] = settingsBackButtonImages.LoadImageW(instance, backDim, true);
  backLitImages[1] = helpBackButtonImages.LoadImageW(instance, backLit, true);
  backDimImages[1] = helpBackButtonImages.LoadImageW(instance, backDim, true);
  for (size_t i = 0; i < pageArrowImages.size(); ++i) {
    pageArrowLitImages[i] = pageArrowImages[i].LoadImageW(instance, pageArrowLit[i], true);
    pageArrowDimImages[i] = pageArrowImages[i].LoadImageW(instance, pageArrowLit[i] + 1, true);
  }
  for (size_t i = 0; i < gameOverButtonImages.size(); ++i) {
    gameOverLitImages[i] = gameOverButtonImages[i].LoadImageW(instance, gameOverLit[i], true);
    gameOverDimImages[i] = gameOverButtonImages[i].LoadImageW(instance, gameOverLit[i] + 1, true);
  }
  levelsLitImage = levelsButtonImages.LoadImageW(instance, levelsLit, true);
  levelsDimImage = levelsButtonImages.LoadImageW(instance, levelsDim, true);
}

int32_t GameWindow::OnInitDialog() {
  if (CMzWndEx::OnInitDialog() == 0) return 0;
  EnableFillBgColor(false);
  // Read when the game opens, not when the window object is made: a command
  // that only prints and exits never touches the records or options files.
  // The language applies before the first picture loads, so that none loads
  // twice.
  if (!settings.filePath.empty()) {
    recordsPath = recordsFilePath(utf8FromUtf16(settings.filePath));
    records = loadRecords(recordsPath);
    optionsPath = optionsFilePath(utf8FromUtf16(settings.filePath));
    options = loadOptions(optionsPath);
    daily.filePath = dailyFilePath(utf8FromUtf16(settings.filePath));
    daily.history = loadDailyHistory(daily.filePath);
    boardsPath = boardsFilePath(utf8FromUtf16(settings.filePath));
    boards = loadBoards(boardsPath);
  }
  applyStoredLanguage(options.language);
  runToOpen = runToOpenAtStart();
  // A post that got no answer last time goes again now.
  leaderboardLink.address = leaderboardAddress();
  sendWaitingPosts();
  boardToOpen = boardToOpenAtStart();
  setHapticsEnabled(options.vibration);
  setSpeechEnabled(options.speech);

  backgroundPicture.LoadImageW(imagePath(ImageFile::background), true);
  backgroundPicture.SetPos(0, 0, 480, 625, 0);
  backgroundPicture.SetDragMode(2);
  backgroundPicture.SetID(ControlId::backgroundPicture);
  AddUiWin(&backgroundPicture);

  sprayerPicture.LoadImageW(imagePath(ImageFile::sprayer), true);
  sprayerPicture.SetPos(play.sprayerX, 10, 80, 153, 0);
  sprayerPicture.SetDragMode(2);
  sprayerPicture.SetID(ControlId::sprayerPicture);
  AddUiWin(&sprayerPicture);

  loadButtonImages();
  repairButton.SetTextColor(MzWhite);
  setUpImageButton(repairButton, ControlId::repairButton, 2, 512, 50, 50, repairDimImage,
                   repairLitImage, 1);
  buyShotsButton.SetTextColor(MzWhite);
  setUpImageButton(buyShotsButton, ControlId::buyShotsButton, 2, 560, 50, 50, buyDimImage,
                   buyLitImage, 1);
  passIndicator.SetTextColor(MzWhite);
  setUpImageButton(passIndicator, ControlId::passIndicator, 50, 560, 50, 50, passDimImage,
                   passLitImage, 1);

  scoreLabel.SetPos(3, 35, 96, 34, 0);
  scoreLabel.SetID(ControlId::scoreLabel);
  scoreLabel.SetText(u"0");
  scoreLabel.SetTextColor(MzWhite);
  AddUiWin(&scoreLabel);
  levelLabel.SetPos(43, 78, 50, 25, 0);
  levelLabel.SetID(ControlId::levelLabel);
  levelLabel.SetText(u"1");
  levelLabel.SetTextColor(MzWhite);
  AddUiWin(&levelLabel);

  for (size_t k = 0; k < shotPictures.size(); ++k) {
    shotPictures[k].SetID(ControlId::firstShot + static_cast<int32_t>(k));
    AddUiWin(&shotPictures[k]);
  }
  for (size_t k = 0; k < previewPictures.size(); ++k) {
    previewPictures[k].SetID(ControlId::firstPreview + static_cast<int32_t>(k));
    AddUiWin(&previewPictures[k]);
  }
  for (size_t k = 0; k < barPictures.size(); ++k) {
    barPictures[k].SetID(ControlId::firstBar + static_cast<int32_t>(k));
    AddUiWin(&barPictures[k]);
  }
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    keyPictures[k].SetID(ControlId::firstKey + static_cast<int32_t>(k));
    AddUiWin(&keyPictures[k]);
  }
  for (size_t k = 0; k < targetSlots.size(); ++k) {
    targetSlots[k].SetID(ControlId::firstTarget + static_cast<int32_t>(k));
    AddUiWin(&targetSlots[k]);
  }
  // The fifth lightning and cloud pictures are spares and never shown.
  for (size_t k = 0; k < 4; ++k) {
    lightningPictures[k].SetID(ControlId::firstLightning + static_cast<int32_t>(k));
    AddUiWin(&lightningPictures[k]);
  }
  for (size_t k = 0; k < 4; ++k) {
    cloudPictures[k].SetID(ControlId::firstCloud + static_cast<int32_t>(k));
    AddUiWin(&cloudPictures[k]);
  }

  lightningRunning = false;
  lightningFrame = 0;
  overlayPicture.SetID(ControlId::overlayPicture);
  AddUiWin(&overlayPicture);
  // Over the level-passed picture, beside the mascot.
  recordMarkPicture.LoadImageW(imagePath(ImageFile::recordMark), true);
  recordMarkPicture.SetPos(306, 300, 160, 44, 0);
  recordMarkPicture.SetID(ControlId::recordMark);
  recordMarkPicture.SetVisible(false);
  AddUiWin(&recordMarkPicture);

  // The game opens on level 1's attempt; its first colour is the program's first draw.
  Board firstBoard;
  levelBoard(FirstLevel, firstBoard);
  play.targetScore = firstBoard.targetScore;
  play.timeMode = options.timeMode;
  play.resetAttempt();
  showPreview();

  loadTargetImages();
  loadKeyImages();

  timeBar = &barPictures[0];
  showFullTimeBar();

  splashPicture.LoadImageW(imagePath(ImageFile::splash), true);
  splashPicture.SetPos(0, 0, 480, 720, 0);
  splashPicture.SetDragMode(2);
  splashPicture.SetID(ControlId::splashPicture);
  AddUiWin(&splashPicture);

  inGame = false;
  splashDone = false;
  toolbar.SetVisible(false);
  SetTimer(m_hWnd, TimerId::splash, TimerPeriod::splash);

  toolbar.SetPos(0, GetHeight() - 65, GetWidth(), 65, 0);
  toolbar.SetButton(ToolbarButton::claim, true, true, u"营救");
  toolbar.SetButton(ToolbarButton::fire, true, true, u"发泄");
  toolbar.SetButton(ToolbarButton::back, true, true, u"返回");
  toolbar.SetID(ControlId::toolbar);
  AddUiWin(&toolbar);

  sound.playSound(SoundId::music);
  return 1;
}
