// A window holding the 54 controls of the game's first screen, as the game
// adds them, all visible, with synthetic pictures of the game's sizes: the
// heaviest frame the compositor draws.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "platform/imaging.hpp"
#include "platform/mz_window.hpp"
#include "platform/ui_controls.hpp"

class Canvas;

class StartScreenScene {
 public:
  StartScreenScene();
  StartScreenScene(const StartScreenScene&) = delete;
  StartScreenScene& operator=(const StartScreenScene&) = delete;

  // Draws one whole frame.
  void compose(Canvas& canvas) const;
  size_t controlCount() const { return window_.controls().size(); }
  // Pictures swapped as the game does between frames (shot colour, target
  // states), so a frame is not a replay of the one before.
  void advance();

 private:
  enum Picture {
    Background, Sprayer, Shot, Preview, Bar, Key, Target, Lightning, Cloud, Overlay, Splash,
    ButtonNormal, ButtonPressed, PictureCount
  };
  ImagingHelper& helper(Picture picture) { return helpers_[picture]; }
  void place(UiWin& control, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height);

  std::vector<Image> images_;
  std::vector<Image> targetStates_;
  std::array<ImagingHelper, PictureCount> helpers_;
  std::array<ImagingHelper, 4> targetHelpers_;
  CMzWndEx window_;
  UiPicture2 background_;
  UiPicture2 sprayer_;
  std::array<UiButton_Image, 3> buttons_;
  std::array<UiStatic, 2> labels_;
  std::array<UiPicture2, 6> shots_;
  std::array<UiPicture2, 6> previews_;
  std::array<UiPicture2, 6> bars_;
  std::array<UiPicture2, 8> keys_;
  std::array<UiPicture2, 10> targets_;
  std::array<UiPicture2, 4> lightning_;
  std::array<UiPicture2, 4> clouds_;
  UiPicture2 overlay_;
  UiPicture2 splash_;
  UiToolbar_Text toolbar_;
  size_t frame_ = 0;
};
