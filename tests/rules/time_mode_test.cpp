// The time bar's pace per mode and the modes' order and words.
#include <gtest/gtest.h>

#include "rules/time_mode.hpp"

namespace {

TEST(TimeMode, TheBarRunsOutInTenThirtyOrNeverSeconds) {
  constexpr int32_t BarWidth = 480;
  constexpr int32_t TickMs = 250;
  EXPECT_EQ(BarWidth / timeBarStepPerTick(TimeMode::Normal) * TickMs, 10000);
  EXPECT_EQ(BarWidth / timeBarStepPerTick(TimeMode::Relaxed) * TickMs, 30000);
  EXPECT_EQ(BarWidth % timeBarStepPerTick(TimeMode::Relaxed), 0);
  EXPECT_EQ(timeBarStepPerTick(TimeMode::Off), 0);
}

TEST(TimeMode, PressesCycleNormalRelaxedOffAndOnlyNormalKeepsRecords) {
  EXPECT_EQ(nextTimeMode(TimeMode::Normal), TimeMode::Relaxed);
  EXPECT_EQ(nextTimeMode(TimeMode::Relaxed), TimeMode::Off);
  EXPECT_EQ(nextTimeMode(TimeMode::Off), TimeMode::Normal);
  EXPECT_TRUE(timeModeKeepsRecords(TimeMode::Normal));
  EXPECT_FALSE(timeModeKeepsRecords(TimeMode::Relaxed));
  EXPECT_FALSE(timeModeKeepsRecords(TimeMode::Off));
  for (const TimeMode mode : {TimeMode::Normal, TimeMode::Relaxed, TimeMode::Off})
    EXPECT_EQ(timeModeFromName(timeModeName(mode)), mode);
  EXPECT_FALSE(timeModeFromName("Normal").has_value());
}

}  // namespace
