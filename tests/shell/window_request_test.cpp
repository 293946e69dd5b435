// Window requests between processes: finding a window by class name, delivering requests to
// its listener, and the shell's top-window helpers against listeners standing in for the
// shell's windows.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/services/window_listener.hpp"
#include "shell/shell_windows.hpp"

using services::WindowAction;
using services::WindowRequest;
using namespace std::chrono_literals;

namespace {

// Collects what a listener hands over; waits for requests from the listener's thread.
class RequestLog {
 public:
  services::WindowRequestListener::Handler handler() {
    return [this](const WindowRequest& request) {
      std::lock_guard guard(mutex_);
      requests_.push_back(request);
      arrived_.notify_all();
    };
  }

  // The first count requests; fewer only if they never come (a hang guard, not a timing check).
  std::vector<WindowRequest> waitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, 30s, [&] { return requests_.size() >= count; });
    return requests_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<WindowRequest> requests_;
};

TEST(WindowRequestRecordTest, EncodesLittleEndianAndDecodesBack) {
  const WindowRequest request{WindowAction::Message, 0xFFF00019, 0x01020304, 7};
  const auto bytes = services::encodeWindowRequest(request);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 16>{4, 0, 0, 0, 0x19, 0, 0xF0, 0xFF, 4, 3, 2, 1, 7, 0, 0, 0}));
  EXPECT_EQ(services::decodeWindowRequest(bytes), request);
}

TEST(WindowRequestRecordTest, RejectsWrongSizesAndUnknownActions) {
  auto bytes = services::encodeWindowRequest({WindowAction::Hide, 0, 0, 0});
  EXPECT_FALSE(services::decodeWindowRequest(std::span(bytes).first(15)).has_value());
  bytes[0] = 0;
  EXPECT_FALSE(services::decodeWindowRequest(bytes).has_value());
  bytes[0] = 5;
  EXPECT_FALSE(services::decodeWindowRequest(bytes).has_value());
}

TEST(WindowRequestTest, NoWindowIsFoundOrReachedWithoutAListener) {
  EXPECT_FALSE(services::findWindowByClassName(u"QuandrelTestNobodyListens"));
  EXPECT_FALSE(services::sendWindowRequest(u"QuandrelTestNobodyListens", {}, 500ms));
  EXPECT_FALSE(services::findWindowByClassName(u""));
  EXPECT_FALSE(services::findWindowByClassName(std::u16string(200, u'x')));
}

TEST(WindowRequestTest, ListenerIsFoundAndReceivesTheRequest) {
  RequestLog log;
  auto listener = services::WindowRequestListener::start(u"QuandrelTestWindow", log.handler());
  ASSERT_NE(listener, nullptr);
  EXPECT_TRUE(services::findWindowByClassName(u"QuandrelTestWindow"));
  ASSERT_TRUE(services::sendWindowRequest(u"QuandrelTestWindow", {WindowAction::ShowAndRaise, 0, 0, 0}, 1000ms));
  ASSERT_TRUE(services::sendWindowRequest(u"QuandrelTestWindow", {WindowAction::Message, 9, 8, 7}, 0ms));
  // Looking for the window delivers nothing: exactly the two requests arrive, in order.
  const auto requests = log.waitFor(2);
  EXPECT_EQ(requests, (std::vector<WindowRequest>{{WindowAction::ShowAndRaise, 0, 0, 0}, {WindowAction::Message, 9, 8, 7}}));
}

TEST(WindowRequestTest, OnlyOneListenerPerClassAndTheNameIsFreedWithIt) {
  RequestLog log;
  auto first = services::WindowRequestListener::start(u"QuandrelTestSingle", log.handler());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(services::WindowRequestListener::start(u"QuandrelTestSingle", log.handler()), nullptr);
  first.reset();
  EXPECT_FALSE(services::findWindowByClassName(u"QuandrelTestSingle"));
  EXPECT_NE(services::WindowRequestListener::start(u"QuandrelTestSingle", log.handler()), nullptr);
}

