// The player's id and name, and the leaderboard's messages: what the game
// sends, and what it makes of every reply, well formed or not.
#include <gtest/gtest.h>

#include <set>

#include "leaderboard/leaderboard_messages.hpp"
#include "runs/player.hpp"

namespace {

using leaderboard::PostOutcome;
using runs::PlayerName;

constexpr const char* Player = "0123456789abcdef0123456789abcdef";

}  // namespace

TEST(Player, IdsAre32LowerCaseHexDigits) {
  std::array<uint8_t, runs::PlayerIdBytes> bytes{};
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 17);
  const std::string id = runs::playerIdFromBytes(bytes);
  EXPECT_EQ(id, "00112233445566778899aabbccddeeff");
  EXPECT_TRUE(runs::isPlayerId(id));
  for (const char* bad : {"", "0123456789abcdef0123456789abcde", "0123456789abcdef0123456789abcdef0",
                          "0123456789ABCDEF0123456789abcdef", "0123456789abcdeg0123456789abcdef",
                          "0123456789abcdef 123456789abcdef"})
    EXPECT_FALSE(runs::isPlayerId(bad)) << bad;
}

TEST(Player, NamesComeFromTheIdAndAnotherNameWalksThemAll) {
  EXPECT_EQ(runs::nameOfId("00000011000000020000000000000000"), (PlayerName{1, 2}));
  EXPECT_EQ(runs::nameOfId("0000001f0000002e0000000000000000"), (PlayerName{15, 14}));
  for (const char* id : {Player, "ffffffffffffffffffffffffffffffff", "00000000000000000000000000000000"}) {
    PlayerName name = runs::nameOfId(id);
    ASSERT_TRUE(runs::isPlayerName(name)) << id;
    std::set<std::pair<int32_t, int32_t>> seen;
    for (int32_t i = 0; i < runs::NameColourCount * runs::NameCreatureCount; ++i) {
      const PlayerName next = runs::anotherName(id, name);
      ASSERT_TRUE(runs::isPlayerName(next));
      EXPECT_NE(next, name) << id;
      EXPECT_EQ(runs::anotherName(id, name), next) << "the same every time";
      seen.insert({name.colour, name.creature});
      name = next;
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(runs::NameColourCount * runs::NameCreatureCount)) << id;
    EXPECT_EQ(name, runs::nameOfId(id)) << "back to the first after every name";
  }
  for (const PlayerName bad : {PlayerName{-1, 0}, PlayerName{0, runs::NameCreatureCount}, PlayerName{runs::NameColourCount, 0}})
    EXPECT_FALSE(runs::isPlayerName(bad));
}

TEST(LeaderboardMessages, RequestsSayWhatTheGameMeans) {
  EXPECT_EQ(leaderboard::postBody("QRUN.abc", Player, PlayerName{3, 11}),
            std::string(R"({"name":[3,11],"player":")") + Player + R"(","token":"QRUN.abc"})");
  EXPECT_EQ(leaderboard::boardPath(8, 10, Player), std::string("/v1/days/8/board?limit=10&around=") + Player);
  EXPECT_EQ(leaderboard::boardPath(8, 10, "not an id"), "/v1/days/8/board?limit=10");
  EXPECT_EQ(leaderboard::runPath("42"), "/v1/runs/42");
  EXPECT_EQ(leaderboard::runPath("r-7_x"), "/v1/runs/r-7_x");
  for (const char* bad : {"", "../x", "4 2", "a/b", "a?b", "é"}) EXPECT_EQ(leaderboard::runPath(bad), "") << bad;
}

TEST(LeaderboardMessages, StandingsOfPostsAndTheirShapes) {
  const leaderboard::Standing expected{3, 12, 75, 1450, 3, 108000, "42"};
  const struct {
    const char* body;
    bool read;
    int32_t percentile = 75;
  } cases[] = {
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42})", true},
      {R"({"rank":3,"of":12,"percentile":74.6,"score":1450,"stars":3,"timeMs":108000,"run":"42"})", true},
      {R"({"rank":3,"of":12,"percentile":0,"score":1450,"stars":3,"timeMs":108000,"run":"42"})", true, 0},
      {R"({"error":"already-posted","message":"kept","kept":{"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42}})", true},
      {R"({"error":"already-posted","result":{"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42}})", true},
      {R"({"rank":13,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"({"rank":0,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"({"rank":3,"of":12,"percentile":101,"score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"({"rank":3,"of":12,"percentile":"75","score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":4,"timeMs":108000,"run":42})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":-1,"run":42})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":""})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":[42]})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":"4\n2"})", false},
      {R"({"rank":3,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000})", false},
      {R"({"rank":3.5,"of":12,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"({"rank":3,"of":99999999999,"percentile":75,"score":1450,"stars":3,"timeMs":108000,"run":42})", false},
      {R"([3,12])", false},
      {R"({"rank":3,"of":12,)", false},
      {"", false},
      {"\xff\xfe{}", false},
  };
  for (const auto& test : cases) {
    const std::optional<leaderboard::Standing> standing = leaderboard::readStanding(test.body);
    ASSERT_EQ(standing.has_value(), test.read) << test.body;
    if (!standing) continue;
    leaderboard::Standing want = expected;
    want.percentile = test.percentile;
    EXPECT_EQ(*standing, want) << test.body;
  }
}

