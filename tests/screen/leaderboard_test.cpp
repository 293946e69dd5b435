// The game's side of the leaderboard in the real window, with a host that
// keeps each request for the test to answer: nothing goes before Post, a post
// is kept before it goes and ends as its reply says, the board's and a run's
// replies, well formed or not, and no leaderboard at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game_fixture.hpp"
#include "platform/language/language.hpp"
#include "platform/system/utf.hpp"
#include "progress/daily_file.hpp"
#include "screen/control_ids.hpp"

namespace {

constexpr const char* Address = "http://board.test";
constexpr const char* Player = "00112233445566778899aabbccddeeff";
constexpr int32_t Today = 8;  // 2026-12-08, level 2

// The autoplayer's run of day 8, which the fuzzer's seeds keep.
std::string dayEightToken() {
  const char* source = std::getenv("QUANDREL_SOURCE_DIR");
  std::ifstream file(std::string(source != nullptr ? source : ".") + "/fuzz/run-seeds/level-2.run");
  std::string token;
  file >> token;
  return token;
}

std::string text(const UiStatic& label) { return utf8FromUtf16(label.GetText().C_Str()); }

class LeaderboardTest : public GameWindowTest {
 protected:
  void SetUp() override {
    setenv("QUANDREL_TODAY", "2026-12-08", 1);
    setenv("QUANDREL_LEADERBOARD", Address, 1);
    GameWindowTest::SetUp();
    freshDay();
  }
  void TearDown() override {
    GameWindowTest::TearDown();
    unsetenv("QUANDREL_LEADERBOARD");
    unsetenv("QUANDREL_TODAY");
  }

  // Today played, its run kept and not posted: the game opens on that daily file.
  void freshDay() {
    runs::DailyHistory history;
    history.player = runs::Player{Player, runs::PlayerName{3, 11}};
    history.startAttempt(Today, TimeMode::Normal);
    history.finishOfficial(Today, runs::RunResult{Today, 2, 800, 47, 56600, 3, true}, dayEightToken());
    ASSERT_TRUE(saveDailyHistory(dailyPath(), history));
    reopen();
  }

  std::string dailyPath() const { return (directory / "quandrel-daily.ini").string(); }
  // The game started again on the files it left.
  void reopen() {
    window.reset();
    window = std::make_unique<GameWindow>(images, (directory / "quandrel.ini").u16string());
    ASSERT_TRUE(window->Create(0, 0, 480, 720));
    openMenu();
  }
  void press(int32_t id) { window->handleCommand(static_cast<uint32_t>(id), 0); }
  runs::PostRecord storedPost() const { return loadDailyHistory(dailyPath()).days[Today].post; }
  runs::PostRecord livePost() const { return window->daily.history.days[Today].post; }
};

TEST_F(LeaderboardTest, NothingGoesBeforePostAndAPostIsKeptBeforeItGoes) {
  press(ControlId::dailyButton);
  EXPECT_EQ(host.takeRequests().size(), 0u);
  ASSERT_TRUE(window->dailyScreen.post.button.IsVisible());
  EXPECT_EQ(text(window->dailyScreen.message), "你的名字：靛青色的蜜蜂");
  press(ControlId::dailyPost);
  const std::vector<WebRequest> sent = host.takeRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].method, WebRequest::Method::Post);
  EXPECT_EQ(sent[0].url, "http://board.test/v1/runs");
  EXPECT_EQ(sent[0].body, R"({"name":[3,11],"player":")" + std::string(Player) + R"(","token":")" + dayEightToken() +
                              R"("})");
  EXPECT_EQ(storedPost().state, runs::PostState::Waiting);
  EXPECT_FALSE(window->dailyScreen.post.button.IsVisible());
  EXPECT_EQ(text(window->dailyScreen.message), "正在发布…");
  press(ControlId::dailyPost);
  EXPECT_EQ(host.takeRequests().size(), 0u) << "asked for once";
}

