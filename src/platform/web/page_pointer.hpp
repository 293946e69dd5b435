// The finger on the page: a mouse or touch on the canvas, in the canvas's CSS
// pixels, turned into the game's pointer events in window pixels. A press
// starts only on the canvas; while held, the pointer is followed everywhere
// and kept on the screen's edge, as a finger cannot leave the screen.
#pragma once

#include "platform/host.hpp"

class PagePointer {
 public:
  enum class Action { Down, Move, Up, Cancel };

  // `x`, `y` relative to the canvas's top-left corner, which is shown
  // `shownWidth` x `shownHeight` CSS pixels large. False when the action
  // means nothing to the game (a move or release with nothing held, a press
  // off the canvas, a canvas not shown).
  bool translate(Action action, double x, double y, double shownWidth, double shownHeight,
                 HostEvent& event);
  bool held() const { return held_; }

 private:
  bool held_ = false;
};