TEST(LeaderboardMessages, BoardsAndTheirRows) {
  const std::string row = R"({"rank":1,"name":[3,11],"score":1450,"stars":3,"timeMs":108000,"run":"7"})";
  const leaderboard::BoardRow first{1, PlayerName{3, 11}, 1450, 3, 108000, "7"};
  const struct {
    std::string body;
    bool read;
    size_t rows = 0;
    size_t around = 0;
  } cases[] = {
      {R"({"day":8,"of":1,"rows":[)" + row + R"(],"around":[)" + row + "]}", true, 1, 1},
      {R"({"day":8,"of":0,"rows":[],"around":[]})", true},
      {R"({"day":8,"of":1,"rows":[)" + row + "]}", true, 1},
      // A name from a longer word list than this game's still reads.
      {R"({"day":8,"of":1,"rows":[{"rank":1,"name":[40,2],"score":5,"stars":0,"timeMs":1,"run":"8"}]})", true, 1},
      {R"({"day":8,"of":1,"rows":[{"rank":1,"name":[3],"score":5,"stars":0,"timeMs":1,"run":"8"}]})", false},
      {R"({"day":8,"of":1,"rows":[{"rank":1,"name":[3,-1],"score":5,"stars":0,"timeMs":1,"run":"8"}]})", false},
      {R"({"day":8,"of":1,"rows":[{"rank":1,"name":"Fox","score":5,"stars":0,"timeMs":1,"run":"8"}]})", false},
      {R"({"day":8,"of":1,"rows":[{"rank":1,"name":[3,1],"stars":0,"timeMs":1,"run":"8"}]})", false},
      {R"({"day":8,"of":1,"rows":[7]})", false},
      {R"({"day":8,"of":1,"rows":{}})", false},
      {R"({"day":8,"of":1,"rows":[],"around":null})", false},
      {R"({"day":8,"of":-1,"rows":[]})", false},
      {R"({"of":1,"rows":[]})", false},
      {"null", false},
  };
  for (const auto& test : cases) {
    const std::optional<leaderboard::Board> board = leaderboard::readBoard(test.body);
    ASSERT_EQ(board.has_value(), test.read) << test.body;
    if (!board) continue;
    EXPECT_EQ(board->day, 8);
    EXPECT_EQ(board->rows.size(), test.rows) << test.body;
    EXPECT_EQ(board->around.size(), test.around) << test.body;
  }
  EXPECT_EQ(leaderboard::readBoard(cases[0].body)->rows[0], first);
}

TEST(LeaderboardMessages, RunTokensErrorWordsAndWhatBecomesOfAPost) {
  EXPECT_EQ(leaderboard::readRunToken(R"({"run":"7","token":"QRUN.abc"})"), std::optional<std::string>("QRUN.abc"));
  for (const char* bad : {R"({"token":""})", R"({"token":7})", R"({"run":"7"})", "[]", "QRUN.abc"})
    EXPECT_FALSE(leaderboard::readRunToken(bad)) << bad;
  EXPECT_EQ(leaderboard::readErrorWord(R"({"error":"copied","message":"on the board under another player"})"), "copied");
  EXPECT_EQ(leaderboard::readErrorWord(R"({"error":7})"), "");
  EXPECT_EQ(leaderboard::readErrorWord(R"({"error":"two\nlines"})"), "");
  EXPECT_EQ(leaderboard::readErrorWord("<html>"), "");
  const struct {
    int32_t status;
    PostOutcome outcome;
  } outcomes[] = {{201, PostOutcome::Taken},   {409, PostOutcome::Taken},   {422, PostOutcome::Refused},
                  {400, PostOutcome::Refused}, {413, PostOutcome::Refused}, {0, PostOutcome::Retry},
                  {429, PostOutcome::Retry},   {500, PostOutcome::Retry},   {503, PostOutcome::Retry},
                  {404, PostOutcome::Retry},   {302, PostOutcome::Retry}};
  for (const auto& test : outcomes) EXPECT_EQ(leaderboard::postOutcome(test.status), test.outcome) << test.status;
}
