// The run token: a run comes back as it went in, and every kind of bad token
// is refused with its own reason.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runs/board_token.hpp"
#include "runs/run_token.hpp"

namespace {

using runs::ActionKind;
using runs::RunRefusal;

constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

runs::Run sampleRun() {
  runs::Run run;
  run.day = 8;
  run.level = 7;
  run.timeMode = TimeMode::Normal;
  // Quick presses first (one byte each), then long waits and a pause.
  run.actions = {{0, ActionKind::Fire},        {5, ActionKind::StepRight}, {9, ActionKind::StepLeft},
                 {1400, ActionKind::Fire},     {1400, ActionKind::Buy},    {2650, ActionKind::Pause},
                 {300000, ActionKind::Resume}, {300050, ActionKind::Repair}, {4000000000u, ActionKind::Claim}};
  return run;
}

// Flips one bit of the token's binary form, in place in its base64url text.
std::string flipBit(std::string token, size_t byteIndex, int bit) {
  const size_t streamBit = byteIndex * 8 + static_cast<size_t>(7 - bit);
  char& c = token[runs::TokenPrefix.size() + streamBit / 6];
  c = Alphabet[Alphabet.find(c) ^ (1u << (5 - streamBit % 6))];
  return token;
}

std::string tokenOf(const std::function<void(runs::Run&)>& change) {
  runs::Run run = sampleRun();
  change(run);
  return runs::encodeRunToken(run);
}

}  // namespace

TEST(RunToken, RoundTripKeepsEveryField) {
  for (TimeMode mode : {TimeMode::Normal, TimeMode::Relaxed, TimeMode::Off}) {
    runs::Run run = sampleRun();
    run.timeMode = mode;
    runs::Run read;
    const std::string token = runs::encodeRunToken(run);
    ASSERT_EQ(runs::decodeRunToken(token, read), RunRefusal::Accepted) << token;
    EXPECT_EQ(read, run);
    EXPECT_TRUE(token.starts_with(runs::TokenPrefix));
    EXPECT_EQ(token.find_first_of("+/="), std::string::npos) << "base64url without padding";
  }
}

TEST(RunToken, ReadsItsTokenFromALinkAndAroundWhiteSpace) {
  const std::string token = runs::encodeRunToken(sampleRun());
  for (const std::string& text : {"https://example.org/quandrel/#run=" + token, "  " + token + "\n",
                                  "https://example.org/?today=2026-12-08#run=" + token,
                                  "Quandrel daily 8: level 2, 800 points. Race my run: " + token + " \n"}) {
    runs::Run read;
    EXPECT_EQ(runs::decodeRunToken(text, read), RunRefusal::Accepted) << text;
    EXPECT_EQ(read, sampleRun());
  }
}

TEST(RunToken, RefusesEachBadTokenForItsOwnReason) {
  const std::string good = runs::encodeRunToken(sampleRun());
  // Bytes of the sample: version, rules, day, level, mode, count, then the
  // first action (Fire at 0, one byte) at index 6.
  const struct {
    const char* what;
    std::string token;
    RunRefusal expected;
  } cases[] = {
      {"over 64 KB", std::string(runs::TokenPrefix) + std::string(runs::MaxTokenBytes, 'A'), RunRefusal::TooLarge},
      {"no prefix", good.substr(runs::TokenPrefix.size()), RunRefusal::NotARun},
      {"plain words", "hello", RunRefusal::NotARun},
      {"a character outside base64url", good.substr(0, 12) + "*" + good.substr(13), RunRefusal::NotARun},
      {"nothing after the prefix", std::string(runs::TokenPrefix), RunRefusal::Cut},
      {"cut in the checksum", good.substr(0, good.size() - 2), RunRefusal::Cut},
      {"cut among the actions", good.substr(0, good.size() - 12), RunRefusal::Cut},
      {"cut to one character of a byte", good.substr(0, runs::TokenPrefix.size() + 5), RunRefusal::Cut},
      {"bytes after the checksum", good.substr(0, good.size() - 1) + "AAAAAA", RunRefusal::Damaged},
      {"level 11", tokenOf([](runs::Run& run) { run.level = 11; }), RunRefusal::Damaged},
      {"level 0", tokenOf([](runs::Run& run) { run.level = 0; }), RunRefusal::Damaged},
      {"day 0", tokenOf([](runs::Run& run) { run.day = 0; }), RunRefusal::Damaged},
      {"an unknown time mode", tokenOf([](runs::Run& run) { run.timeMode = static_cast<TimeMode>(5); }),
       RunRefusal::Damaged},
      {"format version 0", tokenOf([](runs::Run& run) { run.formatVersion = 0; }), RunRefusal::Damaged},
      {"a kind changed under the checksum", flipBit(good, 6, 0), RunRefusal::ForgedChecksum},
      {"the day changed under the checksum", flipBit(good, 2, 1), RunRefusal::ForgedChecksum},
      {"the checksum changed", flipBit(good, 20, 3), RunRefusal::ForgedChecksum},
      {"a newer format", tokenOf([](runs::Run& run) { run.formatVersion = runs::RunFormatVersion + 1; }),
       RunRefusal::Newer},
      {"newer rules", tokenOf([](runs::Run& run) { run.rulesRevision = runs::RulesRevision + 1; }), RunRefusal::Newer},
  };
  for (const auto& test : cases) {
    runs::Run read = sampleRun();
    read.day = 99;
    EXPECT_EQ(runs::decodeRunToken(test.token, read), test.expected) << test.what << ": " << test.token;
    EXPECT_EQ(read.day, 99) << test.what << ": a refused token leaves the run alone";
  }
  // Each reason reads differently on the command line and in the dump.
  EXPECT_EQ(runs::refusalName(RunRefusal::ForgedChecksum), "forged-checksum");
}

