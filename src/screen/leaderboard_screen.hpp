// The game's side of the day's leaderboard: what it asked of the leaderboard
// and what it read there (LeaderboardLink), and the controls of the
// leaderboard screen (the top ten, the player's own row, their standing, a
// way back to the daily screen). GameWindow holds one of each.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "leaderboard/leaderboard_messages.hpp"
#include "platform/imaging.hpp"
#include "platform/ui_controls.hpp"
#include "screen/control_group.hpp"
#include "screen/daily_screen.hpp"

struct LeaderboardLink {
  std::string address;  // empty: no leaderboard
  // A request sent and not yet answered.
  enum class Asked : uint8_t { Post, Board, Run };
  struct Request {
    uint32_t number = 0;  // the host's
    Asked asked = Asked::Board;
    int32_t day = 0;  // a post's or a board's
    std::string run;  // a run's id
  };
  std::vector<Request> out;
  // What the leaderboard screen shows.
  enum class State : uint8_t { Idle, Loading, Shown, Failed };
  State state = State::Idle;
  std::optional<leaderboard::Board> board;
  // The row chosen on the leaderboard screen, whose run is being fetched.
  std::string runAsked;
  // Counts the boards and failures that came in: the screen is told anew.
  uint32_t changes = 0;
};

// The leaderboard screen's rows: the top ten, then the player's own row when
// it is not among them.
inline constexpr size_t TopRowCount = 10;
inline constexpr size_t OwnRowIndex = TopRowCount;

struct LeaderboardRowControls {
  UiButton_Image button;
  UiStatic rank;
  UiStatic name;
  UiStatic score;
  ControlGroup controls;  // all of the above
};

struct LeaderboardControls {
  UiPicture picture;  // full screen
  std::array<LeaderboardRowControls, TopRowCount + 1> rows;
  // The board's row each row shows, by index into the board's rows or around.
  std::array<std::optional<leaderboard::BoardRow>, TopRowCount + 1> shown;
  UiStatic status;  // loading, failed, nobody yet, or the player's standing
  PanelButton back;
  ImageContainer rowImages;
  ImagingHelper* rowLit = nullptr;
  ImagingHelper* rowDim = nullptr;
  ImagingHelper* ownLit = nullptr;
  ImagingHelper* ownDim = nullptr;
  ControlGroup controls;  // shown whenever the screen is: all but the rows
};
