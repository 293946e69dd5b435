// The application object: one copy of the game at a time, the main window
// over the work area, and the shell told when the game starts and ends.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/mz_app.hpp"
#include "platform/services/window_listener.hpp"
#include "screen/game_window.hpp"

class GameApp : public CMzApp {
 public:
  explicit GameApp(SharedImages& images);

  // 1 when the game started, 0 when another copy runs (that copy is shown
  // and brought to the front instead).
  int32_t Init() override;
  int32_t Shutdown() override;
  // True when no other copy of the game runs.
  bool ensureSingleInstance();

  GameWindow mainWindow;

 private:
  // Shows and raises the window when a refused second start asks.
  void listenForRaiseRequests();

  // Stops before the window goes: declared after it.
  std::unique_ptr<services::WindowRequestListener> raiseRequests;
  bool announcedToShell = false;
};
