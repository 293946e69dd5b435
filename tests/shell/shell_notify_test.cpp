// The shell-notify and user-notification queues as the shell reads them.
#include <gtest/gtest.h>
#include <mqueue.h>

#include <array>
#include <numeric>
#include <thread>
#include <vector>

#include "platform/services/event_handle.hpp"
#include "queue_reader.hpp"
#include "shell/shell_notify.hpp"
#include "shell/user_notification.hpp"

namespace {

TEST(ShellNotifyTest, MessagesAreCodeAndTwoArgumentsInTwelveBytes) {
  QueueReader reader(kShellNotifyQueue);
  reader.drain();
  ASSERT_TRUE(SendShellNotify(1, 0x11223344, 0));
  ASSERT_TRUE(SendShellNotify(2, 5, 0xFFFFFFFE));
  const auto messages = reader.receiveAll();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], (QueueReader::Message{1, 0, 0, 0, 0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0}));
  EXPECT_EQ(messages[1], (QueueReader::Message{2, 0, 0, 0, 5, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(reader.attributes()->mq_msgsize, 12);
}

TEST(ShellNotifyTest, ZeroFirstArgumentOrUnknownCodeSendsNothing) {
  QueueReader reader(kShellNotifyQueue);
  reader.drain();
  EXPECT_FALSE(SendShellNotify(1, 0, 9));
  EXPECT_FALSE(SendShellNotify(0, 1, 1));
  EXPECT_FALSE(SendShellNotify(3, 1, 1));
  EXPECT_TRUE(reader.receiveAll().empty());
}

TEST(ShellNotifyTest, WritersOnSeveralThreadsEachDeliverWholeMessages) {
  QueueReader reader(kShellNotifyQueue);
  reader.drain();
  constexpr std::uint32_t kWriters = 8;  // fits the smallest queue the system allows here
  std::vector<std::thread> writers;
  for (std::uint32_t i = 1; i <= kWriters; ++i) writers.emplace_back([i] { EXPECT_TRUE(SendShellNotify(1, i, i)); });
  for (auto& writer : writers) writer.join();
  std::vector<std::uint32_t> seen;
  for (const auto& message : reader.receiveAll()) {
    ASSERT_EQ(message.size(), 12u);
    EXPECT_EQ(wordAt(message, 4), wordAt(message, 8));
    seen.push_back(wordAt(message, 4));
  }
  std::sort(seen.begin(), seen.end());
  std::vector<std::uint32_t> expected(kWriters);
  std::iota(expected.begin(), expected.end(), 1u);
  EXPECT_EQ(seen, expected);
}

class UserNotificationTest : public testing::Test {
 protected:
  void SetUp() override {
    reader.drain();
    std::iota(payload.begin(), payload.end(), std::uint8_t{1});
  }

  QueueReader::Message onlyMessage() {
    auto messages = reader.receiveAll();
    EXPECT_EQ(messages.size(), 1u);
    if (messages.empty()) return QueueReader::Message(kUserNotificationMessageBytes, 0xEE);
    EXPECT_EQ(messages[0].size(), kUserNotificationMessageBytes);
    return messages[0];
  }

  QueueReader reader{kUserNotificationQueue};
  std::array<std::uint8_t, 300> payload{};
};

TEST_F(UserNotificationTest, AddingWithoutEventMakesAnUnsignalledEventAndSendsKindOne) {
  const services::EventHandle event = AddUserNotification(payload);
  ASSERT_NE(event, 0u);
  EXPECT_FALSE(services::consumeEvent(event));
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), event);
  EXPECT_EQ(wordAt(message, 4), 1u);
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), message.begin() + 8));
  EXPECT_TRUE(nonZeroOffsets(message, 8 + payload.size(), kUserNotificationMessageBytes).empty());
  EXPECT_TRUE(RemoveUserNotification(event));
  reader.drain();
}

TEST_F(UserNotificationTest, AddingWithTheCallersEventSendsKindTwo) {
  const std::array<std::uint8_t, kUserNotificationPayloadBytes> full = [] {
    std::array<std::uint8_t, kUserNotificationPayloadBytes> bytes{};
    bytes.fill(0xAB);
    return bytes;
  }();
  EXPECT_EQ(AddUserNotification(full, 0x4321), 0x4321u);
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), 0x4321u);
  EXPECT_EQ(wordAt(message, 4), 2u);
  EXPECT_TRUE(std::all_of(message.begin() + 8, message.end(), [](std::uint8_t b) { return b == 0xAB; }));
}

TEST_F(UserNotificationTest, RemovingClosesTheEventAndSendsKindThreeWithZeroPayload) {
  const services::EventHandle event = AddUserNotification(payload);
  ASSERT_NE(event, 0u);
  reader.drain();
  ASSERT_TRUE(RemoveUserNotification(event));
  EXPECT_FALSE(services::signalEvent(event)) << "the event should be closed";
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), event);
  EXPECT_EQ(wordAt(message, 4), 3u);
  EXPECT_TRUE(nonZeroOffsets(message, 8, kUserNotificationMessageBytes).empty());
}

TEST_F(UserNotificationTest, OversizedPayloadOrZeroHandleSendsNothing) {
  const std::vector<std::uint8_t> tooLong(kUserNotificationPayloadBytes + 1, 1);
  EXPECT_EQ(AddUserNotification(tooLong), 0u);
  EXPECT_EQ(AddUserNotification(tooLong, 77), 0u);
  EXPECT_FALSE(RemoveUserNotification(0));
  EXPECT_TRUE(reader.receiveAll().empty());
}

}  // namespace
