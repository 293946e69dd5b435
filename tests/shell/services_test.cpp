// Platform services that need no other process: debug output, text conversion, message
// queue limits, events, registered messages and the settings store.
#include <gtest/gtest.h>
#include <mqueue.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/services/debug_output.hpp"
#include "platform/services/event_handle.hpp"
#include "platform/services/message_queue.hpp"
#include "platform/services/registered_messages.hpp"
#include "platform/services/registry.hpp"

namespace {

TEST(DebugOutputTest, EachTextBecomesOneUtf8Line) {
  std::vector<std::string> lines;
  auto previous = services::setDebugOutputSink([&](const std::string& line) { lines.push_back(line); });
  services::OutputDebugStringW(u"Cannot open queue!\n");
  services::OutputDebugStringW(u"确定退出?");
  services::OutputDebugStringW(u"crlf\r\n");
  services::OutputDebugStringW(nullptr);
  services::setDebugOutputSink(std::move(previous));
  EXPECT_EQ(lines, (std::vector<std::string>{"Cannot open queue!", "\xE7\xA1\xAE\xE5\xAE\x9A\xE9\x80\x80\xE5\x87\xBA?",
                                             "crlf"}));
}

TEST(DebugOutputTest, InstallingASinkReturnsThePreviousOne) {
  int firstCalls = 0;
  int secondCalls = 0;
  auto original = services::setDebugOutputSink([&](const std::string&) { ++firstCalls; });
  auto first = services::setDebugOutputSink([&](const std::string&) { ++secondCalls; });
  services::OutputDebugStringW(u"x");
  services::setDebugOutputSink(std::move(first));
  services::OutputDebugStringW(u"y");
  services::setDebugOutputSink(std::move(original));
  EXPECT_EQ(firstCalls, 1);
  EXPECT_EQ(secondCalls, 1);
}

long systemLimit(const char* path) {
  long value = 0;
  std::ifstream(path) >> value;
  return value;
}

class MessageQueueTest : public testing::Test {
 protected:
  void TearDown() override { mq_unlink(name.c_str()); }
  std::string name = "/quandrel-test-queue-" + std::to_string(getpid());
};

TEST_F(MessageQueueTest, LimitsAboveTheSystemsFallBackToItsMaxima) {
  const long maxMessages = systemLimit("/proc/sys/fs/mqueue/msg_max");
  const long maxBytes = systemLimit("/proc/sys/fs/mqueue/msgsize_max");
  ASSERT_GT(maxMessages, 0);
  auto queue = services::MessageQueueWriter::open(name, {maxMessages + 6, maxBytes + 1});
  ASSERT_TRUE(queue.has_value());
  EXPECT_EQ(queue->limits().maxMessages, maxMessages);
  EXPECT_EQ(queue->limits().maxMessageBytes, maxBytes);
}

TEST_F(MessageQueueTest, LimitsWithinTheSystemsAreKept) {
  auto queue = services::MessageQueueWriter::open(name, {3, 40});
  ASSERT_TRUE(queue.has_value());
  EXPECT_EQ(queue->limits().maxMessages, 3);
  EXPECT_EQ(queue->limits().maxMessageBytes, 40);
}

TEST_F(MessageQueueTest, WritesFailAtOnceWhenFullOrOversized) {
  auto queue = services::MessageQueueWriter::open(name, {2, 8});
  ASSERT_TRUE(queue.has_value());
  const std::uint8_t small[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::uint8_t large[9] = {};
  EXPECT_FALSE(queue->send(large));
  EXPECT_TRUE(queue->send(small));
  EXPECT_TRUE(queue->send(small));
  EXPECT_FALSE(queue->send(small));
}

TEST_F(MessageQueueTest, BadNamesAreNotOpened) {
  EXPECT_FALSE(services::MessageQueueWriter::open("no-leading-slash/x", {2, 8}).has_value());
  EXPECT_FALSE(services::MessageQueueWriter::open(name, {0, 8}).has_value());
}

TEST(EventHandleTest, EventStartsUnsignalledAndResetsWhenConsumed) {
  const services::EventHandle event = services::createAutoResetEvent();
  ASSERT_NE(event, 0u);
  EXPECT_FALSE(services::consumeEvent(event));
  EXPECT_TRUE(services::signalEvent(event));
  EXPECT_TRUE(services::signalEvent(event));
  EXPECT_TRUE(services::consumeEvent(event));
  EXPECT_FALSE(services::consumeEvent(event));
  EXPECT_TRUE(services::closeEvent(event));
  EXPECT_FALSE(services::closeEvent(event));
  EXPECT_FALSE(services::signalEvent(event));
}

TEST(EventHandleTest, HandlesNotMadeHereAreNeverClosed) {
  EXPECT_FALSE(services::closeEvent(0));
  EXPECT_FALSE(services::closeEvent(static_cast<services::EventHandle>(STDERR_FILENO)));
  EXPECT_NE(fcntl(STDERR_FILENO, F_GETFD), -1);
  EXPECT_FALSE(services::signalEvent(static_cast<services::EventHandle>(STDERR_FILENO)));
}

TEST(RegisteredMessagesTest, EachNameKeepsOneNumberInTheRegisteredRange) {
  const std::uint32_t first = services::registerWindowMessage(u"QuandrelTest/One");
  const std::uint32_t second = services::registerWindowMessage(u"QuandrelTest/Two");
  EXPECT_GE(first, services::kFirstRegisteredMessage);
  EXPECT_LE(first, services::kLastRegisteredMessage);
  EXPECT_GE(second, services::kFirstRegisteredMessage);
  EXPECT_NE(first, second);
  EXPECT_EQ(services::registerWindowMessage(u"QuandrelTest/One"), first);
  EXPECT_NE(services::registerWindowMessage(u"QuandrelTest/one"), first);
  EXPECT_EQ(services::registerWindowMessage(u""), 0u);
}

TEST(RegisteredMessagesTest, ThreadsRegisteringTheSameNamesAgree) {
  std::vector<std::vector<std::uint32_t>> numbers(4);
  std::vector<std::thread> threads;
  for (auto& mine : numbers)
    threads.emplace_back([&mine] {
      for (int i = 0; i < 50; ++i) mine.push_back(services::registerWindowMessage(u"QuandrelTest/Race" + std::u16string(1, static_cast<char16_t>(u'A' + i))));
    });
  for (auto& thread : threads) thread.join();
  for (const auto& mine : numbers) EXPECT_EQ(mine, numbers[0]);
  EXPECT_EQ(std::set<std::uint32_t>(numbers[0].begin(), numbers[0].end()).size(), 50u);
}

TEST(RegistryTest, KeysOpenOnlyWhenPresentAndValuesReadBack) {
  services::deleteRegistryKey(u"Software\\QuandrelTest");
  EXPECT_FALSE(services::RegistryKey::open(u"Software\\QuandrelTest").has_value());
  services::setRegistryValue(u"Software\\QuandrelTest", u"Answer", 42);
  {
    auto key = services::RegistryKey::open(u"software\\QUANDRELTEST");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->readValue(u"Answer"), 42u);
    EXPECT_FALSE(key->readValue(u"answer").has_value());
    EXPECT_FALSE(key->readValue(u"Missing").has_value());
  }
  services::deleteRegistryKey(u"Software\\QuandrelTest");
}

TEST(RegistryTest, OpenKeysAreCountedUntilClosedOrMovedAway) {
  services::setRegistryValue(u"Software\\QuandrelCount", u"v", 1);
  const std::size_t before = services::openRegistryKeyCount();
  {
    auto key = services::RegistryKey::open(u"Software\\QuandrelCount");
    EXPECT_EQ(services::openRegistryKeyCount(), before + 1);
    auto moved = std::move(*key);
    EXPECT_EQ(services::openRegistryKeyCount(), before + 1);
    auto other = services::RegistryKey::open(u"Software\\QuandrelCount");
    EXPECT_EQ(services::openRegistryKeyCount(), before + 2);
    moved = std::move(*other);
    EXPECT_EQ(services::openRegistryKeyCount(), before + 1);
  }
  EXPECT_EQ(services::openRegistryKeyCount(), before);
  services::deleteRegistryKey(u"Software\\QuandrelCount");
}

}  // namespace