TEST(RunToken, AWholeLevelsRunFitsInAKilobyte) {
  runs::Run run = sampleRun();
  run.actions.clear();
  // 80 shots, each after two steps, about half a second apart.
  for (uint32_t i = 0; i < 80; ++i) {
    run.actions.push_back({i * 1300 + 100, i % 2 == 0 ? ActionKind::StepLeft : ActionKind::StepRight});
    run.actions.push_back({i * 1300 + 700, ActionKind::StepRight});
    run.actions.push_back({i * 1300 + 1250, ActionKind::Fire});
  }
  EXPECT_LT(runs::encodeRunToken(run).size(), 1024u);
}

runs::Run sampleBoardRun() {
  runs::Run run = sampleRun();
  run.day = 0;
  run.level = 0;
  run.board = Board{{0, 1, 3, 6, 9, 12, 15, 18, 19, 2}, 1250, false, 0xDEADBEEFu};
  return run;
}

// A board comes back whole; a damaged, cut or newer one is refused for its
// reason; and the body of one kind of token never passes for the other.
TEST(BoardToken, RoundTripAndRefusals) {
  runs::Run read;
  const std::string good = runs::encodeBoardToken(sampleBoardRun());
  ASSERT_EQ(runs::decodeBoardToken("see #board=" + good + "&x=1", read), RunRefusal::Accepted);
  EXPECT_EQ(read, sampleBoardRun());

  const auto boardOf = [](const std::function<void(runs::Run&)>& change) {
    runs::Run run = sampleBoardRun();
    change(run);
    return runs::encodeBoardToken(run);
  };
  const std::string run = runs::encodeRunToken(sampleRun());
  const struct {
    const char* what;
    std::string token;
    RunRefusal expected;
  } cases[] = {
      {"a run token", run, RunRefusal::NotARun},
      {"cut", good.substr(0, good.size() - 7), RunRefusal::Cut},
      {"a tube past spoiled", boardOf([](runs::Run& r) { r.board->tubes[3] = 20; }), RunRefusal::Damaged},
      {"a score under 100", boardOf([](runs::Run& r) { r.board->targetScore = 50; }), RunRefusal::Damaged},
      {"a score over 3000", boardOf([](runs::Run& r) { r.board->targetScore = 3050; }), RunRefusal::Damaged},
      {"a tube changed under the checksum", flipBit(good, 4, 0), RunRefusal::ForgedChecksum},
      {"a newer board format", flipBit(good, 0, 1), RunRefusal::Newer},
      {"newer rules", boardOf([](runs::Run& r) { r.rulesRevision = runs::RulesRevision + 1; }), RunRefusal::Newer},
  };
  for (const auto& test : cases) {
    runs::Run untouched;
    EXPECT_EQ(runs::decodeBoardToken(test.token, untouched), test.expected) << test.what;
    EXPECT_EQ(untouched, runs::Run{}) << test.what << ": a refused token leaves the run alone";
  }
  // Each body behind the other's prefix: refused, whatever it happens to read as.
  runs::Run crossed;
  EXPECT_NE(runs::decodeRunToken(std::string(runs::TokenPrefix) + good.substr(runs::BoardTokenPrefix.size()), crossed),
            RunRefusal::Accepted);
  EXPECT_NE(runs::decodeBoardToken(std::string(runs::BoardTokenPrefix) + run.substr(runs::TokenPrefix.size()), crossed),
            RunRefusal::Accepted);
  EXPECT_EQ(crossed, runs::Run{});
}
