// The game pieces: pictures that draw a shared image and carry one value of
// the game each (a target's state, a key's earned flag, a shot's colour).
#pragma once

#include <cstdint>

#include "platform/ui_controls.hpp"

class TargetSprite : public UiPicture2 {
 public:
  int32_t state = 0;  // TargetState 0..19
};

class KeySprite : public UiPicture2 {
 public:
  bool earned = false;
};

class ShotSprite : public UiPicture2 {
 public:
  int32_t colour = 0;  // ShotColour 0..5
};

class LightningSprite : public UiPicture2 {};
class PreviewSprite : public UiPicture2 {};
class BarSprite : public UiPicture2 {};
class CloudSprite : public UiPicture2 {};
class OverlaySprite : public UiPicture2 {};
