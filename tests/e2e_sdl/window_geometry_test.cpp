// Letterbox placement, window-to-game mapping and the starting window size.
#include <gtest/gtest.h>

#include "platform/letterbox.hpp"
#include "platform/window_size.hpp"

namespace {

TEST(Letterbox, FillsAWindowOfTheFrameSizeExactly) {
  const Letterbox box(480, 720, 480, 720);
  EXPECT_EQ(box.x(), 0);
  EXPECT_EQ(box.y(), 0);
  EXPECT_EQ(box.width(), 480);
  EXPECT_EQ(box.height(), 720);
  EXPECT_TRUE(box.integerScale());
}

TEST(Letterbox, CentresTheFrameBetweenBarsKeepingTwoToThree) {
  const Letterbox wide(600, 720, 600, 720);
  EXPECT_EQ(wide.x(), 60);
  EXPECT_EQ(wide.y(), 0);
  EXPECT_EQ(wide.width(), 480);
  EXPECT_EQ(wide.height(), 720);
  EXPECT_TRUE(wide.integerScale());

  const Letterbox tall(500, 1000, 500, 1000);
  EXPECT_EQ(tall.x(), 0);
  EXPECT_EQ(tall.width(), 500);
  EXPECT_EQ(tall.height(), 750);
  EXPECT_EQ(tall.y(), 125);
  EXPECT_FALSE(tall.integerScale());

  const Letterbox fullHd(1920, 1080, 1920, 1080);
  EXPECT_EQ(fullHd.height(), 1080);
  EXPECT_EQ(fullHd.width(), 720);
  EXPECT_EQ(fullHd.x(), 600);
  EXPECT_FALSE(fullHd.integerScale());
}

TEST(Letterbox, DoubleSizeIsAnIntegerScale) {
  const Letterbox box(960, 1440, 960, 1440);
  EXPECT_TRUE(box.integerScale());
  EXPECT_EQ(box.width(), 960);
}

TEST(Letterbox, MapsWindowPointsToTheGamePixelUnderThem) {
  const Letterbox doubled(960, 1440, 960, 1440);
  EXPECT_EQ(doubled.toGame(0, 0)->x, 0);
  EXPECT_EQ(doubled.toGame(1, 1)->y, 0);
  EXPECT_EQ(doubled.toGame(2, 3)->x, 1);
  EXPECT_EQ(doubled.toGame(2, 3)->y, 1);
  EXPECT_EQ(doubled.toGame(959, 1439)->x, 479);
  EXPECT_EQ(doubled.toGame(959, 1439)->y, 719);

  const Letterbox wide(600, 720, 600, 720);
  const auto point = wide.toGame(60 + 240, 360);
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->x, 240);
  EXPECT_EQ(point->y, 360);
}

TEST(Letterbox, PointsOnTheBarsOrOutsideTouchNothing) {
  const Letterbox wide(600, 720, 600, 720);
  EXPECT_FALSE(wide.toGame(59, 300).has_value());
  EXPECT_TRUE(wide.toGame(60, 300).has_value());
  EXPECT_TRUE(wide.toGame(539, 300).has_value());
  EXPECT_FALSE(wide.toGame(540, 300).has_value());
  EXPECT_FALSE(wide.toGame(300, -1).has_value());
  EXPECT_FALSE(wide.toGame(300, 720).has_value());
}

TEST(Letterbox, ClampedMappingKeepsADragOnTheFrameEdge) {
  const Letterbox wide(600, 720, 600, 720);
  const GamePoint left = wide.toGameClamped(-40, 100);
  EXPECT_EQ(left.x, 0);
  EXPECT_EQ(left.y, 100);
  const GamePoint corner = wide.toGameClamped(599, 5000);
  EXPECT_EQ(corner.x, 479);
  EXPECT_EQ(corner.y, 719);
}

TEST(Letterbox, HighDpiOutputMapsWindowUnitsThroughThePixelRatio) {
  // A HiDPI window: 480 x 720 units drawn on 960 x 1440 pixels.
  const Letterbox box(480, 720, 960, 1440);
  EXPECT_EQ(box.width(), 960);
  EXPECT_TRUE(box.integerScale());
  const auto point = box.toGame(100, 200);
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->x, 100);
  EXPECT_EQ(point->y, 200);

  // Wider window on HiDPI: bars of 60 units are 120 pixels.
  const Letterbox wide(600, 720, 1200, 1440);
  EXPECT_EQ(wide.x(), 120);
  EXPECT_FALSE(wide.toGame(59, 10).has_value());
  EXPECT_EQ(wide.toGame(61, 10)->x, 1);
}

TEST(Letterbox, DegenerateSizesDoNotDivideByZero) {
  const Letterbox empty(0, 0, 0, 0);
  EXPECT_GE(empty.width(), 1);
  EXPECT_GE(empty.height(), 1);
  EXPECT_FALSE(empty.toGame(5, 5).has_value());
}

TEST(StartingWindowSize, ExplicitScaleIsAMultipleOfTheFrame) {
  const WindowSize size = startingWindowSize(2, 1920, 1080);
  EXPECT_EQ(size.width, 960);
  EXPECT_EQ(size.height, 1440);
}

TEST(StartingWindowSize, FitsTheLargestWholeMultipleOnTheScreen) {
  EXPECT_EQ(startingWindowSize(0, 1920, 1050).height, 720);
  EXPECT_EQ(startingWindowSize(0, 1024, 768).height, 720);
  const WindowSize fourK = startingWindowSize(0, 3840, 2100);
  EXPECT_EQ(fourK.width, 960);
  EXPECT_EQ(fourK.height, 1440);
}

TEST(StartingWindowSize, ShrinksOnAScreenTooSmallForTheFrame) {
  const WindowSize laptop = startingWindowSize(0, 1366, 736);
  EXPECT_EQ(laptop.height, 688);
  EXPECT_EQ(laptop.width, 458);
  const WindowSize tiny = startingWindowSize(0, 200, 200);
  EXPECT_EQ(tiny.height, 360);
  EXPECT_EQ(tiny.width, 240);
}

TEST(StartingWindowSize, UnknownScreenGivesTheFrameSize) {
  const WindowSize size = startingWindowSize(0, 0, 0);
  EXPECT_EQ(size.width, 480);
  EXPECT_EQ(size.height, 720);
}

}  // namespace
