// The apps-ask queue and the start-up and shutdown announcements.
#include "shell/apps_ask_shell.hpp"

#include "shell/shell_queue.hpp"

namespace {

constexpr std::uint32_t kAppStartCode = 10;
constexpr std::uint32_t kAppExitCode = 11;

ShellQueue& appsAskQueue() {
  // Never destroyed: requests may still be sent while other statics are torn down.
  static ShellQueue& queue = *new ShellQueue("/QueueNameOffAppsAskShellEvent", static_cast<long>(kAppsAskShellRequestBytes),
                                             u"Cannot open Apps Ask Shell Event message queue!\n");
  return queue;
}

}  // namespace

bool SendAppsAskShell(const AppsAskShellRequest& request) {
  return appsAskQueue().send(serializeAppsAskShellRequest(request));
}

bool AppsAskShellAppStart(WindowHandle mainWindow) {
  if (mainWindow == 0) return false;
  AppsAskShellRequest request;
  request.code = kAppStartCode;
  request.firstArgument = mainWindow;
  return SendAppsAskShell(request);
}

bool AppsAskShellAppExit() {
  AppsAskShellRequest request;
  request.code = kAppExitCode;
  return SendAppsAskShell(request);
}
