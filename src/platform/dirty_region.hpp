// The parts of a window waiting to be repainted: a few rectangles, so that
// changes far apart (a falling shot, a button at the bottom) are repainted
// as themselves rather than as the large box around them. Rectangles that
// overlap or touch are merged; beyond capacity a new one joins the rectangle
// it enlarges least. Fixed capacity: nothing is allocated.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "platform/mz_types.hpp"

class DirtyRegion {
 public:
  static constexpr size_t Capacity = 8;

  void add(const MzRect& rect);
  void clear() { count_ = 0; }
  bool empty() const { return count_ == 0; }
  // The rectangles, none overlapping or touching another.
  std::span<const MzRect> rects() const { return {rects_.data(), count_}; }
  // The smallest rectangle holding them all (empty when there are none).
  MzRect bounds() const;

 private:
  void removeAt(size_t index);

  std::array<MzRect, Capacity> rects_{};
  size_t count_ = 0;
};