// The shell's top windows do not exist on a desktop; tests stand in for them.
TEST(ShellWindowsTest, EveryRequestFailsWhenItsWindowIsMissing) {
  EXPECT_FALSE(NotifyDesktopAndLockPhone(kNotifyDesktopWindow | kNotifyLockPhoneWindow));
  EXPECT_FALSE(RefreshDesktopExploreWindows());
  EXPECT_FALSE(PostShellMainWindow(1, 2));
  EXPECT_FALSE(SendShellMainWindow(1, 2));
  EXPECT_FALSE(HideTaskBar());
  EXPECT_FALSE(ShowTaskBar());
  EXPECT_FALSE(SendTaskBarMessage(0xFFF0000D));
  EXPECT_FALSE(PostStartupWindow());
  EXPECT_FALSE(SendStartupWindow());
}

TEST(ShellWindowsTest, TaskBarGetsHideShowAndItsFiveMessagesOnly) {
  RequestLog log;
  auto taskBar = services::WindowRequestListener::start(u"CTaskBar", log.handler());
  ASSERT_NE(taskBar, nullptr);
  EXPECT_TRUE(HideTaskBar());
  EXPECT_TRUE(ShowTaskBar());
  EXPECT_FALSE(SendTaskBarMessage(0xFFF0000E));
  EXPECT_FALSE(SendTaskBarMessage(0));
  std::vector<WindowRequest> expected{{WindowAction::Hide, 0, 0, 0}, {WindowAction::Show, 0, 0, 0}};
  for (std::uint32_t message : {0xFFF0000Du, 0xFFF0000Fu, 0xFFF00010u, 0xFFF00011u, 0xFFF00012u}) {
    EXPECT_TRUE(SendTaskBarMessage(message));
    expected.push_back({WindowAction::Message, message, 0, 0});
  }
  EXPECT_EQ(log.waitFor(expected.size()), expected);
}

TEST(ShellWindowsTest, DesktopAndLockPhoneAreChosenByTheirBits) {
  RequestLog lockPhoneLog;
  auto lockPhone = services::WindowRequestListener::start(u"CLockPhoneWnd", lockPhoneLog.handler());
  ASSERT_NE(lockPhone, nullptr);
  EXPECT_FALSE(NotifyDesktopAndLockPhone(kNotifyDesktopWindow));  // the desktop window is missing
  EXPECT_FALSE(NotifyDesktopAndLockPhone(0));
  EXPECT_TRUE(NotifyDesktopAndLockPhone(kNotifyLockPhoneWindow));
  EXPECT_TRUE(NotifyDesktopAndLockPhone(kNotifyDesktopWindow | kNotifyLockPhoneWindow));
  const WindowRequest notify{WindowAction::Message, 0xFFF00002, 0, 0};
  EXPECT_EQ(lockPhoneLog.waitFor(2), (std::vector<WindowRequest>{notify, notify}));
}

TEST(ShellWindowsTest, ShellMainStartupAndExploreWindowsGetTheirMessages) {
  RequestLog log;
  auto shellMain = services::WindowRequestListener::start(u"CShellMainWnd", log.handler());
  auto startup = services::WindowRequestListener::start(u"CStartupWnd", log.handler());
  ASSERT_NE(shellMain, nullptr);
  ASSERT_NE(startup, nullptr);
  EXPECT_FALSE(PostShellMainWindow(0, 3));
  ASSERT_TRUE(PostShellMainWindow(4, 3));
  log.waitFor(1);
  ASSERT_TRUE(SendShellMainWindow(0, 6));
  log.waitFor(2);
  ASSERT_TRUE(PostStartupWindow());
  log.waitFor(3);
  ASSERT_TRUE(SendStartupWindow());
  const auto requests = log.waitFor(4);
  EXPECT_EQ(requests, (std::vector<WindowRequest>{{WindowAction::Message, 0xFFF00019, 4, 3},
                                                  {WindowAction::Message, 0xFFF0001A, 0, 6},
                                                  {WindowAction::Message, 0xFFF0001B, 2, 0},
                                                  {WindowAction::Message, 0xFFF0001B, 1, 0}}));
  shellMain.reset();
  startup.reset();

  RequestLog exploreLog;
  auto explore = services::WindowRequestListener::start(u"DesktopExploreWindows", exploreLog.handler());
  ASSERT_NE(explore, nullptr);
  ASSERT_TRUE(RefreshDesktopExploreWindows());
  EXPECT_EQ(exploreLog.waitFor(1), (std::vector<WindowRequest>{{WindowAction::Message, 0xFFF00001, 0, 2}}));
}

}  // namespace
