// Adding to the dirty region: merging what meets, joining when full.
#include "platform/dirty_region.hpp"

#include <cstdint>
#include <limits>

#include "platform/canvas.hpp"

namespace {

bool meet(const MzRect& a, const MzRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int64_t area(const MzRect& r) {
  return static_cast<int64_t>(r.right - r.left) * static_cast<int64_t>(r.bottom - r.top);
}

}  // namespace

void DirtyRegion::removeAt(size_t index) {
  rects_[index] = rects_[count_ - 1];
  --count_;
}

void DirtyRegion::add(const MzRect& rect) {
  if (isEmpty(rect)) return;
  MzRect grown = rect;
  // Merging can make the rectangle meet others it did not: look again.
  for (size_t i = 0; i < count_;) {
    if (covers(rects_[i], grown)) return;
    if (meet(rects_[i], grown)) {
      grown = boundingUnion(rects_[i], grown);
      removeAt(i);
      i = 0;
    } else {
      ++i;
    }
  }
  if (count_ < Capacity) {
    rects_[count_++] = grown;
    return;
  }
  size_t cheapest = 0;
  int64_t leastGrowth = std::numeric_limits<int64_t>::max();
  for (size_t i = 0; i < count_; ++i) {
    const int64_t growth = area(boundingUnion(rects_[i], grown)) - area(rects_[i]);
    if (growth < leastGrowth) {
      leastGrowth = growth;
      cheapest = i;
    }
  }
  const MzRect joined = boundingUnion(rects_[cheapest], grown);
  removeAt(cheapest);
  add(joined);
}

MzRect DirtyRegion::bounds() const {
  MzRect all{};
  for (size_t i = 0; i < count_; ++i) all = boundingUnion(all, rects_[i]);
  return all;
}
