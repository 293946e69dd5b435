// The catalogue texts of the announcements (msgids; {1}, {2}... are filled in
// by Sentence::add, a number with its word as a counted word of
// counted_words.hpp), kept together so that their translations stay in step.
#pragma once

#include <array>

#include "rules/time_mode.hpp"

namespace words {

// The time bar's modes, by TimeMode.
inline constexpr std::array<const char16_t*, TimeModeCount> timeModeNames = {u"标准", u"宽松", u"不限时"};
inline constexpr std::array<const char16_t*, 6> colourNames = {u"红色", u"黄色", u"橙色",
                                                              u"绿色", u"蓝色", u"紫色"};
// Keys 0..5 are the colours' own; 6 the rainbow key, 7 the gold key.
inline constexpr std::array<const char16_t*, 8> keyNames = {u"红色", u"黄色", u"橙色", u"绿色",
                                                           u"蓝色", u"紫色", u"彩虹", u"金色"};

inline constexpr const char16_t* menuScreen = u"主菜单。";
inline constexpr const char16_t* optionsScreen = u"选项设置。";
inline constexpr const char16_t* levelsScreen = u"选择关卡。";
inline constexpr const char16_t* helpScreen = u"游戏说明，第{1}页，共{2}页。";
inline constexpr const char16_t* levelPassed = u"过关啦！得分{1}。";
inline constexpr const char16_t* newRecord = u"新纪录！";
inline constexpr const char16_t* choosePrompt = u"选一个你最珍惜的，进入下一关";
inline constexpr const char16_t* gameOver = u"游戏结束。";
inline constexpr const char16_t* timeUp = u"时间到了。";
inline constexpr const char16_t* noShotsLeft = u"发射次数用完了。";
inline constexpr const char16_t* allSpoiled = u"试管全坏了。";
inline constexpr const char16_t* finale = u"全部十关通关！总分{1}，星星{2}/30。按任意键返回。";
inline constexpr const char16_t* answerKeys = u"按Y确定，按N取消。";

inline constexpr const char16_t* gameEntered = u"第{1}关，目标{2}，{3}。";
inline constexpr const char16_t* overNoTube = u"不在试管上方。";
inline constexpr const char16_t* tubeEmpty = u"第{1}管，空。";
inline constexpr const char16_t* tubeSpoiled = u"第{1}管，坏了。";
inline constexpr const char16_t* tubeHolding = u"第{1}管，{2}，{3}/3。";
inline constexpr const char16_t* loadedAndNext = u"装着{1}，下一个{2}。";
inline constexpr const char16_t* tubeFilled = u"第{1}管装满{2}，加{3}。";
inline constexpr const char16_t* mixed = u"{1}加{2}混成{3}。";
inline constexpr const char16_t* tubeSpoiledBy = u"第{1}管被{2}弄坏了，扣{3}。";
inline constexpr const char16_t* keyEarned = u"得到钥匙：{1}。";
inline constexpr const char16_t* claimPossible = u"钥匙齐了，按回车营救过关。";
inline constexpr std::array<const char16_t*, 3> timeStages = {u"时间剩一半。", u"时间剩四分之一。",
                                                             u"时间快到了！"};
inline constexpr const char16_t* tubeRepaired = u"第{1}管修好了。得分{2}。";
inline constexpr const char16_t* shotsBought = u"买了{1}，剩{2}。得分{3}。";

inline constexpr const char16_t* status = u"得分{1}，目标{2}，剩{3}。";
inline constexpr const char16_t* noTimeLimit = u"不限时。";
inline constexpr const char16_t* secondsLeft = u"时间剩{1}。";
inline constexpr const char16_t* keysHeld = u"有{1}。";
inline constexpr const char16_t* keysMissing = u"还缺：";
// Between the items of a list, and after its last.
inline constexpr const char16_t* listComma = u"、";
inline constexpr const char16_t* fullStop = u"。";
// Between the buttons a screen offers (their names hold commas of their own).
inline constexpr const char16_t* buttonSeparator = u"；";

// Buttons: name, and state where it has one.
inline constexpr const char16_t* nameAndState = u"{1}，{2}";
inline constexpr const char16_t* on = u"开";
inline constexpr const char16_t* off = u"关";
inline constexpr const char16_t* glide = u"平滑移动";
inline constexpr const char16_t* speech = u"朗读";
inline constexpr const char16_t* previousPage = u"上一页";
inline constexpr const char16_t* nextPage = u"下一页";
inline constexpr std::array<const char16_t*, 10> choiceWords = {
    u"车子", u"房子", u"孩子", u"金钱", u"老婆", u"妈妈", u"朋友", u"情人", u"同学", u"兄弟"};
inline constexpr const char16_t* levelTile = u"第{1}关";
inline constexpr const char16_t* levelLocked = u"第{1}关，未解锁";
inline constexpr const char16_t* levelClaimed = u"第{1}关，{2}，最高分{3}";
inline constexpr const char16_t* keysPage = u"方向键移动喷壶，空格发射，回车营救，R修复，B买弹，Esc回菜单。A重复上一句，S报告状态，T报告十支试管。";

// The daily challenge and shared runs.
inline constexpr const char16_t* dailyScreen = u"每日挑战第{1}天，第{2}关。";
inline constexpr const char16_t* dailyResult = u"今天的成绩：{1}，{2}，{3}。";
inline constexpr const char16_t* dailyNotPlayed = u"今天还没玩。";
inline constexpr const char16_t* dailyStreak = u"连续{1}，最佳连续{2}。";
inline constexpr const char16_t* watchProven = u"观看记录。已验证：第{1}天，第{2}关，{3}，{4}，{5}。";
inline constexpr const char16_t* watchRefused = u"观看记录。无法验证：";
inline constexpr const char16_t* playbackSpeed = u"{1}倍速";

// The day's leaderboard.
inline constexpr const char16_t* leaderboardScreen = u"排行榜，第{1}天。";
inline constexpr const char16_t* boardRow = u"第{1}名，{2}，{3}，{4}";
inline constexpr const char16_t* ownBoardRow = u"你的成绩：第{1}名，{2}，{3}，{4}";

// Boards players make and share.
inline constexpr const char16_t* makerScreen = u"做关卡，目标{1}。";
inline constexpr const char16_t* targetScore = u"目标{1}。";
inline constexpr const char16_t* newColours = u"换了新颜色。";
inline constexpr const char16_t* makerCleared = u"已通关：{1}，{2}。可以分享了。";
inline constexpr const char16_t* makerNotCleared = u"还没通关：通关后才能分享。";
inline constexpr const char16_t* clearTakenBack = u"关卡改了，要再通关一次才能分享。";
inline constexpr const char16_t* boardProven = u"分享的关卡。作者已通关：{1}，{2}，用时{3}。目标{4}。";
inline constexpr const char16_t* boardBest = u"你的最好成绩：{1}，{2}。";
inline constexpr const char16_t* boardNotPlayed = u"你还没玩过。";
inline constexpr const char16_t* boardNotCleared = u"你还没通关。";
inline constexpr const char16_t* boardRefused = u"分享的关卡。无法验证：";

// The help's pages as read aloud: the texts drawn on each page (existing
// catalogue texts), up to ten.
inline constexpr std::array<std::array<const char16_t*, 10>, 5> helpPageTexts = {{
    {u"目标", u"把颜色喷进下面的十支试管，集齐本关的钥匙，再按“营救”过关。", u"移动",
     u"点屏幕左半边或右半边，喷壶就向那边挪一格，也可以按住拖动。", u"发射",
     u"按“发泄”，把“下一个”里的颜色喷进正下方的试管。"},
    {u"同色装满三格得50分和这个颜色的钥匙。两种原色混成间色；颜色不对试管就坏了，扣30分。",
     u"六色钥匙各一把；两种原色调满一管间色得彩虹钥匙；分数达到本关目标得金钥匙。", nullptr},
    {u"钥匙集齐，左下角的笑脸亮起，按“营救”过关。第一关不要彩虹钥匙。", u"购买",
     u"各花50分：试管键修好一支坏试管，水滴键多买25发。", u"时间",
     u"10秒不发射，底部的时间条就走完（选项里可以放宽）。时间走完、100发用完或试管全坏，游戏结束。", nullptr},
    {u"键盘", keysPage, u"菜单里用方向键或Tab选按钮，回车按下。", nullptr},
    {u"声音", u"音效和背景音乐。", glide, u"喷壶平滑地滑过去，不再一格一格地跳。", u"时间条",
     u"标准10秒，宽松30秒，不限时则时间条不走。宽松和不限时不记成绩。", u"振动",
     u"试管坏掉、完成颜色和游戏结束时，手机或手柄会振动。", speech, u"用语音读出游戏。"},
}};

}  // namespace words
