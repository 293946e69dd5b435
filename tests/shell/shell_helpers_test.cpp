// The shell's registered messages, lock state, display escapes and notification LED.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/services/notification_led.hpp"
#include "platform/services/registered_messages.hpp"
#include "platform/services/registry.hpp"
#include "shell/notification_led.hpp"
#include "shell/shell_messages.hpp"
#include "shell/shell_state.hpp"

namespace {

struct ShellMessage {
  std::uint32_t (*helper)();
  const char16_t* name;
};

const ShellMessage kShellMessages[] = {
    {ShellMessageClickMKey, u"ShellNotifyMsg/ClickMKey"},
    {ShellMessageClickTaskbar, u"ShellNotifyMsg/ClickTaskbar"},
    {ShellMessageEntryLockPhone, u"ShellNotifyMsg/EntryLockphone"},
    {ShellMessageLeaveLockPhone, u"ShellNotifyMsg/LeaveLockPhone"},
    {ShellMessageEntryShutDown, u"ShellNotifyMsg/EntryShutDown"},
    {ShellMessageLeaveShutDown, u"ShellNotifyMsg/LeaveShutDown"},
    {ShellMessageReadyPowerOff, u"ShellNotifyMsg/ReadyPowerOFF"},
    {ShellMessageBatteryLow, u"ShellNotifyMsg/BatteryLow"},
    {ShellMessageEntryMusic, u"ShellNotifyMsg/EntryMusic"},
    {ShellMessageAllKeyEvent, u"ShellNotifyMsg/AllKeyEvent"},
    {ShellMessageEndSyncEvent, u"ShellNotifyMsg/EndSyncEvent"},
    {ShellMessageBeginSyncEvent, u"ShellNotifyMsg/BeginSyncEvent"},
    {ShellMessageNetConnect, u"ShellNotifyMsg/NectConnect"},
    {ShellMessageNetDisconnect, u"ShellNotifyMsg/NetDisconnect"},
    {ShellMessageShowNotifyWindow, u"ShellNotifyMsg/ShowNotifyWnd"},
};

TEST(ShellMessagesTest, FifteenDistinctStableNumbersRegisteredUnderTheirNames) {
  std::set<std::uint32_t> numbers;
  for (const auto& message : kShellMessages) {
    const std::uint32_t number = message.helper();
    EXPECT_GE(number, services::kFirstRegisteredMessage);
    EXPECT_LE(number, services::kLastRegisteredMessage);
    EXPECT_EQ(message.helper(), number);
    // Another program asking the platform for the same name gets the same number.
    EXPECT_EQ(services::registerWindowMessage(message.name), number);
    numbers.insert(number);
  }
  EXPECT_EQ(numbers.size(), 15u);
}

class LockStateTest : public testing::Test {
 protected:
  void TearDown() override { services::deleteRegistryKey(kKey); }
  static constexpr const char16_t* kKey = u"System\\State\\MiniOneShell";
};

TEST_F(LockStateTest, AbsentKeyOrValueMeansUnlocked) {
  services::deleteRegistryKey(kKey);
  EXPECT_FALSE(IsShellLocked());
  services::setRegistryValue(kKey, u"SomethingElse", 1);
  EXPECT_FALSE(IsShellLocked());
  EXPECT_EQ(services::openRegistryKeyCount(), 0u);
}

TEST_F(LockStateTest, ValueDecidesAndTheKeyIsClosedAfterwards) {
  services::setRegistryValue(kKey, u"IsLockState", 1);
  EXPECT_TRUE(IsShellLocked());
  EXPECT_EQ(services::openRegistryKeyCount(), 0u);
  services::setRegistryValue(kKey, u"IsLockState", 0xFFFFFFFF);
  EXPECT_TRUE(IsShellLocked());
  services::setRegistryValue(kKey, u"IsLockState", 0);
  EXPECT_FALSE(IsShellLocked());
  EXPECT_EQ(services::openRegistryKeyCount(), 0u);
}

TEST(DisplayEscapeTest, ThisPlatformHasNone) {
  EXPECT_FALSE(SendDisplayEscape131348());
  EXPECT_FALSE(SendDisplayEscape131347());
}

// A temporary directory laid out like /sys/class/leds.
class NotificationLedTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quandrel-leds-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    previousRoot = services::ledClassDirectory();
    services::setLedClassDirectory(root);
  }
  void TearDown() override {
    services::setLedClassDirectory(previousRoot);
    std::filesystem::remove_all(root);
  }

  void addLed(const std::string& name) {
    std::filesystem::create_directories(root / name);
    write(name, "trigger", "none [mmc0] timer");
    write(name, "brightness", "1");
  }
  void write(const std::string& led, const std::string& attribute, const std::string& value) {
    std::ofstream(root / led / attribute) << value;
  }
  std::string read(const std::string& led, const std::string& attribute) {
    std::ifstream file(root / led / attribute);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  std::filesystem::path root;
  std::filesystem::path previousRoot;
};

TEST_F(NotificationLedTest, BlinkingSetsTheTimerTriggerAndDelaysOnTheLastLed) {
  addLed("green:status");
  addLed("blue:notify");
  addLed("red:power");
  std::ofstream(root / "zz-not-a-led") << "a file";
  EXPECT_EQ(services::notificationLedCount(), 3);
  ASSERT_TRUE(BlinkNotificationLed(250, 1750));
  EXPECT_EQ(read("red:power", "trigger"), "timer");
  EXPECT_EQ(read("red:power", "delay_on"), "250");
  EXPECT_EQ(read("red:power", "delay_off"), "1750");
  EXPECT_EQ(read("green:status", "trigger"), "none [mmc0] timer");
  EXPECT_FALSE(std::filesystem::exists(root / "green:status" / "delay_on"));
  EXPECT_FALSE(std::filesystem::exists(root / "blue:notify" / "delay_on"));
}

TEST_F(NotificationLedTest, LongTimesDoNotOverflow) {
  addLed("only");
  ASSERT_TRUE(BlinkNotificationLed(0xFFFFFFFF, 0));
  EXPECT_EQ(read("only", "delay_on"), "4294967295");
  EXPECT_EQ(read("only", "delay_off"), "0");
}

TEST_F(NotificationLedTest, SwitchingOffClearsTheTriggerAndBrightness) {
  addLed("a");
  addLed("b");
  ASSERT_TRUE(BlinkNotificationLed(100, 100));
  ASSERT_TRUE(SwitchOffNotificationLed());
  EXPECT_EQ(read("b", "trigger"), "none");
  EXPECT_EQ(read("b", "brightness"), "0");
  EXPECT_EQ(read("a", "brightness"), "1");
}

TEST_F(NotificationLedTest, NoLedOrAnUnwritableOneFails) {
  EXPECT_FALSE(BlinkNotificationLed(100, 100));
  EXPECT_FALSE(SwitchOffNotificationLed());
  services::setLedClassDirectory(root / "missing");
  EXPECT_FALSE(SwitchOffNotificationLed());
  services::setLedClassDirectory(root);
  std::filesystem::create_directories(root / "locked" / "trigger");  // cannot be written as a file
  EXPECT_FALSE(BlinkNotificationLed(100, 100));
  EXPECT_FALSE(SwitchOffNotificationLed());
}

}  // namespace
