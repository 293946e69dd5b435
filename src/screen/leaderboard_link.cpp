// The day's leaderboard as the game talks to it: the player made once, the
// day's run posted when the player asks (and again at each start while no
// answer came), the board and a listed run's token asked for, and what each
// reply changes. Every request goes through the host and its reply comes
// back as an event; the game never waits for one.
#include <algorithm>
#include <array>
#include <random>

#include "leaderboard/leaderboard_messages.hpp"
#include "platform/host.hpp"
#include "platform/language/language.hpp"
#include "platform/system/utf.hpp"
#include "runs/run_token.hpp"
#include "screen/game_window.hpp"
#include "screen/player_words.hpp"
#include "screen/run_messages.hpp"
#include "screen/sentence.hpp"

namespace {

constexpr int32_t BoardRows = static_cast<int32_t>(TopRowCount);

using Asked = LeaderboardLink::Asked;

// A refusal of the leaderboard in the catalogue's words: a run's own
// refusals as the watch screen words them, and the leaderboard's own.
std::u16string_view leaderboardRefusalText(std::string_view word) {
  for (uint8_t kind = 1; kind < 8; ++kind) {
    const auto refusal = static_cast<runs::RunRefusal>(kind);
    if (word == runs::refusalName(refusal)) return runRefusalMessage(refusal);
  }
  if (word == "copied") return translatedText(u"这一局已经在别人名下");
  if (word == "not-normal-time") return translatedText(u"时间条不是标准：只算练习");
  return translatedText(u"排行榜没有接受这一局");
}

}  // namespace

bool GameWindow::leaderboardOn() const { return !leaderboardLink.address.empty(); }

void GameWindow::ensurePlayer() {
  runs::Player& player = daily.history.player;
  if (runs::isPlayerId(player.id)) return;
  std::random_device random;
  std::array<uint8_t, runs::PlayerIdBytes> bytes{};
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  player.id = runs::playerIdFromBytes(bytes);
  player.name = runs::nameOfId(player.id);
  saveDailyHistoryFile();
}

std::u16string GameWindow::playerNameText(const runs::PlayerName& name) const {
  // A word from a longer list than this game's shows as a mark.
  const auto word = [](const auto& list, int32_t index) -> std::u16string_view {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? translatedText(list[static_cast<size_t>(index)])
                                                                   : u"?";
  };
  Sentence text;
  text.add(words::playerName, {word(words::nameColours, name.colour), word(words::nameCreatures, name.creature)});
  return utf16FromUtf8(text.view());
}

bool GameWindow::sendToLeaderboard(LeaderboardLink::Request request, WebRequest::Method method,
                                   const std::string& path, std::string body) {
  Host* host = currentHost();
  if (!leaderboardOn() || host == nullptr || path.empty()) return false;
  request.number = host->sendWebRequest(WebRequest{method, leaderboardLink.address + path, std::move(body)});
  if (request.number == 0) return false;
  leaderboardLink.out.push_back(std::move(request));
  return true;
}

bool GameWindow::leaderboardAsked(Asked asked, int32_t day) const {
  return std::any_of(leaderboardLink.out.begin(), leaderboardLink.out.end(),
                     [&](const LeaderboardLink::Request& request) { return request.asked == asked && request.day == day; });
}

const runs::PostRecord* GameWindow::todaysPost() const {
  const runs::DailyDay* day = daily.history.day(todayDayNumber());
  return day != nullptr && day->finished && day->post.state != runs::PostState::None ? &day->post : nullptr;
}

void GameWindow::postTodaysRun() {
  if (!dailyScreenShown() || !leaderboardOn()) return;
  const int32_t day = todayDayNumber();
  ensurePlayer();
  if (!daily.history.requestPost(day)) return;
  // Kept before it is sent: a post that gets no answer is not lost.
  saveDailyHistoryFile();
  sendPost(day);
  showDailyState();
}

void GameWindow::sendWaitingPosts() {
  if (!leaderboardOn()) return;
  for (const int32_t day : daily.history.waitingPosts()) {
    if (!leaderboardAsked(Asked::Post, day)) sendPost(day);
  }
}

void GameWindow::sendPost(int32_t day) {
  const runs::DailyDay* entry = daily.history.day(day);
  const runs::Player& player = daily.history.player;
  if (entry == nullptr || !runs::isPlayerId(player.id)) return;
  sendToLeaderboard({0, Asked::Post, day, {}}, WebRequest::Method::Post, std::string(leaderboard::PostPath),
                    leaderboard::postBody(entry->token, player.id, player.name));
}

void GameWindow::drawAnotherName() {
  if (!dailyScreenShown() || !leaderboardOn()) return;
  ensurePlayer();
  runs::Player& player = daily.history.player;
  player.name = runs::anotherName(player.id, player.name);
  saveDailyHistoryFile();
  sentence.add(u"你的名字：{1}", {std::u16string_view(playerNameText(player.name))});
  dailyScreen.message.SetText(utf16FromUtf8(sentence.view()).c_str());
  sendSentence(AnnouncementPriority::Polite);
  Invalidate(nullptr, 0);
}

