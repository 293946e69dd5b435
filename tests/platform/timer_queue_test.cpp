// The timer queue: due order, ties, restart, stop, late loops, capacity.
#include "platform/timer_queue.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Fires everything due up to `untilMs`, stepping from one due time to the
// next as a loop would, and returns the ids in firing order.
std::vector<uint32_t> runUntil(TimerQueue& queue, uint64_t untilMs) {
  std::vector<uint32_t> fired;
  for (uint64_t now = queue.nextDueMs(); now <= untilMs; now = queue.nextDueMs()) {
    TimerQueue::Timer due;
    while (queue.popDue(now, due)) fired.push_back(due.id);
  }
  return fired;
}

TEST(TimerQueue, FiresByDueTimeWithTiesInStartOrder) {
  TimerQueue queue;
  queue.start(1, 110, 50, 0);
  queue.start(1, 111, 100, 0);
  queue.start(1, 196, 30, 0);
  // 30:196 50:110 60:196 90:196 100:110,111 (110 started first) 120:196
  EXPECT_EQ(runUntil(queue, 120), (std::vector<uint32_t>{196, 110, 196, 196, 110, 111, 196}));
}

TEST(TimerQueue, RestartingMovesTheTimerBehindTheOthersAndResetsItsPeriod) {
  TimerQueue queue;
  queue.start(1, 7, 100, 0);
  queue.start(1, 8, 100, 0);
  queue.start(1, 7, 100, 0);  // now started after 8: ties go to 8 first
  EXPECT_EQ(runUntil(queue, 100), (std::vector<uint32_t>{8, 7}));

  queue.start(1, 8, 30, 150);  // restart with a new period: next tick at 180
  EXPECT_EQ(queue.nextDueMs(), 180u);
  TimerQueue::Timer due;
  EXPECT_FALSE(queue.popDue(179, due));
  ASSERT_TRUE(queue.popDue(180, due));
  EXPECT_EQ(due.id, 8u);
  EXPECT_EQ(due.periodMs, 30u);
}

TEST(TimerQueue, StopRemovesOneTimerOfOneWindow) {
  TimerQueue queue;
  queue.start(1, 5, 10, 0);
  queue.start(2, 5, 10, 0);
  EXPECT_TRUE(queue.stop(1, 5));
  EXPECT_FALSE(queue.stop(1, 5));
  ASSERT_EQ(queue.size(), 1u);
  EXPECT_EQ(queue[0].window, 2u);
  queue.start(2, 6, 10, 0);
  queue.stopAll(2);
  EXPECT_EQ(queue.size(), 0u);
  EXPECT_EQ(queue.nextDueMs(), UINT64_MAX);
}

TEST(TimerQueue, ALateLoopGetsOneTickNotABurst) {
  TimerQueue queue;
  queue.start(1, 110, 50, 0);
  TimerQueue::Timer due;
  ASSERT_TRUE(queue.popDue(500, due));  // nine periods late
  EXPECT_FALSE(queue.popDue(500, due));
  EXPECT_EQ(queue.nextDueMs(), 550u);
}

TEST(TimerQueue, PeriodZeroTicksEveryMillisecondAndAFullQueueRefuses) {
  TimerQueue queue;
  queue.start(1, 1, 0, 0);
  EXPECT_EQ(queue.nextDueMs(), 1u);
  for (uint32_t id = 2; id <= TimerQueue::Capacity; ++id) EXPECT_TRUE(queue.start(1, id, 10, 0));
  EXPECT_FALSE(queue.start(1, 999, 10, 0));
  EXPECT_TRUE(queue.start(1, 2, 20, 0));  // restarting a running one still works when full
}

TEST(TimerQueue, RunningTimeStandsStillWhilePaused) {
  TimerQueue queue;
  EXPECT_EQ(queue.runningMs(100), 100u);
  queue.pause(100);
  queue.pause(150);  // a second pause changes nothing
  EXPECT_EQ(queue.runningMs(400), 100u);
  queue.resume(400);
  EXPECT_EQ(queue.runningMs(450), 150u);
  queue.pause(500);
  queue.resume(600);
  EXPECT_EQ(queue.runningMs(700), 300u);
}

}  // namespace
