// The game's state as JSON fields for the headless dump, and which screen
// is up.
#include <array>
#include <string>

#include "platform/message_loop.hpp"
#include "platform/system/utf.hpp"
#include "rules/level_table.hpp"
#include "runs/board_token.hpp"
#include "screen/game_window.hpp"

namespace {

void appendField(std::string& json, const char* name, const std::string& value) {
  json += ",\"";
  json += name;
  json += "\":";
  json += value;
}

std::string number(int64_t value) { return std::to_string(value); }
std::string boolean(bool value) { return value ? "true" : "false"; }

std::string quoted(std::string_view text) {
  std::string json;
  appendJsonString(json, utf16FromUtf8(text));
  return json;
}

std::string tubesJson(const Board& board) {
  std::string tubes = "[";
  for (size_t k = 0; k < board.tubes.size(); ++k) {
    if (k > 0) tubes += ",";
    tubes += number(board.tubes[k]);
  }
  return tubes + "]";
}

std::string resultJson(const runs::RunResult& result) {
  return "{\"score\":" + number(result.score) + ",\"shots\":" + number(result.shots) +
         ",\"timeMs\":" + number(result.timeMs) + ",\"stars\":" + number(result.stars) +
         ",\"claimed\":" + boolean(result.claimed) + "}";
}

constexpr std::array<const char*, 4> PostStateNames = {"null", "\"waiting\"", "\"taken\"", "\"refused\""};
constexpr std::array<const char*, 4> LinkStateNames = {"idle", "loading", "shown", "failed"};
constexpr std::array<const char*, 3> AskedNames = {"post", "board", "run"};

std::string nameJson(const runs::PlayerName& name) {
  return "[" + number(name.colour) + "," + number(name.creature) + "]";
}

}  // namespace

// The leaderboard's fields: whether the game has one and what its screen
// shows, the rows of the board read last (each name as its two indices and in
// the shown language), the player's standing, the requests still out in the
// order sent, and the player.
void GameWindow::appendLeaderboardState(std::string& json) const {
  const LeaderboardLink& link = leaderboardLink;
  std::string state = std::string("{\"state\":\"") +
                      (leaderboardOn() ? LinkStateNames[static_cast<size_t>(link.state)] : "off") + "\"";
  std::string rows = "[";
  if (link.board) {
    for (const leaderboard::BoardRow& row : link.board->rows) {
      if (rows.size() > 1) rows += ",";
      rows += "{\"rank\":" + number(row.rank) + ",\"name\":" + nameJson(row.name) +
              ",\"shown\":" + quoted(utf8FromUtf16(playerNameText(row.name))) + ",\"score\":" + number(row.score) +
              ",\"stars\":" + number(row.stars) + ",\"timeMs\":" + number(row.timeMs) + ",\"run\":" + quoted(row.run) +
              "}";
    }
  }
  state += ",\"day\":" + (link.board ? number(link.board->day) : std::string("null"));
  state += ",\"rows\":" + rows + "]";
  const std::optional<Standing> standing = playerStanding();
  state += ",\"rank\":" + (standing ? number(standing->rank) : std::string("null"));
  state += ",\"of\":" + (standing ? number(standing->of) : link.board ? number(link.board->of) : std::string("null"));
  state += ",\"percentile\":" + (standing ? number(standing->percentile) : std::string("null"));
  std::string pending = "[";
  for (const LeaderboardLink::Request& request : link.out) {
    if (pending.size() > 1) pending += ",";
    pending += std::string("{\"request\":\"") + AskedNames[static_cast<size_t>(request.asked)] + "\"";
    pending += request.asked == LeaderboardLink::Asked::Run ? ",\"run\":" + quoted(request.run)
                                                            : ",\"day\":" + number(request.day);
    pending += "}";
  }
  state += ",\"pending\":" + pending + "]";
  const runs::Player& player = daily.history.player;
  state += ",\"player\":" + (runs::isPlayerId(player.id)
                                  ? "{\"id\":" + quoted(player.id) + ",\"name\":" + nameJson(player.name) +
                                        ",\"shown\":" + quoted(utf8FromUtf16(playerNameText(player.name))) + "}"
                                  : std::string("null"));
  appendField(json, "leaderboard", state + "}");
}