TEST_F(LeaderboardTest, EachReplyToAPostEndsItAsItSays) {
  const std::string standing = R"({"rank":3,"of":12,"percentile":83,"score":800,"stars":3,"timeMs":56600,"run":42})";
  const struct {
    int32_t status;
    std::string body;
    runs::PostState state;
    int32_t rank;
    const char* line;
  } cases[] = {
      {201, standing, runs::PostState::Taken, 3, "排行榜：第3名，共12人"},
      {409, R"({"error":"second-run",)" + standing.substr(1), runs::PostState::Taken, 3, "排行榜：第3名，共12人"},
      {409, "{}", runs::PostState::Taken, 0, "已发布"},
      {422, R"({"error":"copied","message":"x"})", runs::PostState::Refused, 0, "这一局已经在别人名下"},
      {422, R"({"error":"forged-checksum","message":"x"})", runs::PostState::Refused, 0, "这个记录的校验和不对"},
      {422, R"({"error":"day-closed","message":"x"})", runs::PostState::Refused, 0, "排行榜没有接受这一局"},
      {0, "", runs::PostState::Waiting, 0, "等待发布"},
      {503, R"({"error":"unavailable"})", runs::PostState::Waiting, 0, "等待发布"},
      {429, "", runs::PostState::Waiting, 0, "等待发布"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(std::to_string(test.status) + " " + test.body);
    freshDay();
    press(ControlId::dailyButton);
    press(ControlId::dailyPost);
    ASSERT_EQ(host.takeRequests().size(), 1u);
    window->OnWebReply(99, 201, standing);  // not a request of the game's: nothing changes
    EXPECT_EQ(livePost().state, runs::PostState::Waiting);
    window->OnWebReply(window->leaderboardLink.out.front().number, test.status, test.body);
    EXPECT_EQ(livePost().state, test.state);
    EXPECT_EQ(livePost().rank, test.rank);
    EXPECT_EQ(text(window->dailyScreen.message), test.line);
    EXPECT_EQ(storedPost(), livePost()) << "what the reply said is kept";
    const std::vector<std::string> said = host.takeAnnouncements();
    EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const std::string& line) {
      return line.find(test.line) != std::string::npos;
    })) << "and said";
    // The daily screen again: only a post that got no answer goes again, and
    // so it does at the next start.
    press(ControlId::dailyBack);
    press(ControlId::dailyButton);
    const size_t again = test.state == runs::PostState::Waiting ? 1 : 0;
    EXPECT_EQ(host.takeRequests().size(), again);
    reopen();
    EXPECT_EQ(host.takeRequests().size(), again);
  }
}

