// Play by ear: after every event and timer the window words what changed since
// it last spoke (a screen entered, the focus moved, a step, a shot's outcome,
// the time running out) and hands the sentences to the announcement door.
#include <algorithm>
#include <string_view>

#include "platform/focus_navigation.hpp"
#include "platform/language/language.hpp"
#include "platform/message_loop.hpp"
#include "platform/question_box.hpp"
#include "platform/system/utf.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"
#include "rules/time_mode.hpp"
#include "runs/board_token.hpp"
#include "runs/share_text.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/counted_words.hpp"
#include "screen/game_window.hpp"
#include "screen/run_messages.hpp"

namespace {

// 0 while more than half the time is left, then 1 (half), 2 (a quarter), 3 (a tenth).
int32_t timeStageOf(int32_t barX) {
  if (barX * 10 <= Play::TimeBarFullX) return 3;
  if (barX * 4 <= Play::TimeBarFullX) return 2;
  if (barX * 2 <= Play::TimeBarFullX) return 1;
  return 0;
}

// A small hash of a text, to notice that a focused button's state changed.
int32_t hashOf(std::string_view text) {
  uint32_t hash = 2166136261u;
  for (const char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return static_cast<int32_t>(hash);
}

}  // namespace

void GameWindow::sendSentence(AnnouncementPriority priority) {
  if (!sentence.empty()) announce(sentence.view(), priority);
  sentence.clear();
}

// Ends a text that has no stop of its own (a heading, a caption) with the
// language's full stop, so that a reader pauses after it.
void GameWindow::endSentence() {
  const std::string_view text = sentence.view();
  for (const std::string_view stop : {".", "!", "?", "\xe3\x80\x82", "\xef\xbc\x81", "\xef\xbc\x9f"}) {
    if (text.ends_with(stop)) return;
  }
  sentence.add(words::fullStop);
}

void GameWindow::addTube(int32_t slot) {
  if (slot < 0 || slot >= NoSlot) {
    sentence.add(words::overNoTube);
    return;
  }
  addTubeState(sentence, slot, play.tubes[static_cast<size_t>(slot)]);
}

void GameWindow::addTubeState(Sentence& into, int32_t slot, int32_t state) {
  if (state == TargetEmpty) {
    into.add(words::tubeEmpty, {slot + 1});
  } else if (state == TargetSpoiled) {
    into.add(words::tubeSpoiled, {slot + 1});
  } else {
    into.add(words::tubeHolding, {slot + 1, translatedText(words::colourNames[static_cast<size_t>((state - 1) / 3)]),
                                  (state - 1) % 3 + 1});
  }
}

void GameWindow::rememberGameState() {
  announced.level = currentLevel;
  announced.sprayerSlot = slotFromX(play.sprayerX + Play::SprayerNozzle);
  announced.sprayerX = play.sprayerX;
  announced.currentColour = play.currentColour;
  announced.nextColour = play.nextColour;
  announced.shotsLeft = play.shotsLeft;
  announced.score = play.score;
  announced.keys = 0;
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    if (play.keys[k]) announced.keys |= 1u << k;
  }
  announced.claimable = play.keyRuleHolds();
  announced.timeStage = play.timeBarRunning ? timeStageOf(play.timeBarX) : 0;
  announced.landings = play.lastLanding.count;
  for (size_t slot = 0; slot < targetSlots.size(); ++slot) announced.tubes[slot] = play.tubes[slot];
}

void GameWindow::AnnounceChanges() {
  const std::string_view screen = currentScreen();
  // A leaderboard that came in while its screen is up is told as the screen anew.
  const bool entered = screen != announced.screen || (screen == "help" && helpPage != announced.helpPage) ||
                       (screen == "game" && currentLevel != announced.level) ||
                       (screen == "leaderboard" && leaderboardLink.changes != announced.leaderboardChanges);
  if (entered) {
    announced.screen = currentScreen();
    announced.helpPage = helpPage;
    announced.leaderboardChanges = leaderboardLink.changes;
    announced.focusControl = nullptr;
    announced.focusPart = -1;
    announceScreen(screen);
    if (screen == "game") rememberGameState();
    if (screen == "maker") rememberMadeBoard();
  } else if (screen == "game") {
    announceGameChanges();
  } else if (screen == "maker") {
    announceMakerChanges();
  }
  if (screen == "question") {
    announceQuestionFocus();
    return;
  }
  // The focused button, off the board where the keys are the player's.
  if (screen == "game" || screen == "splash" || !focusRingShown()) return;
  FocusStop stop;
  if (!focusedStop(*this, stop)) return;
  const std::string_view name = NameFocusStop(stop);
  const int32_t nameHash = hashOf(name);
  if (stop.control == announced.focusControl && stop.part == announced.focusPart && nameHash == announced.focusNameHash) return;
  announced.focusControl = stop.control;
  announced.focusPart = stop.part;
  announced.focusNameHash = nameHash;
  if (!name.empty()) announce(name, AnnouncementPriority::Polite);
}

