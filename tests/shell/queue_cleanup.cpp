// Starts every queue test program with the shell's queues removed, so no test sees messages
// of an earlier run, and removes them again when the program ends. The helpers keep their
// queues open for the life of the process, so nothing is removed in between (a removed
// queue would leave them writing to a queue no reader can open by name).
#include <gtest/gtest.h>
#include <mqueue.h>

#include <cstdlib>

#include "queue_reader.hpp"

namespace {

void unlinkShellQueues() {
  for (const char* name : {kAppsAskQueue, kShellNotifyQueue, kUserNotificationQueue}) mq_unlink(name);
}

class QueueCleanup : public testing::Environment {
 public:
  void SetUp() override {
    static const bool once = [] {
      unlinkShellQueues();
      return std::atexit(unlinkShellQueues) == 0;
    }();
    ASSERT_TRUE(once);
  }
};

[[maybe_unused]] testing::Environment* const cleanup = testing::AddGlobalTestEnvironment(new QueueCleanup);

}  // namespace
