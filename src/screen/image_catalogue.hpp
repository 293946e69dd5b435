// Every picture file the game shows (relative to the executable's directory)
// and the ids of the button pictures compiled into the executable.
#pragma once

#include <array>
#include <cstdint>

#include "screen/shared_images.hpp"

namespace ImageFile {
inline constexpr const char16_t* background = u"/Images/bg.jpg";
inline constexpr const char16_t* sprayer = u"/Images/penqi.png";
inline constexpr const char16_t* splash = u"/Images/splash.png";
inline constexpr const char16_t* menu = u"/Images/start.png";
inline constexpr const char16_t* settingsPanel = u"/Images/set.png";
inline constexpr const char16_t* timeBar = u"/Images/p0.png";
inline constexpr const char16_t* cloud = u"/Images/darkclouds.png";
inline constexpr const char16_t* levelPassed = u"/Images/past.png";
inline constexpr const char16_t* gameOver = u"/Images/gameover.png";
inline constexpr const char16_t* levels = u"/Images/levels.png";
inline constexpr const char16_t* finale = u"/Images/finale.png";
inline constexpr const char16_t* recordMark = u"/Images/record.png";
inline constexpr const char16_t* daily = u"/Images/daily.png";
inline constexpr const char16_t* watch = u"/Images/watch.png";
inline constexpr const char16_t* practiceMark = u"/Images/practice.png";
inline constexpr const char16_t* replayMark = u"/Images/replay.png";
inline constexpr const char16_t* ghost = u"/Images/ghost.png";
inline constexpr const char16_t* leaderboard = u"/Images/leaderboard.png";
inline constexpr const char16_t* maker = u"/Images/maker.png";
inline constexpr const char16_t* sharedBoard = u"/Images/board.png";
// Indexed by the number of stars won.
inline constexpr std::array<const char16_t*, 4> stars = {
    u"/Images/stars0.png", u"/Images/stars1.png", u"/Images/stars2.png", u"/Images/stars3.png"};

// Indexed by TargetState; the last entry is loaded but shown by no state.
inline constexpr std::array<const char16_t*, TargetImageCount> targets = {
    u"/Images/map0.png",  u"/Images/map1.png",  u"/Images/map2.png",  u"/Images/map3.png",
    u"/Images/map4.png",  u"/Images/map5.png",  u"/Images/map6.png",  u"/Images/map7.png",
    u"/Images/map8.png",  u"/Images/map9.png",  u"/Images/map10.png", u"/Images/map11.png",
    u"/Images/map12.png", u"/Images/map13.png", u"/Images/map14.png", u"/Images/map15.png",
    u"/Images/map16.png", u"/Images/map17.png", u"/Images/map18.png", u"/Images/bom.png",
    u"/Images/map19.png"};
inline constexpr std::array<const char16_t*, KeyCount> keys = {
    u"/Images/key0.png", u"/Images/key1.png", u"/Images/key2.png", u"/Images/key3.png",
    u"/Images/key4.png", u"/Images/key5.png", u"/Images/key6.png", u"/Images/key7.png"};
// Indexed by ShotColour.
inline constexpr std::array<const char16_t*, 6> shots = {
    u"/Images/color0.png", u"/Images/color1.png", u"/Images/color2.png",
    u"/Images/color3.png", u"/Images/color4.png", u"/Images/color5.png"};
inline constexpr std::array<const char16_t*, 6> previews = {
    u"/Images/c0.png", u"/Images/c1.png", u"/Images/c2.png",
    u"/Images/c3.png", u"/Images/c4.png", u"/Images/c5.png"};
// The help's pages, in reading order.
inline constexpr std::array<const char16_t*, 5> helpPages = {
    u"/Images/help.png", u"/Images/help2.png", u"/Images/help3.png", u"/Images/help4.png",
    u"/Images/help5.png"};
inline constexpr std::array<const char16_t*, 4> lightning = {
    u"/Images/sd0.png", u"/Images/sd1.png", u"/Images/sd2.png", u"/Images/sd3.png"};
}  // namespace ImageFile

// Button pictures compiled into the executable. A button's pair is loaded as
// (first, second) in this order.
namespace ImageResource {
inline constexpr uint32_t repairDim = 101;
inline constexpr uint32_t repairLit = 102;
inline constexpr uint32_t passDim = 103;
inline constexpr uint32_t passLit = 104;
inline constexpr uint32_t buyDim = 105;
inline constexpr uint32_t buyLit = 106;
// Choice word i: lit 108 + 2i, dim 109 + 2i.
inline constexpr uint32_t choiceLitFirst = 108;
// Menu buttons start, continue, options, help, exit: lit, then dim (+1).
inline constexpr std::array<uint32_t, 5> menuLit = {134, 128, 136, 132, 130};
inline constexpr uint32_t switchOn = 140;
inline constexpr uint32_t switchOff = 141;
// The time bar's modes Normal, Relaxed, Off, in TimeMode's order.
inline constexpr uint32_t timeModeFirst = 180;
// The language button: the active language's own name, lit and dim.
inline constexpr uint32_t languageLit = 183;
inline constexpr uint32_t languageDim = 184;
inline constexpr uint32_t backLit = 138;
inline constexpr uint32_t backDim = 139;
// Game-over buttons retry, back: lit, then dim (+1).
inline constexpr std::array<uint32_t, 2> gameOverLit = {144, 142};
inline constexpr uint32_t levelsLit = 146;
inline constexpr uint32_t levelsDim = 147;
inline constexpr uint32_t levelTile = 148;
inline constexpr uint32_t levelTilePressed = 149;
inline constexpr uint32_t levelLocked = 150;
// The help's previous and next page: lit, then dim (+1).
inline constexpr std::array<uint32_t, 2> pageArrowLit = {160, 162};
// The daily challenge's buttons: lit, then dim (+1).
inline constexpr uint32_t dailyLit = 210;
inline constexpr uint32_t dailyPlayLit = 212;
inline constexpr uint32_t dailyShareLit = 214;
inline constexpr uint32_t openRunLit = 216;
inline constexpr uint32_t raceLit = 218;
inline constexpr uint32_t watchLit = 220;
// The playback's 1x, 2x, 4x and pause: lit, then dim (+1).
inline constexpr uint32_t firstSpeedLit = 222;
// The day's leaderboard: the daily screen's Post, Leaderboard and Another
// name, a row of the leaderboard and the player's own row: lit, then dim (+1).
inline constexpr uint32_t postLit = 230;
inline constexpr uint32_t leaderboardLit = 232;
inline constexpr uint32_t anotherNameLit = 234;
inline constexpr uint32_t boardRowLit = 236;
inline constexpr uint32_t ownRowLit = 238;
// Boards players make: the menu's button and the maker's: lit, then dim (+1).
inline constexpr uint32_t makeLit = 300;
inline constexpr uint32_t scoreDownLit = 302;
inline constexpr uint32_t scoreUpLit = 304;
inline constexpr uint32_t newColoursLit = 306;
inline constexpr uint32_t tryLit = 308;
inline constexpr uint32_t openBoardLit = 310;
}  // namespace ImageResource
