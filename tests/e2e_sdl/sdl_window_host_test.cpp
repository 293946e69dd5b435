// The SDL window host on SDL's dummy video driver: window setup, frames in
// the letterbox, pointer and key translation, waking and deadlines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/sdl/sdl_host.hpp"
#include "dummy_sdl_host.hpp"

namespace {

constexpr uint32_t Red = 0xFF0000FFu;   // bytes R, G, B, A in memory
constexpr uint32_t Blue = 0xFFFF0000u;
constexpr uint32_t Green = 0xFF00FF00u;

class SdlWindowHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host_ = openDummySdlHost(error);
    ASSERT_NE(host_, nullptr) << error;
  }

  // Handles whatever is queued (resizes included) without waiting.
  void settle() {
    HostEvent event;
    while (host_->waitEvent(host_->nowMs(), event)) {
    }
  }

  void resize(int width, int height) {
    SDL_SetWindowSize(host_->window(), width, height);
    settle();
  }

  // The next event delivered within a short while, or nothing.
  std::optional<HostEvent> next() {
    HostEvent event;
    if (host_->waitEvent(host_->nowMs() + 50, event)) {
      return event;
    }
    return std::nullopt;
  }

  void pushButton(uint32_t type, int x, int y, uint8_t button = SDL_BUTTON_LEFT) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = SDL_GetWindowID(host_->window());
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
  }

  void pushMotion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(host_->window());
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
  }

  void pushKey(SDL_Keycode key, uint16_t modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(host_->window());
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
  }

  // One pixel of what the window shows, as 0xRRGGBB.
  uint32_t shownPixel(int x, int y) {
    const SDL_Rect one{x, y, 1, 1};
    uint32_t pixel = 0;
    EXPECT_EQ(SDL_RenderReadPixels(host_->renderer(), &one, SDL_PIXELFORMAT_RGB888, &pixel, 4), 0)
        << SDL_GetError();
    return pixel & 0xFFFFFFu;
  }

  std::unique_ptr<SdlWindowHost> host_;
};

void paint(Canvas& canvas, const MzRect& rect, uint32_t rgba) {
  for (int32_t y = rect.top; y < rect.bottom; ++y) {
    for (int32_t x = rect.left; x < rect.right; ++x) {
      canvas.pixels()[y * Canvas::Width + x] = rgba;
    }
  }
}

TEST_F(SdlWindowHostTest, OpensAHiddenResizableQuandrelWindowOfTheFrameSize) {
  SDL_Window* window = host_->window();
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Quandrel");
  const uint32_t flags = SDL_GetWindowFlags(window);
  EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
  EXPECT_TRUE(flags & SDL_WINDOW_ALLOW_HIGHDPI);
  EXPECT_FALSE(flags & SDL_WINDOW_SHOWN);
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(width, 480);
  EXPECT_EQ(height, 720);

  host_->showWindow(true);
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
  host_->showWindow(false);
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
}

