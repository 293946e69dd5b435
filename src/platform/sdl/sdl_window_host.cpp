// Opening the window, turning SDL events into host events, and showing frames.
#include "platform/sdl/sdl_window_host.hpp"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iostream>
#include <utility>

#include "platform/language/language.hpp"
#include "platform/sdl/sdl_host.hpp"
#include "platform/sdl/sdl_keys.hpp"
#include "platform/sdl/speech_dispatcher.hpp"
#include "platform/window_size.hpp"

namespace {

// The entry function puts the program's name before these and the way to run
// without a window after them.
constexpr const char* NoDisplayError = "cannot open a window (no display)";
constexpr int32_t MinimumWindowWidth = Canvas::Width / 2;
constexpr int32_t MinimumWindowHeight = Canvas::Height / 2;

// SDL falls back to drivers that draw nowhere when there is no display; those
// count as a display only when asked for by name (SDL_VIDEODRIVER).
bool drawsNowhereUnasked() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) {
    return true;
  }
  const bool invisible = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return invisible && (asked == nullptr || std::strstr(asked, driver) == nullptr);
}

WindowSize chooseWindowSize(const WindowOptions& options) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
    usable = {};
  }
  return startingWindowSize(options.scale, usable.w, usable.h);
}

}  // namespace

std::unique_ptr<Host> createSdlHost(const WindowOptions& options, std::string& error) {
  return SdlWindowHost::open(options, error);
}

std::unique_ptr<SdlWindowHost> SdlWindowHost::open(const WindowOptions& options,
                                                   std::string& error) {
  // A calm puzzle in a window: let the screen saver run (play holds it off,
  // keepScreenAwake) and the compositor keep compositing. Environment
  // variables of the same names still win.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_APP_NAME, "Quandrel");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = NoDisplayError;
    return nullptr;
  }
  if (drawsNowhereUnasked()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    error = NoDisplayError;
    return nullptr;
  }
  const WindowSize size = chooseWindowSize(options);
  uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (options.fullscreen) {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  }
  SDL_Window* window = SDL_CreateWindow("Quandrel", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        size.width, size.height, flags);
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  if (window != nullptr) {
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) {
      renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
  }
  if (renderer != nullptr) {
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING,
                                Canvas::Width, Canvas::Height);
  }
  if (texture == nullptr) {
    error = std::string("cannot open a window (") + SDL_GetError() + ")";
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_SetWindowMinimumSize(window, MinimumWindowWidth, MinimumWindowHeight);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  return std::unique_ptr<SdlWindowHost>(new SdlWindowHost(window, renderer, texture));
}

SdlWindowHost::SdlWindowHost(SDL_Window* window, SDL_Renderer* renderer, SDL_Texture* texture)
    : window_(window),
      renderer_(renderer),
      texture_(texture),
      windowId_(SDL_GetWindowID(window)),
      wakeEventType_(SDL_RegisterEvents(1)),
      startTicks_(SDL_GetTicks64()),
      audio_(std::make_unique<SdlAudio>()),
      gamepads_(std::make_unique<SdlGamepads>()),
      speech_(makeSpeechDispatcherVoice, std::cerr) {
  relayout();
}

SdlWindowHost::~SdlWindowHost() {
  web_.stop();  // its worker wakes the loop through SDL: it ends first
  gamepads_.reset();
  audio_.reset();
  SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // The last user of SDL also frees its global state.
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
    SDL_Quit();
  }
}

uint64_t SdlWindowHost::nowMs() { return SDL_GetTicks64() - startTicks_; }

