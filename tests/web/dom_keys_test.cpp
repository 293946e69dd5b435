// Browser key names to the game's keys, and which presses stay the browser's.
#include <gtest/gtest.h>

#include <string>

#include "platform/key_names.hpp"
#include "platform/web/dom_keys.hpp"

namespace {

TEST(DomKeys, NamedKeysMatchTheDesktopNames) {
  const std::pair<const char*, const char*> pairs[] = {
      {"ArrowLeft", "Left"},   {"ArrowRight", "Right"}, {"ArrowUp", "Up"},
      {"ArrowDown", "Down"},   {" ", "Space"},          {"Enter", "Return"},
      {"Escape", "Escape"},    {"Backspace", "Backspace"}, {"Tab", "Tab"},
  };
  for (const auto& [dom, desktop] : pairs) {
    EXPECT_EQ(keyFromDomKey(dom), keyFromName(desktop)) << dom;
    EXPECT_NE(keyFromDomKey(dom), MzKey::Unknown) << dom;
  }
}

TEST(DomKeys, LettersInEitherCaseAreTheLetterKeys) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const std::string lower(1, letter);
    const std::string upper(1, static_cast<char>(letter - 'a' + 'A'));
    EXPECT_EQ(keyFromDomKey(lower), keyFromName(upper)) << lower;
    EXPECT_EQ(keyFromDomKey(upper), keyFromName(upper)) << upper;
  }
}

TEST(DomKeys, OtherKeysAreNotTheGames) {
  for (const char* key : {"", "F11", "F5", "Shift", "Control", "1", "é", "@", "Space", "Left", "Spacebar",
                          "ArrowLeftX", "rr"}) {
    EXPECT_EQ(keyFromDomKey(key), MzKey::Unknown) << key;
  }
}

TEST(DomKeys, APressBecomesAKeyEventWithShiftKept) {
  HostEvent event;
  ASSERT_TRUE(translateDomKey(DomKeyPress{" "}, event));
  EXPECT_EQ(event.kind, HostEvent::Kind::Key);
  EXPECT_EQ(event.key, MzKey::Space);
  EXPECT_EQ(event.modifiers, 0u);

  DomKeyPress shifted{"R"};
  shifted.shift = true;
  ASSERT_TRUE(translateDomKey(shifted, event));
  EXPECT_EQ(event.key, MzKey::R);
  EXPECT_EQ(event.modifiers, MzKeyModShift);
}

TEST(DomKeys, BrowserShortcutsAndUnknownKeysStayTheBrowsers) {
  HostEvent event;
  DomKeyPress reload{"r"};
  reload.ctrl = true;
  EXPECT_FALSE(translateDomKey(reload, event));
  DomKeyPress menu{"Enter"};
  menu.alt = true;
  EXPECT_FALSE(translateDomKey(menu, event));
  DomKeyPress command{"ArrowLeft"};
  command.meta = true;
  EXPECT_FALSE(translateDomKey(command, event));
  EXPECT_FALSE(translateDomKey(DomKeyPress{"F11"}, event));
}

}  // namespace
