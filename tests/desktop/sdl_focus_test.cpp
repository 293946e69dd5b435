// The SDL window host reports the window going away (focus lost, minimised)
// and coming back, holds the screen saver off only during play, and shares a
// run's text through the clipboard, on SDL's dummy video driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "../e2e_sdl/dummy_sdl_host.hpp"

namespace {

class SdlFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host_ = openDummySdlHost(error);
    ASSERT_NE(host_, nullptr) << error;
    HostEvent event;
    while (host_->waitEvent(host_->nowMs(), event)) {
    }
  }

  std::optional<HostEvent::Kind> after(uint8_t windowEvent, uint32_t windowId) {
    SDL_Event sdlEvent{};
    sdlEvent.type = SDL_WINDOWEVENT;
    sdlEvent.window.event = windowEvent;
    sdlEvent.window.windowID = windowId;
    SDL_PushEvent(&sdlEvent);
    HostEvent event;
    if (host_->waitEvent(host_->nowMs() + 50, event)) return event.kind;
    return std::nullopt;
  }
  uint32_t ours() const { return SDL_GetWindowID(host_->window()); }

  std::unique_ptr<SdlWindowHost> host_;
};

TEST_F(SdlFocus, LosingTheFocusOrBeingMinimisedIsFocusLost) {
  EXPECT_EQ(after(SDL_WINDOWEVENT_FOCUS_LOST, ours()), HostEvent::Kind::FocusLost);
  EXPECT_EQ(after(SDL_WINDOWEVENT_MINIMIZED, ours()), HostEvent::Kind::FocusLost);
  EXPECT_EQ(after(SDL_WINDOWEVENT_FOCUS_GAINED, ours()), HostEvent::Kind::FocusGained);
}

TEST_F(SdlFocus, AnotherWindowsFocusIsNotOurs) {
  EXPECT_EQ(after(SDL_WINDOWEVENT_FOCUS_LOST, ours() + 1), std::nullopt);
  EXPECT_EQ(after(SDL_WINDOWEVENT_RESTORED, ours()), std::nullopt) << "restored, the veil still waits for a press";
}

TEST_F(SdlFocus, TheScreenSaverMayRunExceptDuringPlay) {
  EXPECT_TRUE(SDL_IsScreenSaverEnabled());
  host_->keepScreenAwake(true);
  EXPECT_FALSE(SDL_IsScreenSaverEnabled());
  host_->keepScreenAwake(false);
  EXPECT_TRUE(SDL_IsScreenSaverEnabled());
}

TEST_F(SdlFocus, ASharedTextIsOnTheClipboardForOpenARun) {
  EXPECT_EQ(host_->shareText("Quandrel daily 8: level 2. Race my run: QRUN.AQE"), ShareOutcome::Copied);
  EXPECT_EQ(host_->clipboardText(), "Quandrel daily 8: level 2. Race my run: QRUN.AQE");
  EXPECT_EQ(host_->shareText("第8天 ✓"), ShareOutcome::Copied);
  EXPECT_EQ(host_->clipboardText(), "第8天 ✓") << "UTF-8 both ways";
}

}  // namespace
