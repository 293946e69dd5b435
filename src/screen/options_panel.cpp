// The options panel: the designed sound and movement switches, and the time
// bar's mode, vibration and language rows below the title, and speech below
// them.
#include "platform/haptics.hpp"
#include "platform/language_switch.hpp"
#include "platform/language/language.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/utf.hpp"
#include "rules/time_mode.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

// The rows' buttons end at the same right edge as the designed switches.
constexpr int32_t ValueButtonX = 240;
constexpr int32_t ValueButtonWidth = 100;
constexpr int32_t SwitchX = 280;
constexpr int32_t SwitchWidth = 60;
constexpr int32_t RowButtonHeight = 37;
constexpr int32_t TimeModeRowY = 150;
constexpr int32_t VibrationRowY = 210;
constexpr int32_t LanguageRowY = 270;
constexpr int32_t SpeechRowY = 450;
constexpr int32_t PanelHeight = 520;

}  // namespace

void GameWindow::openOptions() {
  hideMenuButtons();
  settingsPanelPicture.LoadImageW(imagePath(ImageFile::settingsPanel), true);
  settingsPanelPicture.SetPos(80, 80, 320, PanelHeight, 0);
  settingsPanelPicture.SetDragMode(2);
  settingsPanelPicture.SetID(ControlId::settingsPanelPicture);
  AddUiWin(&settingsPanelPicture);
  settingsPanelPicture.SetVisible(true);
  openScreens.settings = true;
  buildSettingsButtons();
}

// A toggle shows its switch: on is normal 开启 / pressed 关闭, off the reverse.
void GameWindow::showToggleLooks() {
  const bool switches[2] = {sound.enabled, movementOn};
  for (size_t i = 0; i < toggleButtons.size(); ++i) {
    toggleButtons[i].SetImage_Normal(switches[i] ? switchOnImages[i] : switchOffImages[i]);
    toggleButtons[i].SetImage_Pressed(switches[i] ? switchOffImages[i] : switchOnImages[i]);
    toggleButtons[i].Invalidate();
  }
}

// The new rows look as the designed switches do: the button shows the current
// value, and pressed shows the value the press gives.
void GameWindow::showOptionLooks() {
  const auto mode = static_cast<size_t>(options.timeMode);
  timeModeButton.SetImage_Normal(timeModeImages[mode]);
  timeModeButton.SetImage_Pressed(timeModeImages[static_cast<size_t>(nextTimeMode(options.timeMode))]);
  timeModeButton.Invalidate();
  vibrationToggle.SetImage_Normal(options.vibration ? vibrationOnImage : vibrationOffImage);
  vibrationToggle.SetImage_Pressed(options.vibration ? vibrationOffImage : vibrationOnImage);
  vibrationToggle.Invalidate();
  speechToggle.SetImage_Normal(options.speech ? speechOnImage : speechOffImage);
  speechToggle.SetImage_Pressed(options.speech ? speechOffImage : speechOnImage);
  speechToggle.Invalidate();
}

void GameWindow::buildSettingsButtons() {
  for (size_t i = 0; i < toggleButtons.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    UiButton_Image& toggle = toggleButtons[i];
    toggle.SetID(ControlId::soundToggle + index);
    toggle.SetButtonType(0);
    toggle.SetPos(SwitchX, 330 + 60 * index, SwitchWidth, RowButtonHeight, 0);
    if (i == 0) showToggleLooks();
    toggle.SetMode(1);
    toggle.SwapImageZOrder(true);
    AddUiWin(&toggle);
  }
  setUpImageButton(timeModeButton, ControlId::timeModeButton, ValueButtonX, TimeModeRowY,
                   ValueButtonWidth, RowButtonHeight, nullptr, nullptr, 1);
  setUpImageButton(vibrationToggle, ControlId::vibrationToggle, SwitchX, VibrationRowY, SwitchWidth,
                   RowButtonHeight, nullptr, nullptr, 1);
  setUpImageButton(speechToggle, ControlId::speechToggle, SwitchX, SpeechRowY, SwitchWidth, RowButtonHeight,
                   nullptr, nullptr, 1);
  setUpImageButton(languageButton, ControlId::languageButton, ValueButtonX, LanguageRowY,
                   ValueButtonWidth, RowButtonHeight, languageLitImage, languageDimImage, 0);
  showOptionLooks();
  showSettingsButtons();
  setUpImageButton(settingsBackButton, ControlId::settingsBack, 290, 540, 65, 40, backLitImages[0],
                   backDimImages[0], 0);
}