TEST_F(SdlWindowHostTest, ScaleOptionSetsTheStartingSize) {
  host_.reset();
  WindowOptions options;
  options.scale = 2;
  std::string error;
  host_ = SdlWindowHost::open(options, error);
  ASSERT_NE(host_, nullptr) << error;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(host_->window(), &width, &height);
  EXPECT_EQ(width, 960);
  EXPECT_EQ(height, 1440);
  EXPECT_TRUE(host_->letterbox().integerScale());
  EXPECT_FALSE(SDL_GetWindowFlags(host_->window()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

TEST_F(SdlWindowHostTest, FullScreenOptionStartsInDesktopFullScreen) {
  host_.reset();
  WindowOptions options;
  options.fullscreen = true;
  std::string error;
  host_ = SdlWindowHost::open(options, error);
  ASSERT_NE(host_, nullptr) << error;
  EXPECT_EQ(SDL_GetWindowFlags(host_->window()) & SDL_WINDOW_FULLSCREEN_DESKTOP,
            static_cast<uint32_t>(SDL_WINDOW_FULLSCREEN_DESKTOP));
}

TEST_F(SdlWindowHostTest, FrameIsShownInTheLetterboxBetweenBlackBars) {
  resize(600, 720);
  Canvas canvas;
  paint(canvas, {0, 0, 480, 360}, Red);
  paint(canvas, {0, 360, 480, 720}, Blue);
  host_->present(canvas, {0, 0, 480, 720});
  EXPECT_EQ(shownPixel(0, 10), 0x000000u);
  EXPECT_EQ(shownPixel(59, 700), 0x000000u);
  EXPECT_EQ(shownPixel(60, 10), 0xFF0000u);
  EXPECT_EQ(shownPixel(539, 10), 0xFF0000u);
  EXPECT_EQ(shownPixel(300, 700), 0x0000FFu);
  EXPECT_EQ(shownPixel(540, 700), 0x000000u);
  EXPECT_EQ(shownPixel(599, 10), 0x000000u);
}

TEST_F(SdlWindowHostTest, OnlyTheDirtyRectangleIsUploaded) {
  Canvas canvas;
  paint(canvas, {0, 0, 480, 720}, Red);
  host_->present(canvas, {0, 0, 480, 720});
  paint(canvas, {0, 0, 480, 720}, Green);
  host_->present(canvas, {100, 200, 150, 260});
  EXPECT_EQ(shownPixel(100, 200), 0x00FF00u);
  EXPECT_EQ(shownPixel(149, 259), 0x00FF00u);
  EXPECT_EQ(shownPixel(99, 200), 0xFF0000u);
  EXPECT_EQ(shownPixel(150, 259), 0xFF0000u);
  EXPECT_EQ(shownPixel(120, 260), 0xFF0000u);
  // A dirty rectangle reaching past the frame is clipped, not rejected.
  host_->present(canvas, {-20, 700, 30, 900});
  EXPECT_EQ(shownPixel(0, 719), 0x00FF00u);
  EXPECT_EQ(shownPixel(29, 700), 0x00FF00u);
  EXPECT_EQ(shownPixel(30, 700), 0xFF0000u);
}

TEST_F(SdlWindowHostTest, TheFrameIsRedrawnAfterAResize) {
  Canvas canvas;
  paint(canvas, {0, 0, 480, 720}, Blue);
  host_->present(canvas, {0, 0, 480, 720});
  resize(960, 1440);
  EXPECT_TRUE(host_->letterbox().integerScale());
  EXPECT_EQ(shownPixel(959, 1439), 0x0000FFu);
  resize(500, 800);
  EXPECT_FALSE(host_->letterbox().integerScale());
  EXPECT_EQ(shownPixel(250, 0), 0x000000u);
  EXPECT_EQ(shownPixel(250, 400), 0x0000FFu);
  EXPECT_EQ(shownPixel(250, 799), 0x000000u);
}

TEST_F(SdlWindowHostTest, MouseActsAsAFingerInGamePixels) {
  resize(600, 720);
  pushMotion(300, 300);  // hovering is not a touch
  pushButton(SDL_MOUSEBUTTONDOWN, 60 + 240, 360);
  auto down = next();
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(down->kind, HostEvent::Kind::PointerDown);
  EXPECT_EQ(down->x, 240);
  EXPECT_EQ(down->y, 360);

  pushMotion(60 + 250, 370);
  auto move = next();
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->kind, HostEvent::Kind::PointerMove);
  EXPECT_EQ(move->x, 250);
  EXPECT_EQ(move->y, 370);

  pushMotion(10, 370);  // dragged onto the bar: held at the frame's edge
  move = next();
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->x, 0);

  pushButton(SDL_MOUSEBUTTONUP, 60 + 479, 719);
  auto up = next();
  ASSERT_TRUE(up.has_value());
  EXPECT_EQ(up->kind, HostEvent::Kind::PointerUp);
  EXPECT_EQ(up->x, 479);
  EXPECT_EQ(up->y, 719);

  pushMotion(300, 300);  // released: moving is hovering again
  EXPECT_FALSE(next().has_value());
}

TEST_F(SdlWindowHostTest, PressesOnTheBarsAndOtherButtonsAreIgnored) {
  resize(600, 720);
  pushButton(SDL_MOUSEBUTTONDOWN, 30, 100);
  pushMotion(300, 300);
  pushButton(SDL_MOUSEBUTTONUP, 300, 300);
  pushButton(SDL_MOUSEBUTTONDOWN, 300, 300, SDL_BUTTON_RIGHT);
  pushButton(SDL_MOUSEBUTTONUP, 300, 300, SDL_BUTTON_RIGHT);
  EXPECT_FALSE(next().has_value());
}

TEST_F(SdlWindowHostTest, KeysArriveWithModifiersAndFullScreenKeysStayInTheWindow) {
  pushKey(SDLK_F1);
  pushKey(SDLK_LEFT, KMOD_LSHIFT);
  auto key = next();
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->kind, HostEvent::Kind::Key);
  EXPECT_EQ(key->key, MzKey::Left);
  EXPECT_EQ(key->modifiers, MzKeyModShift);

  pushKey(SDLK_F11);
  EXPECT_FALSE(next().has_value());
  EXPECT_TRUE(SDL_GetWindowFlags(host_->window()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  pushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_FALSE(next().has_value());
  EXPECT_FALSE(SDL_GetWindowFlags(host_->window()) & SDL_WINDOW_FULLSCREEN_DESKTOP);

  pushKey(SDLK_RETURN);
  key = next();
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->key, MzKey::Return);
  EXPECT_EQ(key->modifiers, 0u);
}

TEST_F(SdlWindowHostTest, ClosingTheWindowOrQuittingIsAClose) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(host_->window());
  SDL_PushEvent(&close);
  auto event = next();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Close);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  event = next();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Close);
}

TEST_F(SdlWindowHostTest, WakeFromAnotherThreadEndsAnEndlessWait) {
  std::thread waker([this] { host_->wake(); });
  HostEvent event;
  const bool woke = host_->waitEvent(UINT64_MAX, event);
  waker.join();
  EXPECT_TRUE(woke);
  EXPECT_EQ(event.kind, HostEvent::Kind::Wake);
}

TEST_F(SdlWindowHostTest, WaitingReturnsAtTheDeadlineAndNotBefore) {
  settle();
  const uint64_t deadline = host_->nowMs() + 30;
  HostEvent event;
  EXPECT_FALSE(host_->waitEvent(deadline, event));
  EXPECT_GE(host_->nowMs(), deadline);
}

TEST(SdlHostWithoutDisplay, FailsSayingThereIsNoDisplay) {
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  std::string error;
  const std::unique_ptr<Host> host = createSdlHost(WindowOptions{}, error);
  EXPECT_EQ(host, nullptr);
  EXPECT_EQ(error, "cannot open a window (no display)");
}

}  // namespace
