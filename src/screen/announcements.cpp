// Play by ear: after every event and timer the window words what changed since
// it last spoke (a screen entered, the focus moved, a step, a shot's outcome,
// the time running out) and hands the sentences to the announcement door.
#include <string_view>

#include "platform/focus_navigation.hpp"
#include "platform/language/language.hpp"
#include "platform/message_loop.hpp"
#include "platform/question_box.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"
#include "rules/time_mode.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/run_messages.hpp"

namespace {

constexpr int32_t SprayerNozzle = 40;  // a shot starts this far right of the sprayer
constexpr int32_t TimeBarWidth = 480;
// Where the sprayer can stand, for the place of its step sound.
constexpr int32_t SprayerLeftmostX = 105;
constexpr int32_t SprayerRightmostX = 427;

// 0 while more than half the time is left, then 1 (half), 2 (a quarter), 3 (a tenth).
int32_t timeStageOf(int32_t barX) {
  if (barX * 10 <= TimeBarWidth) return 3;
  if (barX * 4 <= TimeBarWidth) return 2;
  if (barX * 2 <= TimeBarWidth) return 1;
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
  const int32_t state = targetSlots[static_cast<size_t>(slot)].state;
  if (state == TargetEmpty) {
    sentence.add(words::tubeEmpty, {slot + 1});
  } else if (state == TargetSpoiled) {
    sentence.add(words::tubeSpoiled, {slot + 1});
  } else {
    sentence.add(words::tubeHolding, {slot + 1, translatedText(words::colourNames[static_cast<size_t>((state - 1) / 3)]),
                                      (state - 1) % 3 + 1});
  }
}

void GameWindow::rememberGameState() {
  announced.level = currentLevel;
  announced.sprayerSlot = slotFromX(sprayerX + SprayerNozzle);
  announced.sprayerX = sprayerX;
  announced.currentColour = currentColour;
  announced.nextColour = nextColour;
  announced.shotsLeft = shotsLeft;
  announced.score = score;
  announced.keys = 0;
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    if (keyPictures[k].earned) announced.keys |= 1u << k;
  }
  announced.claimable = keyRuleHolds();
  announced.timeStage = timeBarRunning && timeBar != nullptr ? timeStageOf(timeBar->GetPosX()) : 0;
  announced.landings = lastLanding.count;
  for (size_t slot = 0; slot < targetSlots.size(); ++slot) announced.tubes[slot] = targetSlots[slot].state;
}

void GameWindow::AnnounceChanges() {
  const std::string_view screen = currentScreen();
  const bool entered = screen != announced.screen || (screen == "help" && helpPage != announced.helpPage) ||
                       (screen == "game" && currentLevel != announced.level);
  if (entered) {
    announced.screen = currentScreen();
    announced.helpPage = helpPage;
    announced.focusControl = nullptr;
    announced.focusPart = -1;
    announceScreen(screen);
    if (screen == "game") rememberGameState();
  } else if (screen == "game") {
    announceGameChanges();
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
  if (lastLanding.count != announced.landings) announceLanding();
  // Repairs: a spoiled tube that became empty without a landing.
  for (size_t slot = 0; slot < targetSlots.size(); ++slot) {
    const bool repaired = announced.tubes[slot] == TargetSpoiled && targetSlots[slot].state == TargetEmpty;
    if (repaired && lastLanding.count == announced.landings) {
      sentence.add(words::tubeRepaired, {static_cast<int32_t>(slot) + 1, score});
      sendSentence(AnnouncementPriority::Polite);
    }
  }
  if (shotsLeft > announced.shotsLeft) {
    sentence.add(words::shotsBought, {shotsLeft - announced.shotsLeft, shotsLeft, score});
    sendSentence(AnnouncementPriority::Polite);
  }
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    if (keyPictures[k].earned && (announced.keys & (1u << k)) == 0) {
      sentence.add(words::keyEarned, {translatedText(words::keyNames[k])});
      sendSentence(AnnouncementPriority::Polite);
    }
  }
  if (keyRuleHolds() && !announced.claimable) {
    sentence.add(words::claimPossible);
    sendSentence(AnnouncementPriority::Polite);
  }
  // While Speech is on, each step is heard where the sprayer stands.
  if (sprayerX != announced.sprayerX && speechEnabled()) {
    const float place = static_cast<float>(sprayerX - SprayerLeftmostX) / (SprayerRightmostX - SprayerLeftmostX);
    sound.playStepCue(2.0f * place - 1.0f);
  }
  const int32_t slot = slotFromX(sprayerX + SprayerNozzle);
  if (slot != announced.sprayerSlot) {
    addTube(slot);
    sendSentence(AnnouncementPriority::Polite);
  }
  if (currentColour != announced.currentColour || nextColour != announced.nextColour) {
    sentence.add(words::loadedAndNext, {translatedText(words::colourNames[static_cast<size_t>(currentColour)]),
                                        translatedText(words::colourNames[static_cast<size_t>(nextColour)])});
    sendSentence(AnnouncementPriority::Polite);
  }
  const int32_t stage = timeBarRunning && timeBar != nullptr ? timeStageOf(timeBar->GetPosX()) : 0;
  if (stage > announced.timeStage) {
    sentence.add(words::timeStages[static_cast<size_t>(stage - 1)]);
    sendSentence(stage == 1 ? AnnouncementPriority::Polite : AnnouncementPriority::Assertive);
  }
  rememberGameState();
}

