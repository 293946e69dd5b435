// A window for tests that records what reaches its handlers.
#pragma once

#include <string>
#include <vector>

#include "platform/mz_window.hpp"

class RecordingWindow : public CMzWndEx {
 public:
  ~RecordingWindow() override = default;

  void OnLButtonDown(uint32_t, int32_t x, int32_t y) override { record("down", x, y); }
  void OnLButtonUp(uint32_t, int32_t x, int32_t y) override { record("up", x, y); }
  void OnMouseMove(uint32_t, int32_t x, int32_t y) override { record("move", x, y); }
  void OnTimer(uint32_t id) override { events.push_back("timer " + std::to_string(id)); }
  void handleCommand(uint32_t wParam, int32_t lParam) override { record("command", static_cast<int32_t>(wParam), lParam); }
  void OnKeyDown(MzKey key, uint32_t modifiers) override {
    record("key", static_cast<int32_t>(key), static_cast<int32_t>(modifiers));
  }

  // Creates the window over the whole 480 x 720 screen and shows it.
  void open() {
    Create(0, 0, 480, 720);
    Show();
  }

  std::vector<std::string> events;

 private:
  void record(const char* what, int32_t a, int32_t b) {
    events.push_back(std::string(what) + ' ' + std::to_string(a) + ' ' + std::to_string(b));
  }
};