// The exit question's ring, on its OK or its Cancel.
void GameWindow::announceQuestionFocus() {
  if (!focusRingShown() || !questionBox().isOpen()) return;
  const int32_t answer = questionBox().focusOnYes() ? 1 : 0;
  if (announced.focusPart == answer) return;
  announced.focusPart = answer;
  sentence.add(answer == 1 ? u"确定" : u"取消");
  sendSentence(AnnouncementPriority::Polite);
}

void GameWindow::announceGameChanges() {
  if (play.lastLanding.count != announced.landings) announceLanding();
  // Repairs: a spoiled tube that became empty without a landing.
  for (size_t slot = 0; slot < targetSlots.size(); ++slot) {
    const bool repaired = announced.tubes[slot] == TargetSpoiled && play.tubes[slot] == TargetEmpty;
    if (repaired && play.lastLanding.count == announced.landings) {
      sentence.add(words::tubeRepaired, {static_cast<int32_t>(slot) + 1, play.score});
      sendSentence(AnnouncementPriority::Polite);
    }
  }
  if (play.shotsLeft > announced.shotsLeft) {
    sentence.add(words::shotsBought, {Counted{words::shots, play.shotsLeft - announced.shotsLeft},
                                      Counted{words::shots, play.shotsLeft}, play.score});
    sendSentence(AnnouncementPriority::Polite);
  }
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    if (play.keys[k] && (announced.keys & (1u << k)) == 0) {
      sentence.add(words::keyEarned, {translatedText(words::keyNames[k])});
      sendSentence(AnnouncementPriority::Polite);
    }
  }
  if (play.keyRuleHolds() && !announced.claimable) {
    sentence.add(words::claimPossible);
    sendSentence(AnnouncementPriority::Polite);
  }
  // While Speech is on, each step is heard where the sprayer stands.
  if (play.sprayerX != announced.sprayerX && speechEnabled()) {
    const float place = static_cast<float>(play.sprayerX - Play::SprayerLeftmostX) / (Play::SprayerRightmostX - Play::SprayerLeftmostX);
    sound.playStepCue(2.0f * place - 1.0f);
  }
  const int32_t slot = slotFromX(play.sprayerX + Play::SprayerNozzle);
  if (slot != announced.sprayerSlot) {
    addTube(slot);
    sendSentence(AnnouncementPriority::Polite);
  }
  if (play.currentColour != announced.currentColour || play.nextColour != announced.nextColour) {
    sentence.add(words::loadedAndNext, {translatedText(words::colourNames[static_cast<size_t>(play.currentColour)]),
                                        translatedText(words::colourNames[static_cast<size_t>(play.nextColour)])});
    sendSentence(AnnouncementPriority::Polite);
  }
  const int32_t stage = play.timeBarRunning ? timeStageOf(play.timeBarX) : 0;
  if (stage > announced.timeStage) {
    sentence.add(words::timeStages[static_cast<size_t>(stage - 1)]);
    sendSentence(stage == 1 ? AnnouncementPriority::Polite : AnnouncementPriority::Assertive);
  }
  rememberGameState();
}

void GameWindow::announceLanding() {
  const Play::Landing& landing = play.lastLanding;
  const int32_t tube = landing.slot + 1;
  const int32_t points = play.score - announced.score;
  const auto colourName = [](int32_t colour) { return translatedText(words::colourNames[static_cast<size_t>(colour)]); };
  if (landing.toState == TargetSpoiled) {
    sentence.add(words::tubeSpoiledBy, {tube, colourName(landing.colour), Counted{words::points, -points}});
    sendSentence(AnnouncementPriority::Polite);
    return;
  }
  const int32_t fromColour = landing.fromState == TargetEmpty ? -1 : (landing.fromState - 1) / 3;
  const int32_t toColour = (landing.toState - 1) / 3;
  if (fromColour >= 0 && fromColour != toColour) {
    sentence.add(words::mixed, {colourName(fromColour), colourName(landing.colour), colourName(toColour)});
    sentence.addText(u" ");
  }
  if (landing.toState % 3 == 0) {
    sentence.add(words::tubeFilled, {tube, colourName(toColour), Counted{words::points, points}});
  } else {
    addTube(landing.slot);
  }
  sendSentence(AnnouncementPriority::Polite);
}

