// Starts and ends every queue test program with the shell's queues removed, so no test sees
// messages of an earlier run and no queue outlives the tests.
#include <gtest/gtest.h>
#include <mqueue.h>

#include "queue_reader.hpp"

namespace {

class QueueCleanup : public testing::Environment {
 public:
  void SetUp() override { unlinkAll(); }
  void TearDown() override { unlinkAll(); }

 private:
  static void unlinkAll() {
    for (const char* name : {kAppsAskQueue, kShellNotifyQueue, kUserNotificationQueue}) mq_unlink(name);
  }
};

[[maybe_unused]] testing::Environment* const cleanup = testing::AddGlobalTestEnvironment(new QueueCleanup);

}  // namespace
