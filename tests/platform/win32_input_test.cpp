// The Windows host's pure parts: virtual keys, XInput readings, the finger
// through the letterbox and the voice for a language, as tables.
#include <gtest/gtest.h>

#include "platform/win32/voice_language.hpp"
#include "platform/win32/win32_input.hpp"

namespace {

TEST(Win32InputTest, VirtualKeysBecomeTheGamesKeys) {
  const struct {
    uint32_t virtualKey;
    MzKey key;
  } cases[] = {
      {0x25, MzKey::Left},   {0x27, MzKey::Right},  {0x26, MzKey::Up},    {0x28, MzKey::Down},
      {0x20, MzKey::Space},  {0x0D, MzKey::Return}, {0x1B, MzKey::Escape}, {0x08, MzKey::Backspace},
      {0x09, MzKey::Tab},    {0x7A, MzKey::F11},    {'A', MzKey::A},      {'R', MzKey::R},
      {'Z', MzKey::Z},       {'0', MzKey::Unknown}, {0x70, MzKey::Unknown}, {0x12, MzKey::Unknown},
      {'a', MzKey::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(keyForVirtualKey(c.virtualKey), c.key) << c.virtualKey;
}

TEST(Win32InputTest, FullScreenKeysAreF11AndAltReturn) {
  EXPECT_TRUE(togglesFullscreen(0x7A, 0));
  EXPECT_TRUE(togglesFullscreen(0x0D, MzKeyModAlt));
  EXPECT_TRUE(togglesFullscreen(0x0D, MzKeyModAlt | MzKeyModShift));
  EXPECT_FALSE(togglesFullscreen(0x0D, 0));
  EXPECT_FALSE(togglesFullscreen(0x0D, MzKeyModCtrl));
  EXPECT_FALSE(togglesFullscreen(0x20, MzKeyModAlt));
}

TEST(Win32InputTest, TheStickPastItsDeadZoneIsTheDpadOfItsStrongerAxis) {
  const struct {
    int16_t x, y;
    uint16_t dpad;
  } cases[] = {
      {0, 0, 0},
      {7849, 0, 0},
      {7850, 0, xinput::DpadRight},
      {-32768, 0, xinput::DpadLeft},
      {0, 20000, xinput::DpadUp},
      {0, -20000, xinput::DpadDown},
      {20000, 19999, xinput::DpadRight},
      {-100, -30000, xinput::DpadDown},
      {-7000, 7000, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(stickAsDpad(c.x, c.y), c.dpad) << c.x << "," << c.y;
}

TEST(Win32InputTest, OnlyNewlyPressedPadButtonsCount) {
  using B = MzPadButton;
  const struct {
    uint16_t before, now;
    std::vector<MzPadButton> pressed;
  } cases[] = {
      {0, 0, {}},
      {0, xinput::A, {B::A}},
      {xinput::A, xinput::A, {}},
      {xinput::A, xinput::A | xinput::B, {B::B}},
      {0, xinput::DpadLeft | xinput::Start | xinput::Y, {B::Left, B::Y, B::Start}},
      {xinput::X, 0, {}},
      {0, 0x0100, {}},  // the left shoulder: no use in the game
  };
  for (const auto& c : cases) EXPECT_EQ(padPresses(c.before, c.now), c.pressed) << c.before << "->" << c.now;
}

TEST(Win32InputTest, TheFingerFollowsTheLetterbox) {
  // A 1280 x 720 client: the frame at its own size with 400-pixel bars left and right.
  const Letterbox wide(1280, 720, 1280, 720);
  // A 960 x 1440 client: the frame at twice its size.
  const Letterbox doubled(960, 1440, 960, 1440);
  using K = HostEvent::Kind;
  const struct {
    const Letterbox* box;
    K kind;
    int32_t x, y;
    bool delivered;
    int32_t gameX, gameY;
  } steps[] = {
      {&wide, K::PointerMove, 500, 100, false, 0, 0},  // hovering is not a finger
      {&wide, K::PointerDown, 100, 100, false, 0, 0},  // a press on a bar touches nothing
      {&wide, K::PointerUp, 100, 100, false, 0, 0},
      {&wide, K::PointerDown, 400, 0, true, 0, 0},
      {&wide, K::PointerMove, 1200, 800, true, 479, 719},  // a drag stays at the edge
      {&wide, K::PointerUp, 0, 5, true, 0, 5},
      {&doubled, K::PointerDown, 959, 1439, true, 479, 719},
      {&doubled, K::PointerMove, 301, 41, true, 150, 20},
      {&doubled, K::PointerUp, 2, 3, true, 1, 1},
      {&doubled, K::PointerUp, 2, 3, false, 0, 0},  // released already
  };
  FingerTracker finger;
  for (const auto& step : steps) {
    std::optional<HostEvent> event;
    if (step.kind == K::PointerDown) event = finger.press(*step.box, step.x, step.y);
    if (step.kind == K::PointerMove) event = finger.move(*step.box, step.x, step.y);
    if (step.kind == K::PointerUp) event = finger.release(*step.box, step.x, step.y);
    ASSERT_EQ(event.has_value(), step.delivered) << step.x << "," << step.y;
    if (!event) continue;
    EXPECT_EQ(event->kind, step.kind);
    EXPECT_EQ(event->x, step.gameX);
    EXPECT_EQ(event->y, step.gameY);
  }
}

}  // namespace

TEST(Win32InputTest, VoicesAreChosenByTheGamesLanguage) {
  const struct {
    const char* attribute;
    const char* language;
    int score;
  } cases[] = {
      {"409", "en", 2},          {"809", "en", 1},      {"409;9", "en", 2},    {"9", "en", 1},
      {"809; 409", "en", 2},     {"416", "pt", 2},      {"816", "pt", 1},      {"804", "zh", 2},
      {"404", "zh", 1},          {"C0A", "es", 2},      {"c0a", "es", 2},      {"40a", "es", 1},
      {"411", "ja", 2},          {"412", "ko", 2},      {"419", "ru", 2},      {"40C", "fr", 2},
      {"407", "de", 2},          {"407", "en", 0},      {"", "en", 0},         {"409", "xx", 0},
      {"409x", "en", 0},         {"10409", "en", 0},    {";;409;", "en", 2},   {"zz;407", "de", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(voiceLanguageScore(c.attribute, c.language), c.score) << c.attribute << " for " << c.language;
  }
}