void GameWindow::announceLanding() {
  const Landing& landing = lastLanding;
  const int32_t tube = landing.slot + 1;
  const int32_t points = score - announced.score;
  const auto colourName = [](int32_t colour) { return translatedText(words::colourNames[static_cast<size_t>(colour)]); };
  if (landing.toState == TargetSpoiled) {
    sentence.add(words::tubeSpoiledBy, {tube, colourName(landing.colour), -points});
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
    sentence.add(words::tubeFilled, {tube, colourName(toColour), points});
  } else {
    addTube(landing.slot);
  }
  sendSentence(AnnouncementPriority::Polite);
}

void GameWindow::announceScreen(std::string_view screen) {
  if (screen == "game") {
    sentence.add(words::gameEntered, {currentLevel, levelTargetScore, shotsLeft});
    sentence.addText(u" ");
    addTube(slotFromX(sprayerX + SprayerNozzle));
    sentence.addText(u" ");
    sentence.add(words::loadedAndNext, {translatedText(words::colourNames[static_cast<size_t>(currentColour)]),
                                        translatedText(words::colourNames[static_cast<size_t>(nextColour)])});
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
    sentence.add(words::levelPassed, {score});
    if (recordMarkPicture.IsVisible()) sentence.addText(u" ").add(words::newRecord);
    sentence.addText(u" ").add(words::choosePrompt);
    endSentence();
  } else if (screen == "gameover") {
    priority = AnnouncementPriority::Assertive;
    const bool timeUp = timeBar != nullptr && timeBar->GetPosX() <= 0;
    sentence.add(words::gameOver);
    sentence.addText(u" ");
    sentence.add(shotsLeft < 1 ? words::noShotsLeft : timeUp ? words::timeUp : words::allSpoiled);
  } else if (screen == "daily") {
    announceDailyScreen();
  } else if (screen == "watch") {
    announceWatchScreen();
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
  sentence.add(words::status, {score, levelTargetScore, shotsLeft});
  sentence.addText(u" ");
  const int32_t step = timeBarStepPerTick(options.timeMode);
  if (step == 0) {
    sentence.add(words::noTimeLimit);
  } else {
    const int32_t barX = timeBar != nullptr && timeBarRunning ? timeBar->GetPosX() : TimeBarWidth;
    const int32_t ticks = (barX + step - 1) / step;
    sentence.add(words::secondsLeft, {(ticks * static_cast<int32_t>(TimerPeriod::timeBar) + 999) / 1000});
  }
  int32_t held = 0;
  for (const KeySprite& key : keyPictures) held += key.earned ? 1 : 0;
  sentence.addText(u" ").add(words::keysHeld, {held});
  bool firstMissing = true;
  for (size_t k = 0; k < keyPictures.size(); ++k) {
    const bool needed = !(k == 6 && currentLevel <= 1);
    if (!needed || keyPictures[k].earned) continue;
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
    sentence.add(words::dailyResult, {today.result->score, today.result->stars, today.result->shots});
    sentence.addText(u" ").add(u"今天已挑战：再玩只算练习");
    endSentence();
  } else {
    sentence.add(words::dailyNotPlayed);
    if (today.nextIsPractice) {
      sentence.addText(u" ").add(u"时间条不是标准：只算练习");
      endSentence();
    }
  }
  sentence.addText(u" ").add(words::dailyStreak, {today.streak, today.bestStreak});
}

void GameWindow::announceWatchScreen() {
  if (!watchedRun) return;
  if (watchedRun->accepted()) {
    const runs::RunResult& result = watchedRun->result;
    sentence.add(words::watchProven, {result.day, result.level, result.score, result.stars, result.shots});
  } else {
    sentence.add(words::watchRefused).addText(runRefusalMessage(watchedRun->refusal));
    endSentence();
  }
}
