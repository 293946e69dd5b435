// The dirty region: changes far apart stay apart, what meets is merged, a full
// region grows least; and the loop composes only those parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/dirty_region.hpp"
#include "platform/headless/headless_host.hpp"
#include "platform/image.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_window.hpp"

// Rectangles compare by their four sides (for the expectations below).
static bool operator==(const MzRect& a, const MzRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

// The region's rectangles from left to right (their order in the region is its own).
std::vector<MzRect> rectsOf(const DirtyRegion& region) {
  std::vector<MzRect> rects(region.rects().begin(), region.rects().end());
  std::sort(rects.begin(), rects.end(),
            [](const MzRect& a, const MzRect& b) { return a.left != b.left ? a.left < b.left : a.top < b.top; });
  return rects;
}

TEST(DirtyRegion, ChangesFarApartStayApart) {
  DirtyRegion region;
  region.add(rectOf(145, 150, 16, 48));  // a shot
  region.add(rectOf(2, 512, 50, 98));    // a button below
  EXPECT_EQ(rectsOf(region), (std::vector<MzRect>{rectOf(2, 512, 50, 98), rectOf(145, 150, 16, 48)}));
  EXPECT_EQ(region.bounds(), (MzRect{2, 150, 161, 610}));
}

TEST(DirtyRegion, WhatOverlapsOrTouchesIsMergedAndWhatIsCoveredAddsNothing) {
  DirtyRegion region;
  region.add(rectOf(145, 150, 16, 48));
  region.add(rectOf(145, 165, 16, 48));  // the shot a tick later
  EXPECT_EQ(rectsOf(region), (std::vector<MzRect>{rectOf(145, 150, 16, 63)}));
  region.add(rectOf(161, 150, 10, 10));  // touching on the right
  EXPECT_EQ(rectsOf(region), (std::vector<MzRect>{MzRect{145, 150, 171, 213}}));
  region.add(rectOf(150, 160, 5, 5));
  region.add(MzRect{10, 10, 10, 40});  // empty
  EXPECT_EQ(region.rects().size(), 1u);
}

TEST(DirtyRegion, ARectangleBridgingTwoMergesAllThree) {
  DirtyRegion region;
  region.add(rectOf(0, 0, 10, 10));
  region.add(rectOf(100, 0, 10, 10));
  region.add(rectOf(300, 300, 10, 10));
  region.add(rectOf(5, 5, 100, 2));
  EXPECT_EQ(rectsOf(region), (std::vector<MzRect>{rectOf(0, 0, 110, 10), rectOf(300, 300, 10, 10)}));
}

TEST(DirtyRegion, BeyondCapacityANewRectangleJoinsTheOneItEnlargesLeast) {
  DirtyRegion region;
  for (int32_t i = 0; i < static_cast<int32_t>(DirtyRegion::Capacity); ++i) region.add(rectOf(i * 50, i * 80, 10, 10));
  region.add(rectOf(0, 20, 10, 10));  // just below the first
  const std::vector<MzRect> rects = rectsOf(region);
  ASSERT_EQ(rects.size(), DirtyRegion::Capacity);
  EXPECT_EQ(rects[0], rectOf(0, 0, 10, 30));
  EXPECT_EQ(rects[1], rectOf(50, 80, 10, 10)) << "the others stay as they were";
  region.clear();
  EXPECT_TRUE(region.empty());
  EXPECT_TRUE(isEmpty(region.bounds()));
}

// A white window; the test scribbles on the frame to see what is recomposed.
class WhiteWindow : public CMzWndEx {};

TEST(DirtyRegionPainting, OnlyTheChangedPartsAreComposed) {
  std::istringstream script("");
  std::ostringstream out;
  HeadlessHost host(script, out, out);
  setCurrentHost(&host);
  WhiteWindow window;
  window.Create(0, 0, 480, 720);
  window.Show();
  paintIfDirty();
  Canvas& frame = const_cast<Canvas&>(currentFrame());
  frame.fill(canvasRect(), packRgba(255, 0, 0, 255));  // stale red everywhere
  const MzRect shot = rectOf(145, 150, 16, 48);
  const MzRect button = rectOf(2, 512, 50, 98);
  window.Invalidate(&shot);
  window.Invalidate(&button);
  paintIfDirty();
  EXPECT_EQ(frame.pixel(150, 160) & 0xFFFFFF, 0xFFFFFFu) << "the shot's place is recomposed";
  EXPECT_EQ(frame.pixel(10, 600) & 0xFFFFFF, 0xFFFFFFu) << "the button's place is recomposed";
  EXPECT_EQ(frame.pixel(100, 300) & 0xFFFFFF, 0x0000FFu) << "between them nothing is touched";
  setCurrentHost(nullptr);
}

}  // namespace
