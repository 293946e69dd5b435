// The SDL host's gamepad path with SDL's virtual joystick on the dummy video
// driver: pads plugged in and out while running, buttons, the d-pad and the
// left stick with its dead zone, one step per push, and a pulse's rumble.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "dummy_sdl_host.hpp"

namespace {

class SdlGamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // SDL passes pad input only to a window with the focus, which no window
    // of the dummy driver ever gets.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    std::string error;
    host_ = openDummySdlHost(error);
    ASSERT_NE(host_, nullptr) << error;
  }

  void TearDown() override {
    unplug();
    host_.reset();
  }

  // A standard pad appears, as if plugged in; with motors, what they are told is kept.
  void plug(bool motors = false) {
    SDL_VirtualJoystickDesc description{};
    if (motors) {
      description.userdata = this;
      description.Rumble = [](void* fixture, Uint16 low, Uint16 high) {
        auto* self = static_cast<SdlGamepadTest*>(fixture);
        self->motors_.push_back({self->host_->nowMs(), low != 0 || high != 0});
        return 0;
      };
    }
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.name = "test pad";
    index_ = SDL_JoystickAttachVirtualEx(&description);
    ASSERT_GE(index_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(index_);
    ASSERT_NE(joystick_, nullptr) << SDL_GetError();
    pads();
  }

  void unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
  }

  // The pad buttons the host delivers within a short while.
  std::vector<MzPadButton> pads() {
    std::vector<MzPadButton> buttons;
    HostEvent event;
    while (host_->waitEvent(host_->nowMs() + 30, event)) {
      if (event.kind == HostEvent::Kind::Pad) buttons.push_back(event.pad);
    }
    return buttons;
  }

  std::vector<MzPadButton> tap(SDL_GameControllerButton button) {
    SDL_JoystickSetVirtualButton(joystick_, button, 1);
    std::vector<MzPadButton> pressed = pads();
    SDL_JoystickSetVirtualButton(joystick_, button, 0);
    const std::vector<MzPadButton> released = pads();
    pressed.insert(pressed.end(), released.begin(), released.end());
    return pressed;
  }

  std::vector<MzPadButton> tilt(SDL_GameControllerAxis axis, int16_t value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
    return pads();
  }

  // Lets the host run until `ms` from now.
  void runFor(uint64_t ms) {
    const uint64_t until = host_->nowMs() + ms;
    HostEvent event;
    while (host_->nowMs() < until) host_->waitEvent(until, event);
  }

  struct MotorChange {
    uint64_t atMs;
    bool on;
  };
  std::vector<MotorChange> motors_;
  std::unique_ptr<SdlWindowHost> host_;
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

using Buttons = std::vector<MzPadButton>;

TEST_F(SdlGamepadTest, EachButtonTheGameUsesArrivesOncePerPress) {
  plug();
  ASSERT_EQ(host_->gamepads().connected(), 1u);
  const std::vector<std::pair<SDL_GameControllerButton, MzPadButton>> mapping{
      {SDL_CONTROLLER_BUTTON_DPAD_UP, MzPadButton::Up},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, MzPadButton::Down},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, MzPadButton::Left}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, MzPadButton::Right},
      {SDL_CONTROLLER_BUTTON_A, MzPadButton::A},            {SDL_CONTROLLER_BUTTON_B, MzPadButton::B},
      {SDL_CONTROLLER_BUTTON_X, MzPadButton::X},            {SDL_CONTROLLER_BUTTON_Y, MzPadButton::Y},
      {SDL_CONTROLLER_BUTTON_START, MzPadButton::Start},    {SDL_CONTROLLER_BUTTON_BACK, MzPadButton::Back}};
  for (const auto& [sdlButton, button] : mapping) {
    EXPECT_EQ(tap(sdlButton), Buttons{button}) << static_cast<int>(sdlButton);
  }
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_GUIDE), Buttons{});
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), Buttons{});
}

TEST_F(SdlGamepadTest, TheLeftStickStepsOncePerPushPastItsDeadZone) {
  plug();
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 15000), Buttons{});  // inside the dead zone
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 30000), Buttons{MzPadButton::Right});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 32767), Buttons{});  // still the same push
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 15000), Buttons{});  // not back near the middle yet
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 30000), Buttons{});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 0), Buttons{});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, 30000), Buttons{MzPadButton::Right});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, -30000), Buttons{MzPadButton::Left});  // straight across
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTY, -25000), Buttons{MzPadButton::Up});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTY, 0), Buttons{});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTY, 25000), Buttons{MzPadButton::Down});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_RIGHTX, 32767), Buttons{});  // the other stick does nothing
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767), Buttons{});
}

TEST_F(SdlGamepadTest, APadPluggedOutAndInAgainWorksAgain) {
  plug();
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_A), Buttons{MzPadButton::A});
  unplug();
  pads();
  EXPECT_EQ(host_->gamepads().connected(), 0u);
  plug();
  EXPECT_EQ(host_->gamepads().connected(), 1u);
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_B), Buttons{MzPadButton::B});
  EXPECT_EQ(tilt(SDL_CONTROLLER_AXIS_LEFTX, -30000), Buttons{MzPadButton::Left});
}

// Two short pulses: the motors start, stop after the first pulse's length, and
// start again only after the pause between the pulses.
TEST_F(SdlGamepadTest, APulseRumblesEveryPadWithMotorsToItsPattern) {
  plug(true);
  const uint64_t asked = host_->nowMs();
  host_->pulse(HapticPulse::Complete);
  runFor(1000);
  std::vector<uint64_t> starts;
  for (const MotorChange& change : motors_) {
    if (change.on) starts.push_back(change.atMs - asked);
  }
  ASSERT_EQ(starts.size(), 2u);
  const std::span<const uint32_t> pattern = hapticPattern(HapticPulse::Complete);
  // Counted from the request, whose clock reading the pattern starts from: the
  // first start's own record may come a tick later.
  EXPECT_GE(starts[1], pattern[0] + pattern[1]);
  ASSERT_FALSE(motors_.empty());
  EXPECT_FALSE(motors_.back().on) << "the motors stop after the last pulse";

  motors_.clear();
  host_->pulse(HapticPulse::GameOver);
  runFor(1000);
  ASSERT_EQ(motors_.size(), 2u);
  EXPECT_TRUE(motors_[0].on);
  EXPECT_GE(motors_[1].atMs - motors_[0].atMs, hapticPattern(HapticPulse::GameOver)[0]);
}

}  // namespace
