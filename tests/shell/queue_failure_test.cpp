// Shell queues that cannot be opened: one debug line per attempt, failure reported, and the
// next request tries again. Runs in a child process whose queue allowance is cut to nothing.
#include <gtest/gtest.h>
#include <mqueue.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cstdint>

#include "queue_reader.hpp"
#include "shell/apps_ask_shell.hpp"
#include "shell/shell_notify.hpp"
#include "shell/user_notification.hpp"

namespace {

// No new queue can be made while this holds; the hard limit stays, so it can be lifted.
void forbidNewQueues(bool forbid) {
  static rlimit original{};
  if (forbid) {
    getrlimit(RLIMIT_MSGQUEUE, &original);
    rlimit none = original;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_MSGQUEUE, &none);
  } else {
    setrlimit(RLIMIT_MSGQUEUE, &original);
  }
}

// Child: two failing requests, then one that works once queues may be made again.
[[noreturn]] void appsAskFailsThenRecovers() {
  mq_unlink(kAppsAskQueue);
  forbidNewQueues(true);
  const bool failedTwice = !AppsAskShellAppStart(42) && !AppsAskShellAppExit();
  forbidNewQueues(false);
  const bool thenWorked = AppsAskShellAppExit() && QueueReader(kAppsAskQueue).receiveAll().size() == 1;
  _exit(failedTwice && thenWorked ? 0 : 1);
}

[[noreturn]] void shellNotifyFails() {
  mq_unlink(kShellNotifyQueue);
  forbidNewQueues(true);
  _exit(SendShellNotify(1, 2, 3) ? 1 : 0);
}

[[noreturn]] void userNotificationFails() {
  mq_unlink(kUserNotificationQueue);
  forbidNewQueues(true);
  const std::array<std::uint8_t, 4> payload{1, 2, 3, 4};
  _exit(AddUserNotification(payload) == 0 ? 0 : 1);
}

TEST(ShellQueueFailureDeathTest, AppsAskWritesOneDebugLinePerAttemptAndRetries) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(appsAskFailsThenRecovers(), testing::ExitedWithCode(0),
              "^Cannot open Apps Ask Shell Event message queue!\n"
              "Cannot open Apps Ask Shell Event message queue!\n$");
}

TEST(ShellQueueFailureDeathTest, ShellNotifyWritesItsDebugLine) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(shellNotifyFails(), testing::ExitedWithCode(0), "^Cannot open Shell Notify message queue!\n$");
}

TEST(ShellQueueFailureDeathTest, UserNotificationWritesItsDebugLine) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(userNotificationFails(), testing::ExitedWithCode(0), "^Cannot open user notification queue!\n$");
}

}  // namespace