void GameWindow::askBoard(int32_t day) {
  LeaderboardLink& link = leaderboardLink;
  if (!leaderboardAsked(Asked::Board, day)) {
    const bool sent = sendToLeaderboard({0, Asked::Board, day, {}}, WebRequest::Method::Get,
                                        leaderboard::boardPath(day, BoardRows, daily.history.player.id));
    link.state = sent ? LeaderboardLink::State::Loading : LeaderboardLink::State::Failed;
  }
  if (leaderboardScreenShown()) showLeaderboard();
}

void GameWindow::OnWebReply(uint32_t request, int32_t status, std::string_view body) {
  std::vector<LeaderboardLink::Request>& out = leaderboardLink.out;
  const auto found = std::find_if(out.begin(), out.end(),
                                  [&](const LeaderboardLink::Request& asked) { return asked.number == request; });
  if (found == out.end()) return;
  const LeaderboardLink::Request answered = *found;
  out.erase(found);
  switch (answered.asked) {
    case Asked::Post: takePostReply(answered.day, status, body); break;
    case Asked::Board: takeBoardReply(status, body); break;
    case Asked::Run: takeRunReply(answered.run, status, body); break;
  }
}

void GameWindow::takePostReply(int32_t day, int32_t status, std::string_view body) {
  const auto found = daily.history.days.find(day);
  if (found == daily.history.days.end() || found->second.post.state != runs::PostState::Waiting) return;
  runs::PostRecord& post = found->second.post;
  switch (leaderboard::postOutcome(status)) {
    case leaderboard::PostOutcome::Taken:
      post.state = runs::PostState::Taken;
      if (const std::optional<leaderboard::Standing> standing = leaderboard::readStanding(body)) {
        post.rank = standing->rank;
        post.of = standing->of;
        post.percentile = standing->percentile;
        post.run = standing->run;
      }
      break;
    case leaderboard::PostOutcome::Refused:
      post.state = runs::PostState::Refused;
      post.refusal = leaderboard::readErrorWord(body);
      break;
    case leaderboard::PostOutcome::Retry: break;  // it waits in the file for the next try
  }
  if (post.state != runs::PostState::Waiting) saveDailyHistoryFile();
  if (dailyScreenShown() && day == todayDayNumber()) {
    showDailyState();
    sentence.addText(dailyPostLine());
    sendSentence(AnnouncementPriority::Polite);
  }
  // The board shown no longer holds the player's run.
  if (leaderboardScreenShown() && post.state == runs::PostState::Taken) askBoard(day);
}

void GameWindow::takeBoardReply(int32_t status, std::string_view body) {
  LeaderboardLink& link = leaderboardLink;
  std::optional<leaderboard::Board> board = status == 200 ? leaderboard::readBoard(body) : std::nullopt;
  link.state = board ? LeaderboardLink::State::Shown : LeaderboardLink::State::Failed;
  if (board) link.board = std::move(board);
  ++link.changes;
  if (leaderboardScreenShown()) showLeaderboard();
}

void GameWindow::takeRunReply(const std::string& run, int32_t status, std::string_view body) {
  LeaderboardLink& link = leaderboardLink;
  if (run != link.runAsked) return;
  link.runAsked.clear();
  const std::optional<std::string> token = status == 200 ? leaderboard::readRunToken(body) : std::nullopt;
  if (!leaderboardScreenShown()) return;
  if (!token) {
    ++link.changes;
    leaderboardScreen.status.SetText(u"打不开这一局");
    sentence.add(u"打不开这一局");
    sendSentence(AnnouncementPriority::Polite);
    Invalidate(nullptr, 0);
    return;
  }
  openWatchScreen(*token);
}

std::u16string GameWindow::dailyPostLine() const {
  if (!leaderboardOn()) return {};
  Sentence line;
  const runs::PostRecord* post = todaysPost();
  if (post == nullptr) {
    if (!runs::isPlayerId(daily.history.player.id)) return {};
    line.add(u"你的名字：{1}", {std::u16string_view(playerNameText(daily.history.player.name))});
  } else if (post->state == runs::PostState::Waiting) {
    line.add(leaderboardAsked(Asked::Post, todayDayNumber()) ? u"正在发布…" : u"等待发布");
  } else if (post->state == runs::PostState::Refused) {
    line.addText(leaderboardRefusalText(post->refusal));
  } else if (post->rank > 0) {
    line.add(u"排行榜：第{1}名，共{2}人", {post->rank, post->of});
  } else {
    line.add(u"已发布");
  }
  return utf16FromUtf8(line.view());
}
