// The names of the buttons, with their state, in the shown language: what the
// focus ring announces and what a page's mirror of the buttons is called.
#include <string_view>

#include "platform/language/language.hpp"
#include "rules/level_table.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/counted_words.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr std::array<const char16_t*, 5> menuNames = {u"开始游戏", u"继续游戏", u"选项设置", u"帮助说明",
                                                      u"退出游戏"};
constexpr std::array<const char16_t*, 3> toolbarNames = {u"营救", u"发泄", u"返回"};

}  // namespace

std::string_view GameWindow::NameFocusStop(const FocusStop& stop) const {
  buttonName.clear();
  if (stop.control == nullptr) return {};
  const int32_t id = stop.control->GetID();
  const auto withState = [this](const char16_t* name, bool on) {
    buttonName.add(words::nameAndState, {translatedText(name), translatedText(on ? words::on : words::off)});
  };
  if (id >= ControlId::startGame && id <= ControlId::exitGame) {
    buttonName.add(menuNames[static_cast<size_t>(id - ControlId::startGame)]);
  } else if (id == ControlId::levelsButton) {
    buttonName.add(u"选关");
  } else if (id == ControlId::soundToggle) {
    withState(u"声音", sound.enabled);
  } else if (id == ControlId::movementToggle) {
    withState(words::glide, movementOn);
  } else if (id == ControlId::vibrationToggle) {
    withState(u"振动", options.vibration);
  } else if (id == ControlId::speechToggle) {
    withState(words::speech, options.speech);
  } else if (id == ControlId::timeModeButton) {
    buttonName.add(words::nameAndState, {translatedText(u"时间条"),
                                         translatedText(words::timeModeNames[static_cast<size_t>(options.timeMode)])});
  } else if (id == ControlId::languageButton) {
    buttonName.add(words::nameAndState, {translatedText(u"语言"), translatedText(u"中文")});
  } else if (id == ControlId::settingsBack || id == ControlId::helpBack || id == ControlId::levelsBack) {
    buttonName.add(u"返回");
  } else if (id == ControlId::helpPrevious) {
    buttonName.add(words::previousPage);
  } else if (id == ControlId::helpNext) {
    buttonName.add(words::nextPage);
  } else if (id >= ControlId::firstLevelTile && id <= ControlId::lastLevelTile) {
    const int32_t level = FirstLevel + id - ControlId::firstLevelTile;
    const LevelRecord& record = records.level(level);
    if (level > highestReachedLevel()) {
      buttonName.add(words::levelLocked, {level});
    } else if (record.claims > 0) {
      buttonName.add(words::levelClaimed, {level, Counted{words::stars, record.stars}, record.bestScore});
    } else {
      buttonName.add(words::levelTile, {level});
    }
  } else if (id >= ControlId::firstChoice && id <= ControlId::lastChoice) {
    buttonName.add(words::choiceWords[static_cast<size_t>(id - ControlId::firstChoice)]);
  } else if (id == ControlId::retryButton) {
    buttonName.add(u"重新开始");
  } else if (id == ControlId::gameOverBackButton) {
    buttonName.add(u"返回设置");
  } else if (id == ControlId::toolbar && stop.part >= 0 && stop.part < 3) {
    buttonName.add(toolbarNames[static_cast<size_t>(stop.part)]);
  } else if (id == ControlId::repairButton) {
    buttonName.add(u"修复");
  } else if (id == ControlId::buyShotsButton) {
    buttonName.add(u"买弹");
  } else if (id == ControlId::passIndicator) {
    buttonName.add(u"营救");
  } else if (id == ControlId::dailyButton) {
    buttonName.add(u"每日挑战");
  } else if (id == ControlId::dailyPlay) {
    buttonName.add(u"开始挑战");
  } else if (id == ControlId::dailyShare) {
    buttonName.add(u"分享");
  } else if (id == ControlId::dailyOpenRun) {
    buttonName.add(u"打开记录");
  } else if (id == ControlId::watchPlay) {
    buttonName.add(u"播放回放");
  } else if (id == ControlId::watchRace) {
    buttonName.add(u"比赛这一局");
  } else if (id == ControlId::dailyBack || id == ControlId::watchBack || id == ControlId::playbackStop) {
    buttonName.add(u"返回");
  } else if (id == ControlId::dailyPost) {
    buttonName.add(u"发布");
  } else if (id == ControlId::dailyLeaderboard) {
    buttonName.add(u"排行榜");
  } else if (id == ControlId::dailyAnotherName) {
    buttonName.add(u"换个名字");
  } else if (id == ControlId::leaderboardBack) {
    buttonName.add(u"返回");
  } else if (id >= ControlId::firstLeaderboardRow && id <= ControlId::lastLeaderboardRow) {
    const auto index = static_cast<size_t>(id - ControlId::firstLeaderboardRow);
    if (const auto& row = leaderboardScreen.shown[index]) {
      buttonName.add(index == OwnRowIndex ? words::ownBoardRow : words::boardRow,
                     {row->rank, std::u16string_view(playerNameText(row->name)), Counted{words::points, row->score},
                      Counted{words::stars, row->stars}});
    }
  } else if (id >= ControlId::firstPlaybackSpeed && id < ControlId::lastPlaybackSpeed) {
    buttonName.add(words::playbackSpeed, {1 << (id - ControlId::firstPlaybackSpeed)});
  } else if (id == ControlId::lastPlaybackSpeed) {
    buttonName.add(u"暂停");
  } else if (id == ControlId::makeButton) {
    buttonName.add(u"做关卡");
  } else if (id >= ControlId::firstMakerTube && id <= ControlId::lastMakerTube && boards.made) {
    // The tube's words without their full stop, as a button's name.
    const int32_t slot = id - ControlId::firstMakerTube;
    Sentence tube;
    addTubeState(tube, slot, boards.made->board.tubes[static_cast<size_t>(slot)]);
    std::string_view name = tube.view();
    for (const std::string_view stop : {".", "\xe3\x80\x82"}) {
      if (name.ends_with(stop)) name.remove_suffix(stop.size());
    }
    buttonName.addUtf8(name);
  } else if (id == ControlId::makerScoreDown) {
    buttonName.add(u"降低目标分数");
  } else if (id == ControlId::makerScoreUp) {
    buttonName.add(u"提高目标分数");
  } else if (id == ControlId::makerNewColours) {
    buttonName.add(u"换颜色");
  } else if (id == ControlId::makerTry) {
    buttonName.add(u"试玩");
  } else if (id == ControlId::makerShare) {
    buttonName.add(u"分享");
  } else if (id == ControlId::makerOpenBoard) {
    buttonName.add(u"打开关卡");
  } else if (id == ControlId::boardPlay) {
    buttonName.add(u"开始挑战");
  } else if (id == ControlId::boardRace) {
    buttonName.add(u"比赛这一局");
  } else if (id == ControlId::boardWatch) {
    buttonName.add(u"播放回放");
  } else if (id == ControlId::makerBack || id == ControlId::boardBack) {
    buttonName.add(u"返回");
  }
  return buttonName.view();
}
