// The apps-ask requests as the shell reads them from its queue: every byte of each kind.
#include <gtest/gtest.h>
#include <mqueue.h>

#include <algorithm>
#include <string>

#include "queue_reader.hpp"
#include "shell/apps_ask_requests.hpp"
#include "shell/apps_ask_shell.hpp"

namespace {

class AppsAskShellTest : public testing::Test {
 protected:
  void SetUp() override { reader.drain(); }

  // The one message the action wrote.
  QueueReader::Message onlyMessage() {
    auto messages = reader.receiveAll();
    EXPECT_EQ(messages.size(), 1u);
    if (messages.empty()) return QueueReader::Message(kAppsAskShellRequestBytes, 0xEE);
    EXPECT_EQ(messages[0].size(), kAppsAskShellRequestBytes);
    return messages[0];
  }

  void expectNothingSent() { EXPECT_TRUE(reader.receiveAll().empty()); }

  QueueReader reader{kAppsAskQueue};
};

std::u16string textOf(const QueueReader::Message& message, std::size_t offset, std::size_t chars) {
  std::u16string text;
  for (std::size_t i = 0; i < chars; ++i)
    text.push_back(static_cast<char16_t>(message.at(offset + 2 * i) | message.at(offset + 2 * i + 1) << 8));
  return text;
}

TEST_F(AppsAskShellTest, StartRequestCarriesCodeTenAndTheWindowHandle) {
  ASSERT_TRUE(AppsAskShellAppStart(0x12345678));
  const auto message = onlyMessage();
  const QueueReader::Message head(message.begin(), message.begin() + 8);
  EXPECT_EQ(head, (QueueReader::Message{10, 0, 0, 0, 0x78, 0x56, 0x34, 0x12}));
  EXPECT_TRUE(nonZeroOffsets(message, 8, kAppsAskShellRequestBytes).empty());
}

TEST_F(AppsAskShellTest, StartRequestWithoutWindowSendsNothing) {
  EXPECT_FALSE(AppsAskShellAppStart(0));
  expectNothingSent();
}

TEST_F(AppsAskShellTest, ExitRequestIsCodeElevenAndZeros) {
  ASSERT_TRUE(AppsAskShellAppExit());
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), 11u);
  EXPECT_TRUE(nonZeroOffsets(message, 4, kAppsAskShellRequestBytes).empty());
}

TEST_F(AppsAskShellTest, QueueIsMadeWithTheRecordSizeAndAtMostSixteenMessages) {
  ASSERT_TRUE(AppsAskShellAppExit());
  const auto attributes = reader.attributes();
  ASSERT_TRUE(attributes.has_value());
  EXPECT_EQ(attributes->mq_msgsize, static_cast<long>(kAppsAskShellRequestBytes));
  EXPECT_GE(attributes->mq_maxmsg, 1);
  EXPECT_LE(attributes->mq_maxmsg, 16);
}

TEST_F(AppsAskShellTest, FullQueueFailsTheWriteInsteadOfWaiting) {
  const long capacity = [&] {
    EXPECT_TRUE(AppsAskShellAppExit());
    return reader.attributes()->mq_maxmsg;
  }();
  for (long i = 1; i < capacity; ++i) ASSERT_TRUE(AppsAskShellAppExit());
  EXPECT_FALSE(AppsAskShellAppStart(5));
  EXPECT_EQ(reader.receiveAll().size(), static_cast<std::size_t>(capacity));
  EXPECT_TRUE(AppsAskShellAppStart(5));
}

TEST_F(AppsAskShellTest, OneArgumentCodesPutTheArgumentAtOffsetFour) {
  for (std::uint32_t code : {1u, 2u}) {
    ASSERT_TRUE(AppsAskShellWithArgument(code, 0xA1B2C3D4));
    const auto message = onlyMessage();
    EXPECT_EQ(wordAt(message, 0), code);
    EXPECT_EQ(wordAt(message, 4), 0xA1B2C3D4u);
    EXPECT_TRUE(nonZeroOffsets(message, 8, kAppsAskShellRequestBytes).empty());
  }
}

TEST_F(AppsAskShellTest, TwoArgumentCodesPutThemAtOffsetsFourAndEight) {
  for (std::uint32_t code : {3u, 4u}) {
    ASSERT_TRUE(AppsAskShellWithTwoArguments(code, 7, 0xFFFFFFFF));
    const auto message = onlyMessage();
    EXPECT_EQ(wordAt(message, 0), code);
    EXPECT_EQ(wordAt(message, 4), 7u);
    EXPECT_EQ(wordAt(message, 8), 0xFFFFFFFFu);
    EXPECT_TRUE(nonZeroOffsets(message, 12, kAppsAskShellRequestBytes).empty());
  }
  ASSERT_TRUE(AppsAskShellWithTwoArguments(3, 9, 0));
  EXPECT_EQ(wordAt(onlyMessage(), 4), 9u);
}

