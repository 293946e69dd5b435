// Control ids (each also the command its control reports) and window timers.
#pragma once

#include <cstdint>

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
}  // namespace TimerId

namespace TimerPeriod {
inline constexpr uint32_t shot = 50;
inline constexpr uint32_t timeBar = 250;
inline constexpr uint32_t splash = 3000;
inline constexpr uint32_t lightning = 10;
inline constexpr uint32_t cloud = 30;
inline constexpr uint32_t glide = 10;
}  // namespace TimerPeriod

// The sounds of the sound player, by index.
namespace SoundId {
inline constexpr uint32_t shot = 1;
inline constexpr uint32_t music = 3;
inline constexpr uint32_t completed = 4;
inline constexpr uint32_t spoiled = 5;
inline constexpr uint32_t repaired = 6;
inline constexpr uint32_t ready = 7;
inline constexpr uint32_t exit = 8;
}  // namespace SoundId