void GameWindow::showSettingsButtons() { setSettingsButtonsVisible(true); }

void GameWindow::hideSettingsButtons() { setSettingsButtonsVisible(false); }

void GameWindow::setSettingsButtonsVisible(bool visible) {
  for (UiButton_Image& toggle : toggleButtons) toggle.SetVisible(visible);
  timeModeButton.SetVisible(visible);
  vibrationToggle.SetVisible(visible);
  speechToggle.SetVisible(visible);
  languageButton.SetVisible(visible);
  settingsBackButton.SetVisible(visible);
  Invalidate(nullptr, 0);
}

void GameWindow::closeSettings() {
  settingsPanelPicture.SetVisible(false);
  openScreens.settings = false;
  hideSettingsButtons();
  showMenuButtons();
}

void GameWindow::toggleSound() {
  if (!sound.enabled) {
    sound.enabled = true;
  } else {
    sound.playSound(SoundId::exit);  // while still on; it also ends the music
    sound.enabled = false;
  }
  toggleButtons[0].SetImage_Normal(sound.enabled ? switchOnImages[0] : switchOffImages[0]);
  toggleButtons[0].SetImage_Pressed(sound.enabled ? switchOffImages[0] : switchOnImages[0]);
  toggleButtons[0].Invalidate();
  settings.isSound = sound.enabled;
  settings.Save();
}

void GameWindow::toggleMovement() {
  movementOn = !movementOn;
  toggleButtons[1].SetImage_Normal(movementOn ? switchOnImages[1] : switchOffImages[1]);
  toggleButtons[1].SetImage_Pressed(movementOn ? switchOffImages[1] : switchOnImages[1]);
  toggleButtons[1].Invalidate();
  settings.isMove = movementOn;
  settings.Save();
}

// A paused attempt goes on at the new pace from where its bar stands, and
// keeps no records once it was played at another pace than the designed one.
void GameWindow::cycleTimeMode() {
  options.timeMode = nextTimeMode(options.timeMode);
  // A day's or a board's attempt keeps the time bar it started with.
  if (daily.dayInPlay == 0 && daily.boardInPlay == BoardInPlay::None) play.timeMode = options.timeMode;
  if (!timeModeKeepsRecords(options.timeMode)) attemptKeepsRecords = false;
  showOptionLooks();
  storeOptions();
}

void GameWindow::toggleVibration() {
  options.vibration = !options.vibration;
  setHapticsEnabled(options.vibration);
  showOptionLooks();
  storeOptions();
}

void GameWindow::toggleSpeech() {
  options.speech = !options.speech;
  setSpeechEnabled(options.speech);
  showOptionLooks();
  storeOptions();
}

// The whole game changes at once; the choice is kept for the next start.
void GameWindow::switchToNextLanguage() {
  const std::string language = nextLanguage();
  std::string error;
  switchLanguage(language, error);
  // Kept only when it took: a page may fail to fetch a language's pictures.
  if (activeLanguage() != language) return;
  options.language = language;
  storeOptions();
}

// A failed save is reported once; the options hold for this run all the same.
void GameWindow::storeOptions() {
  if (optionsPath.empty() || saveOptions(optionsPath, options) || optionsSaveWarned) return;
  optionsSaveWarned = true;
  services::OutputDebugStringW(utf16FromUtf8("quandrel: cannot save the options file " + optionsPath).c_str());
}