void GameWindow::announceScreen(std::string_view screen) {
  if (screen == "game") {
    sentence.add(words::gameEntered,
                 {currentLevel, Counted{words::points, play.targetScore}, Counted{words::shots, play.shotsLeft}});
    sentence.addText(u" ");
    addTube(slotFromX(play.sprayerX + Play::SprayerNozzle));
    sentence.addText(u" ");
    sentence.add(words::loadedAndNext, {translatedText(words::colourNames[static_cast<size_t>(play.currentColour)]),
                                        translatedText(words::colourNames[static_cast<size_t>(play.nextColour)])});
    sendSentence(AnnouncementPriority::Polite);
    return;
  }
  AnnouncementPriority priority = AnnouncementPriority::Polite;
  if (screen == "menu") {
    sentence.add(words::menuScreen);
  } else if (screen == "settings") {
    sentence.add(words::optionsScreen);
  } else if (screen == "levels") {
    sentence.add(words::levelsScreen);
  } else if (screen == "help") {
    const auto pageCount = static_cast<int32_t>(words::helpPageTexts.size());
    if (helpPage < 1 || helpPage > pageCount) return;
    sentence.add(words::helpScreen, {helpPage, pageCount});
    for (const char16_t* text : words::helpPageTexts[static_cast<size_t>(helpPage - 1)]) {
      if (text == nullptr) break;
      sentence.addText(u" ").add(text);
      endSentence();
    }
  } else if (screen == "passed") {
    sentence.add(words::levelPassed, {play.score});
    if (recordMarkPicture.IsVisible()) sentence.addText(u" ").add(words::newRecord);
    sentence.addText(u" ").add(words::choosePrompt);
    endSentence();
  } else if (screen == "gameover") {
    priority = AnnouncementPriority::Assertive;
    const bool timeUp = play.timeBarX <= 0;
    sentence.add(words::gameOver);
    sentence.addText(u" ");
    sentence.add(play.shotsLeft < 1 ? words::noShotsLeft : timeUp ? words::timeUp : words::allSpoiled);
  } else if (screen == "daily") {
    announceDailyScreen();
  } else if (screen == "watch") {
    announceWatchScreen();
  } else if (screen == "leaderboard") {
    announceLeaderboardScreen();
  } else if (screen == "maker") {
    announceMakerScreen();
  } else if (screen == "board") {
    announceBoardScreen();
  } else if (screen == "finale") {
    sentence.add(words::finale, {records.totalBestScore(), records.totalStars()});
  } else if (screen == "question") {
    priority = AnnouncementPriority::Assertive;
    sentence.add(u"感谢对Ostra游戏的支持！").addText(u" ").add(u"确定退出?").addText(u" ").add(words::answerKeys);
  } else {
    return;  // the splash says nothing
  }
  // What the screen offers: its buttons in focus order.
  if (screen != "question" && screen != "finale") {
    const std::vector<FocusStop> stops = focusStops();
    bool first = true;
    for (const FocusStop& stop : stops) {
      const std::string_view name = NameFocusStop(stop);
      if (name.empty()) continue;
      if (!first) sentence.add(words::buttonSeparator);
      sentence.addText(first ? u" " : u"").addUtf8(name);
      first = false;
    }
    if (!first) sentence.add(words::fullStop);
  }
  sendSentence(priority);
}

void GameWindow::announceStatus() {
  sentence.add(words::status, {play.score, play.targetScore, Counted{words::shots, play.shotsLeft}});
  sentence.addText(u" ");
  // The attempt's own time bar, whatever the options say now.
  const int32_t step = timeBarStepPerTick(play.timeMode);
  if (step == 0) {
    sentence.add(words::noTimeLimit);
  } else {
    const int32_t barX = play.timeBarRunning ? play.timeBarX : Play::TimeBarFullX;
    const int32_t ticks = (barX + step - 1) / step;
    const int32_t seconds = (ticks * static_cast<int32_t>(TimerPeriod::timeBar) + 999) / 1000;
    sentence.add(words::secondsLeft, {Counted{words::seconds, seconds}});
  }
  const auto held = static_cast<int32_t>(std::count(play.keys.begin(), play.keys.end(), true));
  sentence.addText(u" ").add(words::keysHeld, {Counted{words::keys, held}});
  bool firstMissing = true;
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    const bool needed = k != Play::MixedKey || play.asksMixedKey;
    if (!needed || play.keys[k]) continue;
    if (firstMissing) {
      sentence.addText(u" ").add(words::keysMissing);
    } else {
      sentence.add(words::listComma);
    }
    sentence.addText(translatedText(words::keyNames[k]));
    firstMissing = false;
  }
  if (!firstMissing) sentence.add(words::fullStop);
  sendSentence(AnnouncementPriority::Polite);
}

void GameWindow::announceAllTubes() {
  for (int32_t slot = 0; slot < NoSlot; ++slot) {
    if (slot > 0) sentence.addText(u" ");
    addTube(slot);
  }
  sendSentence(AnnouncementPriority::Polite);
}

