// Shell top-window requests through the platform's window requests.
#include "shell/shell_windows.hpp"

#include <chrono>
#include <thread>

#include "platform/services/window_request.hpp"

using services::WindowAction;
using services::WindowRequest;
using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds kNoWait = 0ms;

bool deliverMessage(const char16_t* className, std::uint32_t message, std::uint32_t first, std::uint32_t second,
                    std::chrono::milliseconds timeout = kNoWait) {
  return services::sendWindowRequest(className, {WindowAction::Message, message, first, second}, timeout);
}

}  // namespace

bool NotifyDesktopAndLockPhone(std::uint32_t windows) {
  bool delivered = false;
  if ((windows & kNotifyDesktopWindow) != 0)
    delivered = deliverMessage(u"DesktopExplorerWindow", 0xFFF00002, 0, 0) || delivered;
  if ((windows & kNotifyLockPhoneWindow) != 0)
    delivered = deliverMessage(u"CLockPhoneWnd", 0xFFF00002, 0, 0) || delivered;
  return delivered;
}

bool RefreshDesktopExploreWindows() {
  if (!deliverMessage(u"DesktopExploreWindows", 0xFFF00001, 0, 2)) return false;
  std::this_thread::sleep_for(10ms);
  return true;
}

bool PostShellMainWindow(std::uint32_t first, std::uint32_t second) {
  if (first == 0) return false;
  return deliverMessage(u"CShellMainWnd", 0xFFF00019, first, second);
}

bool SendShellMainWindow(std::uint32_t first, std::uint32_t second) {
  return deliverMessage(u"CShellMainWnd", 0xFFF0001A, first, second, 2000ms);
}

bool HideTaskBar() { return services::sendWindowRequest(u"CTaskBar", {WindowAction::Hide, 0, 0, 0}, kNoWait); }

bool ShowTaskBar() { return services::sendWindowRequest(u"CTaskBar", {WindowAction::Show, 0, 0, 0}, kNoWait); }

bool SendTaskBarMessage(std::uint32_t message) {
  switch (message) {
    case 0xFFF0000D:
    case 0xFFF0000F:
    case 0xFFF00010:
    case 0xFFF00011:
    case 0xFFF00012:
      return deliverMessage(u"CTaskBar", message, 0, 0, 800ms);
    default:
      return false;
  }
}

bool PostStartupWindow() { return deliverMessage(u"CStartupWnd", 0xFFF0001B, 2, 0); }

bool SendStartupWindow() { return deliverMessage(u"CStartupWnd", 0xFFF0001B, 1, 0, 800ms); }