// The daily challenge's fields: today's challenge, the share once today's
// official attempt is over, the ghost while racing, the run on the watch screen.
void GameWindow::appendDailyState(std::string& json) const {
  const DailyToday today = dailyToday();
  const bool practice = daily.attemptActive ? !daily.official : today.nextIsPractice;
  const runs::PostRecord* post = todaysPost();
  const char* postState = PostStateNames[static_cast<size_t>(post != nullptr ? post->state : runs::PostState::None)];
  appendField(json, "daily", "{\"day\":" + number(today.day) + ",\"level\":" + number(today.level) +
                                 ",\"streak\":" + number(today.streak) + ",\"bestStreak\":" +
                                 number(today.bestStreak) + ",\"practice\":" + boolean(practice) + ",\"interrupted\":" + boolean(today.interrupted) +
                                 ",\"result\":" + (today.result ? resultJson(*today.result) : "null") +
                                 ",\"post\":" + postState + "}");
  // On the maker, the made board's share; elsewhere today's run's.
  const bool onMaker = screenOnTop() == Screen::Maker;
  const std::string token = onMaker ? makerShareToken() : dailyShareToken();
  appendField(json, "share", token.empty() ? "null"
                                           : "{\"text\":" + quoted(onMaker ? makerShareText() : dailyShareText()) +
                                                 ",\"token\":" + quoted(token) + "}");
  if (daily.racing && daily.attemptActive) {
    const runs::GhostState ghost = daily.ghost.at(attemptTickMs());
    appendField(json, "ghost", "{\"sprayerX\":" + number(ghost.sprayerX) + ",\"score\":" + number(ghost.score) + "}");
  } else {
    appendField(json, "ghost", "null");
  }
  if (watchedRun && screenOnTop() == Screen::Watch) {
    const RunVerdict& verdict = *watchedRun;
    appendField(json, "watch", std::string("{\"state\":") + (verdict.accepted() ? "\"verified\"" : "\"refused\"") +
                                   ",\"reason\":" + (verdict.accepted() ? "null" : quoted(runs::refusalName(verdict.refusal))) +
                                   ",\"score\":" + (verdict.accepted() ? number(verdict.result.score) : "null") +
                                   ",\"level\":" + (verdict.accepted() ? number(verdict.result.level) : "null") +
                                   ",\"day\":" + (verdict.accepted() ? number(verdict.result.day) : "null") + "}");
  } else {
    appendField(json, "watch", "null");
  }
}

// The boards' fields: the made board while the maker is up or its board is
// tried, and a received board while it is open (its screen, its attempt, its
// playback).
void GameWindow::appendBoardState(std::string& json) const {
  const bool making = makerShown() || daily.boardInPlay == BoardInPlay::Made;
  if (making && boards.made) {
    const Board& board = boards.made->board;
    appendField(json, "maker", "{\"tubes\":" + tubesJson(board) + ",\"targetScore\":" + number(board.targetScore) +
                                   ",\"seed\":" + number(board.seed) + ",\"cleared\":" +
                                   boolean(boards.made->cleared()) + "}");
  } else {
    appendField(json, "maker", "null");
  }
  const std::optional<RunVerdict>& received = receivedBoard.proof;
  const bool open = boardScreenShown() || daily.boardInPlay == BoardInPlay::Received ||
                    (playbackShown() && watchScreen.playingBoard);
  if (!open || !received) {
    appendField(json, "board", "null");
  } else if (!received->accepted()) {
    appendField(json, "board", "{\"state\":\"refused\",\"reason\":" + quoted(runs::refusalName(received->refusal)) +
                                   "}");
  } else {
    const Board& board = *received->run.board;
    const std::string id = runs::boardId(board);
    const runs::BoardRecord* record = boards.received.find(id);
    const std::string best = record != nullptr && record->cleared
                                 ? "{\"score\":" + number(record->bestScore) + ",\"stars\":" + number(record->stars) + "}"
                                 : "null";
    appendField(json, "board", "{\"state\":\"proven\",\"id\":" + quoted(id) + ",\"tubes\":" + tubesJson(board) +
                                   ",\"targetScore\":" + number(board.targetScore) + ",\"makerScore\":" +
                                   number(received->result.score) + ",\"makerStars\":" +
                                   number(received->result.stars) + ",\"makerTimeMs\":" +
                                   number(received->result.timeMs) + ",\"tried\":" +
                                   boolean(record != nullptr && record->tried) + ",\"best\":" + best + "}");
  }
}

// The exit question over everything, then the screens of the menu, then the game's own.
GameWindow::Screen GameWindow::screenOnTop() const {
  const OpenScreens& open = openScreens;
  if (exitQuestionOpen) return Screen::Question;
  if (!splashDone) return Screen::Splash;
  if (open.finale) return Screen::Finale;
  if (open.levels) return Screen::Levels;
  if (open.daily) return Screen::Daily;
  if (open.leaderboard) return Screen::Leaderboard;
  if (open.watchResult || open.playback) return Screen::Watch;
  if (open.maker) return Screen::Maker;
  if (open.board) return Screen::Board;
  if (open.settings) return Screen::Settings;
  if (open.help) return Screen::Help;
  if (open.menu) return Screen::Menu;
  if (open.overlay == Overlay::GameOver) return Screen::GameOver;
  if (open.overlay == Overlay::Passed) return Screen::Passed;
  return inGame ? Screen::Game : Screen::Menu;
}