void GameWindow::announceDailyScreen() {
  const DailyToday today = dailyToday();
  sentence.add(words::dailyScreen, {today.day, today.level}).addText(u" ");
  if (today.result) {
    sentence.add(words::dailyResult, {Counted{words::points, today.result->score}, Counted{words::stars, today.result->stars},
                                      Counted{words::shots, today.result->shots}});
    sentence.addText(u" ").add(u"今天已挑战：再玩只算练习");
    endSentence();
  } else if (today.interrupted) {
    sentence.add(u"今天的挑战中断了：再玩只算练习");
    endSentence();
  } else {
    sentence.add(words::dailyNotPlayed);
    if (today.nextIsPractice) {
      sentence.addText(u" ").add(u"时间条不是标准：只算练习");
      endSentence();
    }
  }
  sentence.addText(u" ").add(words::dailyStreak, {Counted{words::days, today.streak}, Counted{words::days, today.bestStreak}});
  if (const std::u16string line = dailyPostLine(); !line.empty()) {
    sentence.addText(u" ").addText(line);
    endSentence();
  }
}

void GameWindow::announceLeaderboardScreen() {
  sentence.add(words::leaderboardScreen, {todayDayNumber()}).addText(u" ").addText(leaderboardStatusLine());
  endSentence();
}

void GameWindow::announceWatchScreen() {
  if (!watchedRun) return;
  if (watchedRun->accepted()) {
    const runs::RunResult& result = watchedRun->result;
    sentence.add(words::watchProven, {result.day, result.level, Counted{words::points, result.score},
                                      Counted{words::stars, result.stars}, Counted{words::shots, result.shots}});
    if (result.timeMode != TimeMode::Normal) {
      sentence.addText(u" ").add(words::timeModeNames[static_cast<size_t>(result.timeMode)]);
      endSentence();
    }
  } else {
    sentence.add(words::watchRefused).addText(runRefusalMessage(watchedRun->refusal));
    endSentence();
  }
}

void GameWindow::rememberMadeBoard() {
  if (!boards.made) return;
  announced.madeBoard = boards.made->board;
  announced.madeCleared = boards.made->cleared();
}

void GameWindow::announceMakerScreen() {
  if (!boards.made) return;
  sentence.add(words::makerScreen, {Counted{words::points, boards.made->board.targetScore}}).addText(u" ");
  if (boards.made->cleared()) {
    sentence.add(words::makerCleared,
                 {Counted{words::points, maker.clearResult.score}, Counted{words::stars, maker.clearResult.stars}});
  } else {
    sentence.add(words::makerNotCleared);
  }
}

// Each edit told as it is made: a tube's new state (the focused tube's name
// tells it already), the target score, new colours, a clear taken back.
void GameWindow::announceMakerChanges() {
  if (!boards.made) return;
  const runs::MadeBoard& made = *boards.made;
  FocusStop focused;
  const bool ringOnStop = focusedStop(*this, focused);
  for (size_t slot = 0; slot < made.board.tubes.size(); ++slot) {
    if (made.board.tubes[slot] == announced.madeBoard.tubes[slot]) continue;
    if (ringOnStop && focused.control == &maker.tubes[slot]) continue;
    addTubeState(sentence, static_cast<int32_t>(slot), made.board.tubes[slot]);
    sendSentence(AnnouncementPriority::Polite);
  }
  if (made.board.targetScore != announced.madeBoard.targetScore) {
    sentence.add(words::targetScore, {Counted{words::points, made.board.targetScore}});
    sendSentence(AnnouncementPriority::Polite);
  }
  if (made.board.seed != announced.madeBoard.seed) {
    sentence.add(words::newColours);
    sendSentence(AnnouncementPriority::Polite);
  }
  if (announced.madeCleared && !made.cleared()) {
    sentence.add(words::clearTakenBack);
    sendSentence(AnnouncementPriority::Polite);
  }
  rememberMadeBoard();
}

void GameWindow::announceBoardScreen() {
  if (!receivedBoard.proof) return;
  const RunVerdict& verdict = *receivedBoard.proof;
  if (!verdict.accepted()) {
    sentence.add(words::boardRefused).addText(runRefusalMessage(verdict.refusal));
    endSentence();
    return;
  }
  const std::u16string time = utf16FromUtf8(runs::minutesAndSeconds(verdict.result.timeMs));
  sentence.add(words::boardProven, {Counted{words::points, verdict.result.score}, Counted{words::stars, verdict.result.stars},
                                    std::u16string_view(time), Counted{words::points, verdict.run.board->targetScore}});
  sentence.addText(u" ");
  const runs::BoardRecord* record = boards.received.find(runs::boardId(*verdict.run.board));
  if (record != nullptr && record->cleared) {
    sentence.add(words::boardBest, {Counted{words::points, record->bestScore}, Counted{words::stars, record->stars}});
  } else {
    sentence.add(record != nullptr && record->tried ? words::boardNotCleared : words::boardNotPlayed);
  }
}
