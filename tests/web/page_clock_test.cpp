// The game's clock in a page: hidden time is taken out, and it never runs back.
#include <gtest/gtest.h>

#include "platform/web/page_clock.hpp"

namespace {

TEST(PageClock, CountsVisibleTimeFromItsStart) {
  PageClock clock(1000.0);
  EXPECT_EQ(clock.nowMs(1000.0), 0u);
  EXPECT_EQ(clock.nowMs(1250.7), 250u);
  EXPECT_EQ(clock.nowMs(4000.0), 3000u);
}

TEST(PageClock, StandsStillWhileHiddenAndGoesOnFromThereWhenShown) {
  PageClock clock(0.0);
  clock.setHidden(true, 500.0);
  EXPECT_TRUE(clock.hidden());
  EXPECT_EQ(clock.nowMs(500.0), 500u);
  EXPECT_EQ(clock.nowMs(60000.0), 500u);
  clock.setHidden(false, 60000.0);
  EXPECT_FALSE(clock.hidden());
  EXPECT_EQ(clock.nowMs(60000.0), 500u);
  EXPECT_EQ(clock.nowMs(60100.0), 600u);
}

TEST(PageClock, AddsUpSeveralHiddenSpells) {
  PageClock clock(0.0);
  clock.setHidden(true, 100.0);
  clock.setHidden(false, 300.0);
  clock.setHidden(true, 400.0);
  clock.setHidden(false, 1400.0);
  EXPECT_EQ(clock.nowMs(1500.0), 300u);  // 100 + 100 + 100 visible
}

TEST(PageClock, RepeatedReportsOfTheSameStateChangeNothing) {
  PageClock clock(0.0);
  clock.setHidden(false, 50.0);
  clock.setHidden(true, 100.0);
  clock.setHidden(true, 900.0);  // still hidden since 100
  clock.setHidden(false, 1000.0);
  clock.setHidden(false, 1000.0);
  EXPECT_EQ(clock.nowMs(1100.0), 200u);
}

TEST(PageClock, NeverRunsBackwards) {
  PageClock clock(1000.0);
  EXPECT_EQ(clock.nowMs(2000.0), 1000u);
  EXPECT_EQ(clock.nowMs(1500.0), 1000u);  // a page clock that stepped back
  EXPECT_EQ(clock.nowMs(500.0), 1000u);   // before the start
  // Shown again "before" it was hidden: the hidden spell adds nothing.
  clock.setHidden(true, 3000.0);
  clock.setHidden(false, 2500.0);
  EXPECT_EQ(clock.nowMs(3500.0), 2500u);
}

}  // namespace
