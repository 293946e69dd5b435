// Composing frames allocates nothing once the first frame has been drawn:
// the 54 controls of the start-up screen, redrawn with changing pictures.
#include <gtest/gtest.h>

#include <memory>

#include "allocation_counter.hpp"
#include "platform/canvas.hpp"
#include "start_screen.hpp"

namespace {

TEST(FrameComposition, RedrawingTheStartScreenAllocatesNothing) {
  StartScreenScene scene;
  EXPECT_EQ(scene.controlCount(), 54u);
  Canvas canvas;
  const uint32_t untouched = canvas.pixel(240, 700);
  scene.compose(canvas);
  // The frame was really drawn (the toolbar covers the bottom of the screen).
  EXPECT_NE(canvas.pixel(240, 700), untouched);

  const uint64_t before = allocationCount();
  for (int frame = 0; frame < 20; ++frame) {
    scene.advance();
    scene.compose(canvas);
  }
  EXPECT_EQ(allocationCount() - before, 0u);
}

TEST(FrameComposition, TheAllocationCounterSeesAllocations) {
  const uint64_t before = allocationCount();
  auto block = std::make_unique<int[]>(64);
  block[0] = 1;
  EXPECT_GT(allocationCount(), before);
}

}  // namespace
