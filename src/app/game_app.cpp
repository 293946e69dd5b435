// Start-up and shutdown of the game process.
#include "app/game_app.hpp"

#include <chrono>

#include "platform/host.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/services/instance_lock.hpp"
#include "platform/services/window_request.hpp"
#include "shell/apps_ask_shell.hpp"

namespace {

// How long a refused start waits for the running copy to take its request.
constexpr std::chrono::milliseconds RaiseRequestTimeout{500};
constexpr int32_t StartupAnimationParam = 1;
constexpr int32_t StartupAnimationKind = 13;
constexpr int32_t HomeKeyReturnValue = 3;

}  // namespace

GameApp::GameApp(SharedImages& images) : mainWindow(images) {}

bool GameApp::ensureSingleInstance() {
  const services::InstanceLock lock = services::acquireInstanceLock(gameWindowClassName);
  // A lock that cannot be taken at all tells nothing about other copies:
  // starting is better than refusing to run.
  if (lock != services::InstanceLock::HeldByAnotherProcess) return true;
  if (services::findWindowByClassName(gameWindowClassName)) {
    services::sendWindowRequest(gameWindowClassName,
                                services::WindowRequest{services::WindowAction::ShowAndRaise},
                                RaiseRequestTimeout);
  }
  return false;
}

void GameApp::listenForRaiseRequests() {
  raiseRequests = services::WindowRequestListener::start(
      gameWindowClassName, [this](const services::WindowRequest& request) {
        if (request.action != services::WindowAction::ShowAndRaise) return;
        // The listener runs on its own thread; the window is the GUI thread's.
        postToGuiThread([this] {
          if (!mainWindow.IsWindowVisible()) mainWindow.Show(true, true);
          if (Host* host = currentHost()) host->raiseWindow();
        });
      });
}

int32_t GameApp::Init() {
  if (!ensureSingleInstance()) return 0;
  const MzRect workArea = MzGetWorkArea();
  mainWindow.Create(workArea.left, workArea.top, workArea.right - workArea.left,
                    workArea.bottom - workArea.top, nullptr, 0, 0, 0);
  if (MzGetParam(StartupAnimationParam) == 1) mainWindow.AnimateWindow(StartupAnimationKind, true);
  mainWindow.Show(true, true);
  mainWindow.UpdateWindow();
  listenForRaiseRequests();
  AppsAskShellAppStart(mainWindow.m_hWnd);
  announcedToShell = true;
  mainWindow.SetShellHomekeyReturnValue(HomeKeyReturnValue);
  return 1;
}

// A refused start never announced itself, so it announces no end either:
// the shell must not hear that the running copy has gone.
int32_t GameApp::Shutdown() {
  raiseRequests.reset();
  // Closing the game ends a day's attempt under way with its score so far.
  mainWindow.endDailyAttempt();
  if (announcedToShell) AppsAskShellAppExit();
  return 0;
}
