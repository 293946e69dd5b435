// Control ids (each also the command its control reports) and window timers.
#pragma once

#include <cstdint>

#include "play/play.hpp"

namespace ControlId {
inline constexpr int32_t helpPicture = 100;
inline constexpr int32_t toolbar = 101;
inline constexpr int32_t backgroundPicture = 102;
inline constexpr int32_t sprayerPicture = 103;
inline constexpr int32_t scoreLabel = 104;
inline constexpr int32_t levelLabel = 105;
inline constexpr int32_t splashPicture = 107;
inline constexpr int32_t menuPicture = 108;
inline constexpr int32_t settingsPanelPicture = 109;
inline constexpr int32_t overlayPicture = 112;
inline constexpr int32_t repairButton = 114;
inline constexpr int32_t passIndicator = 116;
inline constexpr int32_t buyShotsButton = 117;
inline constexpr int32_t retryButton = 118;
inline constexpr int32_t gameOverBackButton = 119;
inline constexpr int32_t firstShot = 120;
inline constexpr int32_t firstPreview = 140;
inline constexpr int32_t firstBar = 150;
inline constexpr int32_t firstTarget = 160;
inline constexpr int32_t firstKey = 170;
inline constexpr int32_t firstLightning = 180;
inline constexpr int32_t firstCloud = 190;
inline constexpr int32_t firstChoice = 200;
inline constexpr int32_t lastChoice = 209;
inline constexpr int32_t startGame = 220;
inline constexpr int32_t continueGame = 221;
inline constexpr int32_t options = 222;
inline constexpr int32_t helpButton = 223;
inline constexpr int32_t exitGame = 224;
inline constexpr int32_t levelsButton = 225;  // start menu: to the level screen
inline constexpr int32_t soundToggle = 230;
inline constexpr int32_t movementToggle = 231;
inline constexpr int32_t timeModeButton = 232;
inline constexpr int32_t vibrationToggle = 233;
inline constexpr int32_t languageButton = 234;
inline constexpr int32_t settingsBack = 235;
inline constexpr int32_t helpBack = 236;
inline constexpr int32_t levelsBack = 237;
inline constexpr int32_t firstLevelTile = 240;
inline constexpr int32_t lastLevelTile = 249;
inline constexpr int32_t levelsPicture = 250;
inline constexpr int32_t finalePicture = 251;
inline constexpr int32_t recordMark = 252;
inline constexpr int32_t firstFinaleLabel = 253;
inline constexpr int32_t levelsRecordsTimeMode = 259;  // which time bar the records are for
inline constexpr int32_t firstLevelNumber = 260;
inline constexpr int32_t firstLevelStars = 270;
inline constexpr int32_t firstLevelBestWord = 280;
inline constexpr int32_t firstLevelBest = 290;
inline constexpr int32_t helpPrevious = 238;
inline constexpr int32_t helpNext = 239;
// The daily challenge: the menu's button, the daily screen, the game screen's
// marks and the watch screen.
inline constexpr int32_t dailyButton = 400;
inline constexpr int32_t dailyPicture = 401;
inline constexpr int32_t dailyPlay = 402;
inline constexpr int32_t dailyShare = 403;
inline constexpr int32_t dailyOpenRun = 404;
inline constexpr int32_t dailyBack = 405;
inline constexpr int32_t firstDailyRow = 406;  // word 406 + 2i, value 407 + 2i
inline constexpr int32_t dailyStars = 416;
inline constexpr int32_t dailyNote = 417;
inline constexpr int32_t dailyMessage = 418;
inline constexpr int32_t practiceMark = 419;
inline constexpr int32_t ghostPicture = 420;
inline constexpr int32_t ghostWord = 421;
inline constexpr int32_t ghostScore = 422;
inline constexpr int32_t watchPicture = 430;
inline constexpr int32_t watchPlay = 431;
inline constexpr int32_t watchRace = 432;
inline constexpr int32_t watchBack = 433;
inline constexpr int32_t firstWatchRow = 434;  // word 434 + 2i, value 435 + 2i
inline constexpr int32_t watchStars = 444;
inline constexpr int32_t watchVerdict = 445;
inline constexpr int32_t watchReason = 446;
inline constexpr int32_t firstPlaybackSpeed = 447;  // 1x, 2x, 4x, pause
inline constexpr int32_t lastPlaybackSpeed = 450;
inline constexpr int32_t playbackStop = 451;
inline constexpr int32_t playbackBoard = 452;
inline constexpr int32_t playbackSprayer = 453;
inline constexpr int32_t playbackShot = 454;
inline constexpr int32_t playbackScore = 455;
inline constexpr int32_t playbackLevel = 456;
inline constexpr int32_t replayMark = 457;
inline constexpr int32_t playbackPreview = 458;
inline constexpr int32_t playbackTimeBar = 459;
inline constexpr int32_t firstPlaybackTarget = 460;
inline constexpr int32_t firstPlaybackKey = 470;
// The day's leaderboard: the daily screen's buttons and the leaderboard
// screen, whose rows are the top ten and then the player's own (index 10).
inline constexpr int32_t dailyPost = 480;
inline constexpr int32_t dailyLeaderboard = 481;
inline constexpr int32_t dailyAnotherName = 482;
inline constexpr int32_t leaderboardPicture = 483;
inline constexpr int32_t leaderboardBack = 484;
inline constexpr int32_t leaderboardStatus = 485;
inline constexpr int32_t firstLeaderboardRow = 490;  // 490..500: the rows' buttons
inline constexpr int32_t lastLeaderboardRow = 500;
inline constexpr int32_t firstLeaderboardRank = 510;   // 510..520
inline constexpr int32_t firstLeaderboardName = 530;   // 530..540
inline constexpr int32_t firstLeaderboardScore = 550;  // 550..560
// Boards players make and share: the menu's button, the maker and a received
// board's screen.
inline constexpr int32_t makeButton = 600;
inline constexpr int32_t makerPicture = 601;
inline constexpr int32_t firstMakerTube = 602;  // tubes 1..10
inline constexpr int32_t lastMakerTube = 611;
inline constexpr int32_t makerScoreDown = 612;
inline constexpr int32_t makerScoreUp = 613;
inline constexpr int32_t makerNewColours = 614;
inline constexpr int32_t makerTry = 615;
inline constexpr int32_t makerShare = 616;
inline constexpr int32_t makerOpenBoard = 617;
inline constexpr int32_t makerBack = 618;
inline constexpr int32_t makerHint = 619;
inline constexpr int32_t makerScoreWord = 620;
inline constexpr int32_t makerScoreValue = 621;
inline constexpr int32_t makerStatus = 622;
inline constexpr int32_t makerMessage = 623;
inline constexpr int32_t boardPicture = 630;
inline constexpr int32_t firstBoardTube = 631;  // tubes 1..10
inline constexpr int32_t boardVerdict = 641;
inline constexpr int32_t boardReason = 642;
inline constexpr int32_t firstBoardRow = 643;  // word 643 + 2i, value 644 + 2i
inline constexpr int32_t boardMakerStars = 651;
inline constexpr int32_t boardBestStars = 652;
inline constexpr int32_t boardNote = 653;
inline constexpr int32_t boardPlay = 654;
inline constexpr int32_t boardRace = 655;
inline constexpr int32_t boardWatch = 656;
inline constexpr int32_t boardBack = 657;

inline constexpr int32_t speechToggle = 300;
}  // namespace ControlId