TEST_F(AppsAskShellTest, ArgumentCodesRefuseAZeroFirstArgument) {
  EXPECT_FALSE(AppsAskShellWithArgument(1, 0));
  EXPECT_FALSE(AppsAskShellWithTwoArguments(4, 0, 5));
  expectNothingSent();
}

TEST_F(AppsAskShellTest, CodesWithoutArgumentsAreCodeAndZeros) {
  for (std::uint32_t code : {5u, 6u, 7u, 8u, 9u, 13u}) {
    ASSERT_TRUE(AppsAskShellWithoutArgument(code));
    const auto message = onlyMessage();
    EXPECT_EQ(wordAt(message, 0), code);
    EXPECT_TRUE(nonZeroOffsets(message, 4, kAppsAskShellRequestBytes).empty());
  }
}

TEST_F(AppsAskShellTest, EachHelperRefusesCodesOfAnotherShape) {
  for (std::uint32_t code : {0u, 3u, 10u, 12u, 14u}) EXPECT_FALSE(AppsAskShellWithArgument(code, 1)) << code;
  for (std::uint32_t code : {0u, 1u, 5u, 11u}) EXPECT_FALSE(AppsAskShellWithTwoArguments(code, 1, 1)) << code;
  for (std::uint32_t code : {0u, 1u, 4u, 10u, 11u, 12u, 14u}) EXPECT_FALSE(AppsAskShellWithoutArgument(code)) << code;
  expectNothingSent();
}

TEST_F(AppsAskShellTest, TextWithValuesSetsTextFlagOneAndTheValues) {
  ASSERT_TRUE(AppsAskShellTextWithValues(u"电池 low", 0x01020304, 0xCAFEBABE));
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), 12u);
  EXPECT_EQ(textOf(message, 12, 64), std::u16string(u"电池 low") + std::u16string(58, u'\0'));
  EXPECT_EQ(wordAt(message, 140), 1u);
  EXPECT_EQ(wordAt(message, 208), 0x01020304u);
  EXPECT_EQ(wordAt(message, 212), 0xCAFEBABEu);
  EXPECT_TRUE(nonZeroOffsets(message, 4, 12).empty());
  EXPECT_TRUE(nonZeroOffsets(message, 144, 208).empty());
  EXPECT_TRUE(nonZeroOffsets(message, 216, kAppsAskShellRequestBytes).empty());
}

TEST_F(AppsAskShellTest, TextWithSecondTextSetsFlagZeroSecondTextAndBlock) {
  ASSERT_TRUE(AppsAskShellTextWithSecondText(u"Title", u"Body", {1, 0x22222222, 0, 0x80000000}));
  const auto message = onlyMessage();
  EXPECT_EQ(wordAt(message, 0), 12u);
  EXPECT_EQ(textOf(message, 12, 5), u"Title");
  EXPECT_TRUE(nonZeroOffsets(message, 22, 144).empty());  // rest of the text and flag 0
  EXPECT_EQ(textOf(message, 144, 32), std::u16string(u"Body") + std::u16string(28, u'\0'));
  EXPECT_TRUE(nonZeroOffsets(message, 208, 216).empty());
  EXPECT_EQ(wordAt(message, 216), 1u);
  EXPECT_EQ(wordAt(message, 220), 0x22222222u);
  EXPECT_EQ(wordAt(message, 224), 0u);
  EXPECT_EQ(wordAt(message, 228), 0x80000000u);
}

TEST_F(AppsAskShellTest, LongTextsAreCutToTheirFieldsWithoutTouchingTheNext) {
  const std::u16string longText(70, u'x');
  const std::u16string longSecond(40, u'y');
  ASSERT_TRUE(AppsAskShellTextWithSecondText(longText, longSecond, {0, 0, 0, 0}));
  const auto message = onlyMessage();
  EXPECT_EQ(textOf(message, 12, 64), std::u16string(64, u'x'));
  EXPECT_EQ(wordAt(message, 140), 0u);
  EXPECT_EQ(textOf(message, 144, 32), std::u16string(32, u'y'));
  EXPECT_TRUE(nonZeroOffsets(message, 208, kAppsAskShellRequestBytes).empty());

  ASSERT_TRUE(AppsAskShellTextWithValues(longText, 0, 0));
  const auto withValues = onlyMessage();
  EXPECT_EQ(textOf(withValues, 12, 64), std::u16string(64, u'x'));
  EXPECT_EQ(wordAt(withValues, 140), 1u);
}

TEST_F(AppsAskShellTest, EmptyTextSendsNothing) {
  EXPECT_FALSE(AppsAskShellTextWithValues(u"", 1, 2));
  EXPECT_FALSE(AppsAskShellTextWithSecondText(u"", u"second", {1, 2, 3, 4}));
  expectNothingSent();
}

}  // namespace