bool SdlWindowHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  SDL_Event sdlEvent;
  for (;;) {
    if (WebReply reply; web_.takeReply(reply)) {
      event = webReplyEvent(std::move(reply));
      return true;
    }
    while (SDL_PollEvent(&sdlEvent) != 0) {
      if (translate(sdlEvent, event)) {
        return true;
      }
    }
    const uint64_t now = nowMs();
    gamepads_->startDuePulses(now);
    if (now >= deadlineMs) {
      return false;
    }
    audio_->pauseWhenIdle();
    // A sound about to end wakes the loop once it has, so the device can rest.
    uint64_t wakeAt = deadlineMs;
    if (const auto pulseAt = gamepads_->nextPulseMs()) {
      wakeAt = std::min(wakeAt, *pulseAt);
    }
    if (const auto silentIn = audio_->msUntilSilent()) {
      wakeAt = std::min(wakeAt, now + *silentIn);
    }
    // Blocks in the windowing system until an event or the timeout: no polling.
    const int timeout = wakeAt == UINT64_MAX || wakeAt - now > INT_MAX ? -1 : static_cast<int>(wakeAt - now);
    if (SDL_WaitEventTimeout(&sdlEvent, timeout) != 0 && translate(sdlEvent, event)) {
      return true;
    }
  }
}

bool SdlWindowHost::translate(const SDL_Event& sdlEvent, HostEvent& event) {
  event = HostEvent{};
  if (sdlEvent.type == wakeEventType_) {
    event.kind = HostEvent::Kind::Wake;
    return true;
  }
  switch (sdlEvent.type) {
    case SDL_QUIT:
      event.kind = HostEvent::Kind::Close;
      return true;
    case SDL_WINDOWEVENT:
      return translateWindowEvent(sdlEvent.window, event);
    case SDL_KEYDOWN:
      return translateKeyEvent(sdlEvent.key, event);
    case SDL_MOUSEBUTTONDOWN: {
      if (sdlEvent.button.windowID != windowId_ || sdlEvent.button.button != SDL_BUTTON_LEFT) {
        return false;
      }
      // A press on a bar touches nothing.
      const auto point = letterbox_.toGame(sdlEvent.button.x, sdlEvent.button.y);
      if (!point) {
        return false;
      }
      pointerHeld_ = true;
      event.kind = HostEvent::Kind::PointerDown;
      event.x = point->x;
      event.y = point->y;
      return true;
    }
    case SDL_MOUSEMOTION: {
      if (!pointerHeld_ || sdlEvent.motion.windowID != windowId_) {
        return false;
      }
      // A finger cannot leave the screen: a drag onto a bar stays at the edge.
      const GamePoint point = letterbox_.toGameClamped(sdlEvent.motion.x, sdlEvent.motion.y);
      event.kind = HostEvent::Kind::PointerMove;
      event.x = point.x;
      event.y = point.y;
      return true;
    }
    case SDL_MOUSEBUTTONUP: {
      if (!pointerHeld_ || sdlEvent.button.windowID != windowId_ ||
          sdlEvent.button.button != SDL_BUTTON_LEFT) {
        return false;
      }
      pointerHeld_ = false;
      const GamePoint point = letterbox_.toGameClamped(sdlEvent.button.x, sdlEvent.button.y);
      event.kind = HostEvent::Kind::PointerUp;
      event.x = point.x;
      event.y = point.y;
      return true;
    }
    default: {
      const std::optional<MzPadButton> button = gamepads_->translate(sdlEvent);
      if (!button) {
        return false;
      }
      event.kind = HostEvent::Kind::Pad;
      event.pad = *button;
      return true;
    }
  }
}

bool SdlWindowHost::translateWindowEvent(const SDL_WindowEvent& windowEvent, HostEvent& event) {
  if (windowEvent.windowID != windowId_) {
    return false;
  }
  switch (windowEvent.event) {
    case SDL_WINDOWEVENT_CLOSE:
      event.kind = HostEvent::Kind::Close;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      relayout();
      redraw();
      return false;
    case SDL_WINDOWEVENT_EXPOSED:
      redraw();
      return false;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      event.kind = HostEvent::Kind::FocusLost;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      event.kind = HostEvent::Kind::FocusGained;
      return true;
    default:
      return false;
  }
}

