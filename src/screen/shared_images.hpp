// The decoded pictures that the game pieces draw. One set lives for the whole
// process; sprites only point at it, so reloading one changes every sprite
// that shows it.
#pragma once

#include <array>

#include "platform/imaging.hpp"

constexpr int TargetImageCount = 21;  // states 0..19, plus map19.png which no state shows
constexpr int KeyCount = 8;

// Members are in construction order; destruction runs in reverse.
struct SharedImages {
  std::array<ImagingHelper, TargetImageCount> targetImages;
  std::array<ImagingHelper, KeyCount> keyImages;
  ImagingHelper cloudImage;
  ImagingHelper shotImage;
  ImagingHelper previewImage;
  ImagingHelper timeBarImage;
  ImagingHelper gameOverImage;
  ImagingHelper levelPassedImage;
  ImagingHelper lightningImage;
};
