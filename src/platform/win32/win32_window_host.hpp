// The Host of a real Win32 window: the frame drawn with StretchDIBits into the
// letterbox (nearest pixels at whole multiples), per-monitor DPI aware, full
// screen on Alt+Return or F11, the window found by its class name, the
// announcements spoken while the Speech option is on, and web requests through
// WinHTTP off the game's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/host.hpp"
#include "platform/letterbox.hpp"
#include "platform/speech_queue.hpp"
#include "platform/services/web_client.hpp"
#include "platform/win32/win32_audio.hpp"
#include "platform/win32/win32_gamepads.hpp"
#include "platform/win32/win32_input.hpp"
#include "platform/window_options.hpp"

class Win32WindowHost final : public Host {
 public:
  explicit Win32WindowHost(const WindowOptions& options);
  ~Win32WindowHost() override;

  uint64_t nowMs() override;
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas& frame, const MzRect& dirty) override;
  void playSound(const std::string& path, bool loop) override;
  void prepareSound(const std::string& path) override;
  void pulse(HapticPulse pulse) override;
  // Spoken through SAPI while the Speech option is on.
  void announce(std::string_view text, AnnouncementPriority priority) override;
  void nameWindow(std::u16string_view className) override;
  void showWindow(bool show) override;
  void raiseWindow() override;
  void wake() override;
  void keepScreenAwake(bool awake) override;
  // The Windows clipboard, as Unicode text.
  ShareOutcome shareText(const std::string& text) override;
  std::string clipboardText() override;
  // Its reply wakes the loop, which takes it before the next input.
  uint32_t sendWebRequest(const WebRequest& request) override;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Makes the window (of class `className`) unless it exists.
  void ensureWindow(std::u16string_view className);
  bool handleKey(WPARAM virtualKey, bool repeated);
  void pointer(HostEvent::Kind kind, int32_t x, int32_t y);
  void toggleFullscreen();
  void relayout();
  void paint(HDC dc);

  WindowOptions options_;
  HWND window_ = nullptr;
  std::wstring className_;
  HANDLE wakeEvent_;
  uint64_t startTicks_;
  uint64_t ticksPerSecond_;
  std::deque<HostEvent> pending_;
  std::vector<uint32_t> pixels_;  // the frame as Windows' BGRA, top row first
  bool hasFrame_ = false;
  Letterbox letterbox_;
  FingerTracker finger_;
  bool fullscreen_ = false;
  WINDOWPLACEMENT placement_{};
  bool awake_ = false;
  Win32Audio audio_;
  Win32Gamepads gamepads_;
  SpeechQueue speech_;
  services::WebClient web_{[this] { wake(); }};
};
