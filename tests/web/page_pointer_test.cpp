// The canvas's CSS pixels to the game's pointer events, with the finger's rules.
#include <gtest/gtest.h>

#include <limits>

#include "platform/web/page_pointer.hpp"

namespace {

using Action = PagePointer::Action;

// A canvas shown at 1.5 times the game's size.
constexpr double ShownWidth = 720;
constexpr double ShownHeight = 1080;

TEST(PagePointer, MapsShownPixelsToWindowPixels) {
  PagePointer pointer;
  HostEvent event;
  ASSERT_TRUE(pointer.translate(Action::Down, 351.0, 690.75, ShownWidth, ShownHeight, event));
  EXPECT_EQ(event.kind, HostEvent::Kind::PointerDown);
  EXPECT_EQ(event.x, 234);
  EXPECT_EQ(event.y, 460);
  ASSERT_TRUE(pointer.translate(Action::Up, 0.0, 1079.9, ShownWidth, ShownHeight, event));
  EXPECT_EQ(event.kind, HostEvent::Kind::PointerUp);
  EXPECT_EQ(event.x, 0);
  EXPECT_EQ(event.y, 719);
}

TEST(PagePointer, APressOffTheCanvasTouchesNothing) {
  PagePointer pointer;
  HostEvent event;
  EXPECT_FALSE(pointer.translate(Action::Down, -0.5, 10, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Down, 720.0, 10, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Down, 10, 1080.0, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.held());
  // Nor does a release or a move that follows.
  EXPECT_FALSE(pointer.translate(Action::Move, 10, 10, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Up, 10, 10, ShownWidth, ShownHeight, event));
}

TEST(PagePointer, MovesCountOnlyWhileHeldAndStayOnTheScreensEdge) {
  PagePointer pointer;
  HostEvent event;
  EXPECT_FALSE(pointer.translate(Action::Move, 100, 100, ShownWidth, ShownHeight, event));
  ASSERT_TRUE(pointer.translate(Action::Down, 100, 100, ShownWidth, ShownHeight, event));
  EXPECT_TRUE(pointer.held());
  ASSERT_TRUE(pointer.translate(Action::Move, -300, 5000, ShownWidth, ShownHeight, event));
  EXPECT_EQ(event.kind, HostEvent::Kind::PointerMove);
  EXPECT_EQ(event.x, 0);
  EXPECT_EQ(event.y, 719);
  ASSERT_TRUE(pointer.translate(Action::Up, 9000, -1, ShownWidth, ShownHeight, event));
  EXPECT_EQ(event.x, 479);
  EXPECT_EQ(event.y, 0);
  EXPECT_FALSE(pointer.held());
}

TEST(PagePointer, ASecondPressWhileHeldIsNotANewTouch) {
  PagePointer pointer;
  HostEvent event;
  ASSERT_TRUE(pointer.translate(Action::Down, 10, 10, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Down, 500, 500, ShownWidth, ShownHeight, event));
  ASSERT_TRUE(pointer.translate(Action::Up, 10, 10, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Up, 10, 10, ShownWidth, ShownHeight, event));
}

TEST(PagePointer, ACancelledTouchIsReleasedOffTheScreen) {
  PagePointer pointer;
  HostEvent event;
  EXPECT_FALSE(pointer.translate(Action::Cancel, 10, 10, ShownWidth, ShownHeight, event));
  ASSERT_TRUE(pointer.translate(Action::Down, 351, 690, ShownWidth, ShownHeight, event));
  ASSERT_TRUE(pointer.translate(Action::Cancel, 351, 690, ShownWidth, ShownHeight, event));
  EXPECT_EQ(event.kind, HostEvent::Kind::PointerUp);
  EXPECT_EQ(event.x, -1);
  EXPECT_EQ(event.y, -1);
  EXPECT_FALSE(pointer.held());
}

TEST(PagePointer, ACanvasNotShownOrAPositionNotANumberMeansNothing) {
  PagePointer pointer;
  HostEvent event;
  EXPECT_FALSE(pointer.translate(Action::Down, 0, 0, 0, ShownHeight, event));
  EXPECT_FALSE(pointer.translate(Action::Down, 0, 0, ShownWidth, -5, event));
  EXPECT_FALSE(pointer.translate(Action::Down, std::numeric_limits<double>::quiet_NaN(), 0, ShownWidth, ShownHeight, event));
  EXPECT_FALSE(pointer.held());
}

}  // namespace
