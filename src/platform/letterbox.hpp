// Where the 480 x 720 frame sits in a window of any size (centred, aspect
// kept, black bars around it) and how window coordinates map back to it.
#pragma once

#include <cstdint>
#include <optional>

struct GamePoint {
  int32_t x = 0;
  int32_t y = 0;
};

class Letterbox {
 public:
  // `windowWidth` x `windowHeight` is the window in the coordinates mouse
  // events use; `outputWidth` x `outputHeight` is the drawable in pixels
  // (larger than the window on a HiDPI screen).
  Letterbox(int32_t windowWidth, int32_t windowHeight, int32_t outputWidth, int32_t outputHeight);

  // The frame's rectangle in output pixels.
  int32_t x() const { return x_; }
  int32_t y() const { return y_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // True when the frame is shown at a whole multiple of its size, which
  // nearest-neighbour scaling draws crisply.
  bool integerScale() const;

  // The game pixel under a window point; nothing when the point is on a bar
  // or outside the window.
  std::optional<GamePoint> toGame(int32_t windowX, int32_t windowY) const;
  // The game pixel nearest to a window point, for a drag that left the frame.
  GamePoint toGameClamped(int32_t windowX, int32_t windowY) const;

 private:
  // Game coordinates of a window point, unbounded, rounded down.
  GamePoint project(int32_t windowX, int32_t windowY) const;

  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  double pixelsPerWindowUnitX_ = 1.0;
  double pixelsPerWindowUnitY_ = 1.0;
};