TEST_F(LeaderboardTest, TheBoardItsRowsAndARowsRun) {
  press(ControlId::dailyButton);
  press(ControlId::dailyPost);
  host.takeRequests();
  window->OnWebReply(window->leaderboardLink.out.front().number, 201,
                     R"({"rank":12,"of":12,"percentile":8,"score":800,"stars":3,"timeMs":56600,"run":"own"})");
  press(ControlId::dailyLeaderboard);
  EXPECT_EQ(window->currentScreen(), std::string("leaderboard"));
  std::vector<WebRequest> sent = host.takeRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].url, std::string("http://board.test/v1/days/8/board?limit=10&around=") + Player);
  EXPECT_EQ(text(window->leaderboardScreen.status), "正在载入排行榜…");
  window->OnWebReply(window->leaderboardLink.out.front().number, 200, R"({"day":8,"of":"twelve"})");
  EXPECT_EQ(text(window->leaderboardScreen.status), "连不上排行榜");
  EXPECT_FALSE(window->leaderboardScreen.rows[0].button.IsVisible());

  press(ControlId::leaderboardBack);
  EXPECT_EQ(window->currentScreen(), std::string("daily"));
  press(ControlId::dailyLeaderboard);
  EXPECT_EQ(host.takeRequests().size(), 1u) << "asked for afresh";
  std::string rows;
  for (int32_t rank = 1; rank <= 11; ++rank) {
    rows += (rank > 1 ? "," : "") + std::string(R"({"rank":)") + std::to_string(rank) + R"(,"name":[1,2],"score":)" +
            std::to_string(2000 - rank) + R"(,"stars":3,"timeMs":1000,"run":"r)" + std::to_string(rank) + R"("})";
  }
  const std::string own = R"({"rank":12,"name":[3,11],"score":800,"stars":1,"timeMs":56600,"run":"own"})";
  window->OnWebReply(window->leaderboardLink.out.front().number, 200,
                     R"({"day":8,"of":12,"rows":[)" + rows + R"(],"around":[)" + own + "]}");
  const LeaderboardControls& screen = window->leaderboardScreen;
  EXPECT_EQ(text(screen.rows[9].name), "珊瑚色的刺猬");
  EXPECT_EQ(text(screen.rows[9].score), "1990");
  EXPECT_TRUE(screen.rows[OwnRowIndex].button.IsVisible());
  EXPECT_EQ(text(screen.rows[OwnRowIndex].rank), "12");
  EXPECT_EQ(screen.rows[OwnRowIndex].button.GetImage_Normal(), screen.ownLit);
  EXPECT_EQ(screen.rows[0].button.GetImage_Normal(), screen.rowLit);
  EXPECT_EQ(text(screen.status), "你是第12名，共12人，百分位8");
  // A row's name counts its points and stars as the language does.
  std::string error;
  ASSERT_TRUE(setActiveLanguage("en", error)) << error;
  FocusStop ownRow;
  ownRow.control = &window->leaderboardScreen.rows[OwnRowIndex].button;
  EXPECT_EQ(window->NameFocusStop(ownRow), "Your run: rank 12, Indigo Bee, 800 points, 1 star");
  ASSERT_TRUE(setActiveLanguage(OriginalLanguage, error)) << error;

  // A row's run: no token, then one; the watch screen proves it.
  press(ControlId::firstLeaderboardRow + 1);
  sent = host.takeRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].url, "http://board.test/v1/runs/r2");
  EXPECT_EQ(text(screen.status), "正在打开这一局…");
  window->OnWebReply(window->leaderboardLink.out.front().number, 404, R"({"error":"not-found"})");
  EXPECT_EQ(text(screen.status), "打不开这一局");
  press(ControlId::firstLeaderboardRow + static_cast<int32_t>(OwnRowIndex));
  window->OnWebReply(window->leaderboardLink.out.front().number, 200,
                     R"({"run":"own","token":")" + dayEightToken() + R"("})");
  EXPECT_EQ(window->currentScreen(), std::string("watch"));
  ASSERT_TRUE(window->watchedRun && window->watchedRun->accepted());
  EXPECT_EQ(window->watchedRun->result.score, 800);
  press(ControlId::watchBack);
  EXPECT_EQ(window->currentScreen(), std::string("leaderboard"));
}

TEST_F(LeaderboardTest, WithoutALeaderboardNothingOfItShowsOrGoes) {
  unsetenv("QUANDREL_LEADERBOARD");
  reopen();
  press(ControlId::dailyButton);
  for (const PanelButton* button : {&window->dailyScreen.post, &window->dailyScreen.leaderboard,
                                    &window->dailyScreen.anotherName})
    EXPECT_FALSE(button->button.IsVisible());
  EXPECT_EQ(text(window->dailyScreen.message), "");
  press(ControlId::dailyPost);
  press(ControlId::dailyLeaderboard);
  EXPECT_EQ(host.takeRequests().size(), 0u);
  EXPECT_EQ(livePost().state, runs::PostState::None);
  EXPECT_EQ(window->currentScreen(), std::string("daily"));
}

TEST_F(LeaderboardTest, OfflineAPostWaitsAndAnotherNameTakesItsPlace) {
  host.offline = true;
  press(ControlId::dailyButton);
  press(ControlId::dailyPost);
  EXPECT_EQ(storedPost().state, runs::PostState::Waiting);
  EXPECT_EQ(text(window->dailyScreen.message), "等待发布");
  press(ControlId::dailyAnotherName);
  const runs::PlayerName renamed = runs::anotherName(Player, runs::PlayerName{3, 11});
  EXPECT_EQ(loadDailyHistory(dailyPath()).player.name, renamed);
  host.offline = false;
  reopen();
  const std::vector<WebRequest> sent = host.takeRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_NE(sent[0].body.find("\"name\":[" + std::to_string(renamed.colour) + "," + std::to_string(renamed.creature)),
            std::string::npos)
      << "it goes under the name the player has now";
}

}  // namespace
