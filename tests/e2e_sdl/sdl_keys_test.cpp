// SDL key codes and modifiers as the game receives them.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_keys.hpp"

namespace {

TEST(SdlKeys, LettersMapToTheirMzKeys) {
  EXPECT_EQ(translateKey(SDLK_a), MzKey::A);
  EXPECT_EQ(translateKey(SDLK_b), MzKey::B);
  EXPECT_EQ(translateKey(SDLK_r), MzKey::R);
  EXPECT_EQ(translateKey(SDLK_z), MzKey::Z);
}

TEST(SdlKeys, NamedKeysMapAndOthersAreUnknown) {
  EXPECT_EQ(translateKey(SDLK_LEFT), MzKey::Left);
  EXPECT_EQ(translateKey(SDLK_RIGHT), MzKey::Right);
  EXPECT_EQ(translateKey(SDLK_UP), MzKey::Up);
  EXPECT_EQ(translateKey(SDLK_DOWN), MzKey::Down);
  EXPECT_EQ(translateKey(SDLK_SPACE), MzKey::Space);
  EXPECT_EQ(translateKey(SDLK_RETURN), MzKey::Return);
  EXPECT_EQ(translateKey(SDLK_KP_ENTER), MzKey::Return);
  EXPECT_EQ(translateKey(SDLK_ESCAPE), MzKey::Escape);
  EXPECT_EQ(translateKey(SDLK_BACKSPACE), MzKey::Backspace);
  EXPECT_EQ(translateKey(SDLK_TAB), MzKey::Tab);
  EXPECT_EQ(translateKey(SDLK_F11), MzKey::F11);
  EXPECT_EQ(translateKey(SDLK_F1), MzKey::Unknown);
  EXPECT_EQ(translateKey(SDLK_1), MzKey::Unknown);
  EXPECT_EQ(translateKey(SDLK_LSHIFT), MzKey::Unknown);
}

TEST(SdlKeys, ModifiersOfEitherSideBecomeFlags) {
  EXPECT_EQ(translateModifiers(KMOD_NONE), 0u);
  EXPECT_EQ(translateModifiers(KMOD_LALT), MzKeyModAlt);
  EXPECT_EQ(translateModifiers(KMOD_RALT), MzKeyModAlt);
  EXPECT_EQ(translateModifiers(KMOD_LSHIFT | KMOD_RCTRL), MzKeyModShift | MzKeyModCtrl);
  // Lock keys are not modifiers for the game.
  EXPECT_EQ(translateModifiers(KMOD_NUM | KMOD_CAPS), 0u);
}

}  // namespace