// The toolbar's three buttons, by index.
namespace ToolbarButton {
inline constexpr int32_t claim = 0;
inline constexpr int32_t fire = 1;
inline constexpr int32_t back = 2;
}  // namespace ToolbarButton

namespace TimerId {
inline constexpr uint32_t shot = 110;       // 50 ms: the falling shot
inline constexpr uint32_t timeBar = 111;    // 250 ms: the time bar
inline constexpr uint32_t splash = 115;     // 3000 ms: end of the splash
inline constexpr uint32_t lightning = 186;  // 10 ms: the spoil animation
inline constexpr uint32_t cloud = 196;      // 30 ms: drifting clouds
inline constexpr uint32_t glide = 197;      // 10 ms: the sprayer gliding (movement switch on)
inline constexpr uint32_t playback = 198;   // 50 ms: a watched run played back
inline constexpr uint32_t ghost = 199;      // 50 ms: the raced run's ghost drawn anew
}  // namespace TimerId

namespace TimerPeriod {
inline constexpr uint32_t shot = Play::ShotClockMs;
inline constexpr uint32_t timeBar = Play::TimeBarClockMs;
inline constexpr uint32_t splash = 3000;
inline constexpr uint32_t lightning = 10;
inline constexpr uint32_t cloud = 30;
inline constexpr uint32_t glide = 10;
inline constexpr uint32_t playback = 50;
inline constexpr uint32_t ghost = 50;
}  // namespace TimerPeriod

// The sounds of the sound player the window plays itself, by index; play's
// own come with its effects (PlaySound).
namespace SoundId {
inline constexpr uint32_t music = 3;
inline constexpr uint32_t ready = 7;
inline constexpr uint32_t exit = 8;
}  // namespace SoundId
