// The start menu's picture with the program's version drawn in its bottom right corner, so
// the version shown is always the one --version prints.
#pragma once

#include "platform/ui_controls.hpp"

class StartMenuPicture : public UiPicture {
 public:
  void Paint(Canvas& canvas) const override;
};