const char* GameWindow::currentScreen() const {
  static constexpr const char* names[] = {"splash", "menu",   "settings", "help",     "levels",
                                          "daily",  "watch",  "leaderboard", "game",  "passed",
                                          "gameover", "finale", "question", "maker",  "board"};
  return names[static_cast<size_t>(screenOnTop())];
}

void GameWindow::AppendDebugState(std::string& json) const {
  appendField(json, "currentLevel", number(currentLevel));
  appendField(json, "score", number(play.score));
  appendField(json, "shotsLeft", number(play.shotsLeft));
  appendField(json, "levelTargetScore", number(play.targetScore));
  appendField(json, "asksMixedKey", boolean(play.asksMixedKey));
  appendField(json, "currentColour", number(play.currentColour));
  appendField(json, "nextColour", number(play.nextColour));
  appendField(json, "missCounter", number(play.missCounter));
  appendField(json, "mixedFromPrimaries", number(play.mixedFromPrimaries));
  appendField(json, "inGame", boolean(inGame));
  appendField(json, "paused", boolean(play.paused));
  appendField(json, "splashDone", boolean(splashDone));
  appendField(json, "gameOver", boolean(play.gameOver));
  appendField(json, "levelPassed", boolean(play.levelPassed));
  appendField(json, "shotInFlight", boolean(play.shotInFlight));
  appendField(json, "hitPending", boolean(play.hitPending));
  appendField(json, "timeBarRunning", boolean(play.timeBarRunning));
  appendField(json, "lightningRunning", boolean(lightningRunning));
  appendField(json, "lightningFrame", number(lightningFrame));
  appendField(json, "cloudDriftCount", number(cloudDriftCount));
  appendField(json, "movementOn", boolean(movementOn));
  appendField(json, "soundEnabled", boolean(sound.enabled));

  std::string targets = "[";
  for (size_t k = 0; k < play.tubes.size(); ++k) {
    if (k > 0) targets += ",";
    targets += number(play.tubes[k]);
  }
  appendField(json, "targets", targets + "]");
  std::string keys = "[";
  for (size_t k = 0; k < play.keys.size(); ++k) {
    if (k > 0) keys += ",";
    keys += boolean(play.keys[k]);
  }
  appendField(json, "keys", keys + "]");

  appendField(json, "sprayerX", number(play.sprayerX));
  appendField(json, "sprayerPictureX", number(sprayerPicture.GetPosX()));
  appendField(json, "timeBarX", number(play.timeBarX));
  if (!play.shot.fired) {
    appendField(json, "shot", "null");
  } else {
    appendField(json, "shot",
                "{\"x\":" + number(play.shot.x) + ",\"y\":" + number(play.shot.y) + ",\"colour\":" +
                    number(play.shot.colour) + ",\"visible\":" + boolean(play.shot.visible) + "}");
  }
  appendField(json, "passLit", boolean(passLitImage != nullptr &&
                                       passIndicator.GetImage_Normal() == passLitImage));
  appendField(json, "repairLit", boolean(repairLitImage != nullptr &&
                                         repairButton.GetImage_Normal() == repairLitImage));
  appendField(json, "buyLit",
              boolean(buyLitImage != nullptr && buyShotsButton.GetImage_Normal() == buyLitImage));
  std::string toggles = "[";
  for (size_t i = 0; i < toggleButtons.size(); ++i) {
    if (i > 0) toggles += ",";
    toggles += boolean(switchOnImages[i] != nullptr &&
                       toggleButtons[i].GetImage_Normal() == switchOnImages[i]);
  }
  appendField(json, "toggles", toggles + "]");
  appendField(json, "settings", "{\"level\":" + number(settings.level) +
                                    ",\"isSound\":" + boolean(settings.isSound) +
                                    ",\"isMove\":" + boolean(settings.isMove) + "}");
  appendField(json, "newRecord", boolean(recordMarkPicture.IsVisible()));
  std::string levels = "[";
  for (int32_t level = FirstLevel; level <= LevelCount; ++level) {
    const LevelRecord& record = records.level(level);
    const bool claimed = record.claims > 0;
    if (level > FirstLevel) levels += ",";
    levels += "{\"level\":" + number(level) + ",\"claims\":" + number(record.claims) +
              ",\"bestScore\":" + (claimed ? number(record.bestScore) : "null") +
              ",\"fewestShots\":" + (claimed ? number(record.fewestShots) : "null") +
              ",\"fastestMs\":" + (claimed ? number(record.fastestMs) : "null") +
              ",\"stars\":" + (claimed ? number(record.stars) : "null") + "}";
  }
  appendField(json, "records", levels + "]");
  appendField(json, "options", optionsJson(options));
  appendDailyState(json);
  appendLeaderboardState(json);
  appendBoardState(json);
  appendField(json, "screen", std::string("\"") + currentScreen() + "\"");
  appendField(json, "helpPage", helpPage != 0 ? number(helpPage) : "null");
}
