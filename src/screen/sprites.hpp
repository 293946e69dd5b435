// The game pieces: pictures that draw a shared image at a place. The game's
// values (a tube's state, a key, a shot's colour) live in its Play.
#pragma once

#include "platform/ui_controls.hpp"

class TargetSprite : public UiPicture2 {};
class KeySprite : public UiPicture2 {};
class ShotSprite : public UiPicture2 {};
class LightningSprite : public UiPicture2 {};
class PreviewSprite : public UiPicture2 {};
class BarSprite : public UiPicture2 {};
class CloudSprite : public UiPicture2 {};
class OverlaySprite : public UiPicture2 {};
