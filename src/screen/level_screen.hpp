// The controls of the level screen (ten tiles with their records, and a way back to the menu)
// and of the finale after the tenth level. GameWindow holds one of each.
#pragma once

#include <array>

#include "platform/imaging.hpp"
#include "platform/mz_window.hpp"
#include "platform/ui_controls.hpp"
#include "rules/level_table.hpp"
#include "screen/control_group.hpp"

struct LevelScreenControls {
  UiPicture picture;  // the screen's backdrop, full screen
  // Per level: its tile (a button), and over it the number, the stars and the best score.
  std::array<UiButton_Image, LevelCount> tiles;
  std::array<UiStatic, LevelCount> numbers;
  std::array<UiPicture, LevelCount> stars;
  std::array<UiStatic, LevelCount> bestWords;
  std::array<UiStatic, LevelCount> bestScores;
  UiStatic recordsTimeMode;  // which time bar the records are for
  UiButton_Image backButton;
  ImageContainer tileImages;
  ImageContainer backImages;
  ImagingHelper* openImage = nullptr;
  ImagingHelper* openPressedImage = nullptr;
  ImagingHelper* lockedImage = nullptr;
  ImagingHelper* backLitImage = nullptr;
  ImagingHelper* backDimImage = nullptr;
  ControlGroup controls;  // all of the above
};

// Adds a line of text in the pictures' dark ink over the level screen or the finale.
void addInkLabel(CMzWndEx& window, UiStatic& label, int32_t id, int32_t x, int32_t y, int32_t width,
                 int32_t height);

struct FinaleControls {
  UiPicture picture;  // full screen
  UiStatic scoreWord;
  UiStatic score;
  UiStatic starsWord;
  UiStatic stars;
  ControlGroup controls;  // all of the above
};
