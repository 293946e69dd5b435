// The Host of a real SDL2 window: the frame scaled into the window with black
// bars, the left mouse button as the finger, keys, gamepads (and their
// rumble), SDL audio, speech-dispatcher for the Speech option, and web
// requests through libcurl off the game's thread.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/canvas.hpp"
#include "platform/host.hpp"
#include "platform/letterbox.hpp"
#include "platform/sdl/sdl_audio.hpp"
#include "platform/sdl/sdl_gamepads.hpp"
#include "platform/speech_queue.hpp"
#include "platform/services/web_client.hpp"
#include "platform/window_options.hpp"

class SdlWindowHost final : public Host {
 public:
  // Null and a one-line `error` when no display can be used.
  static std::unique_ptr<SdlWindowHost> open(const WindowOptions& options, std::string& error);
  ~SdlWindowHost() override;

  uint64_t nowMs() override;
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas& frame, const MzRect& dirty) override;
  void playSound(const std::string& path, bool loop) override;
  void prepareSound(const std::string& path) override;
  void playCue(const std::string& path, float pan) override;
  void pulse(HapticPulse pulse) override;
  // Spoken while the Speech option is on.
  void announce(std::string_view text, AnnouncementPriority priority) override;
  void showWindow(bool show) override;
  void raiseWindow() override;
  void wake() override;
  void keepScreenAwake(bool awake) override;
  ShareOutcome shareText(const std::string& text) override;
  std::string clipboardText() override;
  // Its reply wakes the loop, which takes it before the next input.
  uint32_t sendWebRequest(const WebRequest& request) override;

  SDL_Window* window() const { return window_; }
  SDL_Renderer* renderer() const { return renderer_; }
  SdlAudio& audio() { return *audio_; }
  const SdlGamepads& gamepads() const { return *gamepads_; }
  const Letterbox& letterbox() const { return letterbox_; }

 private:
  SdlWindowHost(SDL_Window* window, SDL_Renderer* renderer, SDL_Texture* texture);
  // Turns an SDL event into a host event; false for events the platform does
  // not see (those the host handles itself, and those it ignores).
  bool translate(const SDL_Event& sdlEvent, HostEvent& event);
  bool translateWindowEvent(const SDL_WindowEvent& windowEvent, HostEvent& event);
  bool translateKeyEvent(const SDL_KeyboardEvent& key, HostEvent& event);
  // Desktop full screen (never a video mode change) on and off.
  void toggleFullscreen();
  void relayout();
  // Draws the bars and the last frame to the window.
  void redraw();

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  SDL_Texture* texture_;
  uint32_t windowId_;
  uint32_t wakeEventType_;
  uint64_t startTicks_;
  Letterbox letterbox_{Canvas::Width, Canvas::Height, Canvas::Width, Canvas::Height};
  bool hasFrame_ = false;
  bool pointerHeld_ = false;
  std::unique_ptr<SdlAudio> audio_;
  std::unique_ptr<SdlGamepads> gamepads_;
  SpeechQueue speech_;
  services::WebClient web_{[this] { wake(); }};
};
