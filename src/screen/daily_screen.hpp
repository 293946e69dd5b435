// The controls of the daily challenge's screens: the daily screen (today's
// level, result and streaks, Play, Share, Open a run), the watch screen (a
// shared run's proven result, its playback and Race), and what the game
// screen adds during daily play (the practice mark, the raced run's ghost).
// GameWindow holds one of each.
#pragma once

#include <array>
#include <memory>
#include <span>

#include "platform/imaging.hpp"
#include "platform/ui_controls.hpp"
#include "play/run_proof.hpp"
#include "screen/control_group.hpp"
#include "screen/shared_images.hpp"

// A word and its value on one row of a panel.
struct PanelRow {
  UiStatic word;
  UiStatic value;
};

// A panel's rows, one every PanelRowStep pixels from `top`: each row's word
// (`words`, in order) on the left and its value on the right, with the ids
// firstId, firstId + 1 (the first row's word and value), firstId + 2, ...
inline constexpr int32_t PanelRowStep = 44;
void addPanelRows(CMzWndEx& window, std::span<PanelRow> rows, std::span<const char16_t* const> words,
                  int32_t firstId, int32_t top);

// An image button with its own pair of pictures (lit at rest, dim pressed).
struct PanelButton {
  UiButton_Image button;
  ImageContainer images;
  ImagingHelper* lit = nullptr;
  ImagingHelper* dim = nullptr;
};

struct DailyScreenControls {
  static constexpr size_t Rows = 5;  // day, level, today's result, streak, best streak
  UiPicture picture;                 // full screen
  std::array<PanelRow, Rows> rows;
  UiPicture stars;  // today's result's stars
  UiStatic note;    // before play: this attempt is practice
  // After Share or Open a run: copied, nothing found; else, with a
  // leaderboard, today's post or the player's name.
  UiStatic message;
  PanelButton play;
  PanelButton share;
  PanelButton openRun;
  PanelButton back;
  // With a leaderboard: its screen, posting today's run, another name.
  PanelButton leaderboard;
  PanelButton post;
  PanelButton anotherName;
  ControlGroup controls;            // shown whenever the screen is
  ControlGroup leaderboardButtons;  // shown with a leaderboard
};

// The playback's speeds, in the order of their buttons; 0 is pause.
// Where the practice and replay marks lie on the game's board: on the floor
// right of the tools, between the tube rack and the time bar, covering nothing.
inline constexpr MzRect PlayMarkRect{310, 566, 470, 610};

inline constexpr std::array<uint32_t, 4> PlaybackSpeeds = {1, 2, 4, 0};

struct WatchScreenControls {
  static constexpr size_t Rows = 5;  // day, level, score, shots, time
  UiPicture picture;                 // full screen
  std::array<PanelRow, Rows> rows;
  UiPicture stars;
  UiStatic verdict;  // proven, or refused
  UiStatic reason;   // why it was refused
  PanelButton watch;
  PanelButton race;
  PanelButton back;
  ControlGroup controls;      // shown whenever the result is
  ControlGroup whenAccepted;  // shown for a proven run
  // The playback: the run's Play drawn as it is replayed, with the speed
  // buttons and a way back to the result.
  UiPicture board;
  std::array<UiPicture2, 10> targets;
  std::array<UiPicture2, KeyCount> keys;
  UiPicture sprayer;
  UiPicture2 shot;
  std::array<ImagingHelper, 6> shotImages;  // by ShotColour
  UiPicture2 preview;
  std::array<ImagingHelper, 6> previewImages;  // by ShotColour
  UiPicture2 timeBar;
  ImagingHelper timeBarImage;
  UiStatic score;
  UiStatic level;
  UiPicture replayMark;
  std::array<PanelButton, PlaybackSpeeds.size()> speeds;
  PanelButton stop;
  ControlGroup playbackControls;  // all the playback's but the shot, shown only in flight
  std::unique_ptr<RunPlayback> playback;
  uint32_t speed = 1;           // game milliseconds per real one; 0 paused
  uint32_t playbackTickMs = 0;  // how far the playback has gone, in the run's game time
  // Where it was opened from, which Back shows again.
  enum class From : uint8_t { Menu, Daily, Leaderboard };
  From from = From::Menu;
  bool playingBoard = false;    // the playback is a received board's maker's run
};

// What the game screen shows during daily play.
struct RaceControls {
  UiPicture practiceMark;
  UiPicture ghost;       // the raced run's sprayer, faint
  UiStatic ghostWord;
  UiStatic ghostScore;
  bool built = false;
};