bool SdlWindowHost::translateKeyEvent(const SDL_KeyboardEvent& key, HostEvent& event) {
  // Keys reach the one window; SDL may not yet know it has the keyboard focus
  // (no window manager), and then names no window.
  if (key.windowID != windowId_ && key.windowID != 0) {
    return false;
  }
  const uint32_t modifiers = translateModifiers(key.keysym.mod);
  const SDL_Keycode code = key.keysym.sym;
  // Full screen on F11 and Alt+Return belongs to the window, not the game.
  if (code == SDLK_F11 || ((code == SDLK_RETURN || code == SDLK_KP_ENTER) && (modifiers & MzKeyModAlt))) {
    if (key.repeat == 0) {
      toggleFullscreen();
    }
    return false;
  }
  const MzKey mzKey = translateKey(code);
  if (mzKey == MzKey::Unknown) {
    return false;
  }
  event.kind = HostEvent::Kind::Key;
  event.key = mzKey;
  event.modifiers = modifiers;
  return true;
}

void SdlWindowHost::toggleFullscreen() {
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  relayout();
  redraw();
}

void SdlWindowHost::relayout() {
  int windowWidth = 0;
  int windowHeight = 0;
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0) {
    outputWidth = windowWidth;
    outputHeight = windowHeight;
  }
  letterbox_ = Letterbox(windowWidth, windowHeight, outputWidth, outputHeight);
  SDL_SetTextureScaleMode(texture_,
                          letterbox_.integerScale() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

void SdlWindowHost::redraw() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (hasFrame_) {
    const SDL_Rect target{letterbox_.x(), letterbox_.y(), letterbox_.width(), letterbox_.height()};
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
  }
  SDL_RenderPresent(renderer_);
}

void SdlWindowHost::present(const Canvas& frame, const MzRect& dirty) {
  SDL_Rect changed{};
  changed.x = std::max(dirty.left, 0);
  changed.y = std::max(dirty.top, 0);
  changed.w = std::min(dirty.right, Canvas::Width) - changed.x;
  changed.h = std::min(dirty.bottom, Canvas::Height) - changed.y;
  if (!hasFrame_) {
    // The texture starts undefined: the first frame goes up whole.
    changed = {0, 0, Canvas::Width, Canvas::Height};
  }
  if (changed.w <= 0 || changed.h <= 0) {
    return;
  }
  const uint32_t* first = frame.pixels() + static_cast<size_t>(changed.y) * Canvas::Width + changed.x;
  SDL_UpdateTexture(texture_, &changed, first, Canvas::Width * static_cast<int>(sizeof(uint32_t)));
  hasFrame_ = true;
  redraw();
}

void SdlWindowHost::playSound(const std::string& path, bool loop) { audio_->play(path, loop); }

void SdlWindowHost::prepareSound(const std::string& path) { audio_->prepare(path); }

void SdlWindowHost::playCue(const std::string& path, float pan) { audio_->playCue(path, pan); }

void SdlWindowHost::announce(std::string_view text, AnnouncementPriority priority) {
  if (speechEnabled()) speech_.speak(text, priority, activeLanguage());
}

void SdlWindowHost::pulse(HapticPulse pulse) { gamepads_->rumble(hapticPattern(pulse), nowMs()); }

void SdlWindowHost::showWindow(bool show) {
  if (show) {
    SDL_ShowWindow(window_);
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlWindowHost::raiseWindow() { SDL_RaiseWindow(window_); }

void SdlWindowHost::keepScreenAwake(bool awake) {
  if (awake) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

ShareOutcome SdlWindowHost::shareText(const std::string& text) {
  return SDL_SetClipboardText(text.c_str()) == 0 ? ShareOutcome::Copied : ShareOutcome::Failed;
}

uint32_t SdlWindowHost::sendWebRequest(const WebRequest& request) { return web_.send(request); }

std::string SdlWindowHost::clipboardText() {
  char* text = SDL_GetClipboardText();  // an empty string, never null, when SDL works
  if (text == nullptr) return {};
  std::string copy(text);
  SDL_free(text);
  return copy;
}

void SdlWindowHost::wake() {
  SDL_Event event{};
  event.type = wakeEventType_;
  SDL_PushEvent(&event);
}
