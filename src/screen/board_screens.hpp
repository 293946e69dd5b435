// The controls of the boards players make and share: the maker (the board
// being made, its target score, new colours, Try, Share once its maker has
// cleared it, Open a board) and a received board's screen (its tubes, its
// maker's proven clear, the player's best, Play, Race, Watch). GameWindow
// holds one of each.
#pragma once

#include <array>
#include <optional>

#include "platform/ui_controls.hpp"
#include "play/run_proof.hpp"
#include "rules/level_table.hpp"
#include "screen/control_group.hpp"
#include "screen/daily_screen.hpp"

// Both screens show the board's ten tubes in one row across their panel.
inline constexpr int32_t BoardTubeLeft = 44;
inline constexpr int32_t BoardTubeStep = 40;
inline constexpr int32_t BoardTubeTop = 164;

struct MakerScreenControls {
  UiPicture picture;  // full screen
  UiStatic hint;      // how a tube changes
  std::array<UiButton_Image, TargetCount> tubes;
  UiStatic scoreWord;
  UiStatic scoreValue;
  PanelButton scoreDown;
  PanelButton scoreUp;
  PanelButton newColours;
  PanelButton tryIt;
  UiStatic status;   // cleared (Share unlocked) or not yet
  PanelButton share;
  PanelButton openBoard;
  UiStatic message;  // after Share or Open a board: copied, nothing found
  PanelButton back;
  // The clear's proven result, worked out once for the token it came from.
  std::string clearTokenProven;
  runs::RunResult clearResult;
  ControlGroup controls;  // all of its controls
};

struct BoardScreenControls {
  static constexpr size_t Rows = 4;  // target score, maker's score, maker's time, the player's best
  UiPicture picture;                 // full screen
  UiStatic verdict;                  // cleared by its maker, or refused
  UiStatic reason;                   // why it was refused
  std::array<UiPicture2, TargetCount> tubes;
  std::array<PanelRow, Rows> rows;
  UiPicture makerStars;
  UiPicture bestStars;
  UiStatic note;  // Watch comes once the board was tried
  PanelButton play;
  PanelButton race;
  PanelButton watch;
  PanelButton back;
  // The board opened: its token proven (the maker's run replayed on it), or refused.
  std::optional<RunVerdict> proof;
  ControlGroup controls;    // shown whenever the screen is
  ControlGroup whenProven;  // shown for a proven board
};
