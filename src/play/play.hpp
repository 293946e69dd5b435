// The game's state as one plain value: the board, keys, score, shots, the
// colours, the sprayer, the shot in flight, the time bar, the flags, the miss
// counter, the attempt's time mode and its colour generator. Actions and the
// ticks of the game's two clocks change it and say what they caused. No
// platform, no global, no allocation; a Play can be copied.
#pragma once

#include <array>
#include <climits>
#include <cstdint>

#include "play/effects.hpp"
#include "rules/board.hpp"
#include "rules/colour_generator.hpp"
#include "rules/level_table.hpp"
#include "rules/time_mode.hpp"
#include "runs/run.hpp"

class Play {
 public:
  static constexpr int32_t KeyCount = 8;
  static constexpr int32_t MixedKey = 6;  // a full secondary mixed from two primaries
  static constexpr int32_t ScoreKey = 7;  // the level's target score reached
  static constexpr int32_t StartingShots = 100;
  static constexpr int32_t PurchasePrice = 50;
  static constexpr int32_t ShotsPerPurchase = 25;
  static constexpr int32_t CompletionPoints = 50;
  static constexpr int32_t SpoilPenalty = 30;
  // The sprayer's rail: it starts at the left end and steps 23 px. A tap
  // steps it as far as TapRightmostX, a drag one step further.
  static constexpr int32_t SprayerStartX = 105;
  static constexpr int32_t SprayerStep = 23;
  static constexpr int32_t SprayerLeftmostX = SprayerStartX;
  static constexpr int32_t TapRightmostX = SprayerStartX + 13 * SprayerStep;
  static constexpr int32_t SprayerRightmostX = TapRightmostX + SprayerStep;
  static constexpr int32_t SprayerNozzle = 40;  // a shot starts this far right of the sprayer
  static constexpr int32_t ShotLaunchY = 150;
  static constexpr int32_t ShotFallPerTick = 15;
  static constexpr int32_t ShotResolveY = 450;  // resolved on the tick that passes it
  static constexpr int32_t ShotGoneY = 500;     // hidden on the tick that passes it
  static constexpr int32_t TimeBarFullX = 480;  // the bar runs from here to 0
  // The two clocks of play, in milliseconds.
  static constexpr uint32_t ShotClockMs = 50;
  static constexpr uint32_t TimeBarClockMs = 250;

  struct Shot {
    bool fired = false;  // a shot has been launched (it stays until the next)
    int32_t x = 0;
    int32_t y = 0;
    int32_t colour = 0;
    bool visible = false;
  };
  // The last shot or random colour that landed on a tube, counted.
  struct Landing {
    uint32_t count = 0;
    int32_t slot = 0;
    int32_t colour = 0;
    int32_t fromState = 0;
    int32_t toState = 0;
  };

  std::array<int32_t, TargetCount> tubes{};
  int32_t targetScore = 0;
  bool asksMixedKey = true;
  // A made board's attempt draws its clouds as the first level's does.
  static constexpr int32_t BoardCloudLevel = FirstLevel;
  int32_t level = 0;  // for the clouds' count
  std::array<bool, KeyCount> keys{};
  int32_t score = 0;
  int32_t shotsLeft = 0;
  int32_t currentColour = 0;  // the next shot's, shown in the preview
  int32_t nextColour = 0;     // drawn in advance, not shown
  int32_t sprayerX = SprayerStartX;
  Shot shot;
  bool shotInFlight = false;  // a shot falls and is not yet past the board
  bool hitPending = false;    // the shot in flight is not yet resolved
  uint32_t mixedFromPrimaries = 0;
  int32_t timeBarX = TimeBarFullX;
  bool timeBarRunning = false;
  bool levelPassed = false;
  bool gameOver = false;      // lost, shown or not yet
  bool gameOverShown = false;  // the lost attempt's screen has been shown
  bool paused = false;
  int32_t missCounter = 0;
  TimeMode timeMode = TimeMode::Normal;
  ColourGenerator generator;
  Landing lastLanding;
  // What the attempt did, for its stars.
  int32_t shotsFired = 0;
  bool boughtShots = false;
  bool repairedTube = false;

  // Puts the board's tubes in place; nothing else changes.
  void layBoard(const Board& board);
  // Level `level`'s attempt from its start on `board`: its tubes, target
  // score and key rule, and everything of the attempt reset.
  void startLevel(int32_t level, const Board& board);
  // Everything of one attempt back to its start: score, shots, flags, the
  // colour sequence (a draw), the time bar and the keys. The tubes, the
  // sprayer, the shot last fired and the miss counter stay.
  void resetAttempt();
  // The preview's colour becomes the sprayer's, and a new one is drawn.
  void takeNextColour();
  // A day's attempt: the sequence from `seed`, the misses from none, no shot.
  void startSeeded(uint32_t seed);

  // Whether a recorded attempt may take `kind` now: on its rail, with the
  // points it costs, not paused (but to resume), and not after its end.
  bool possible(runs::ActionKind kind) const;
  // Takes the action as its button or key does. A step off the rail does nothing.
  Effects apply(runs::ActionKind kind);
  // The shot's clock (every ShotClockMs) and the time bar's (every TimeBarClockMs).
  Effects tickShot();
  Effects tickTimeBar();
  // The shot's clock has nothing to do until the next shot or the resume.
  bool shotClockIdle() const;
  // How many of each clock's next ticks would only move the shot or the bar
  // (QuietForever while its ticks change nothing at all). Such ticks change
  // nothing else, so a proof takes them together with passQuietTicks.
  static constexpr int32_t QuietForever = INT32_MAX;
  int32_t quietShotTicks() const;
  int32_t quietTimeBarTicks() const;
  void passQuietTicks(int32_t shotTicks, int32_t barTicks);

  // Every key the level asks for is earned.
  bool keyRuleHolds() const;
  // Claimed, or lost and shown: the attempt takes no more actions.
  bool attemptEnded() const { return levelPassed || gameOverShown; }

 private:
  void fire(Effects& effects);
  void claim(Effects& effects);
  void repair(Effects& effects);
  void buyShots(Effects& effects);
  void resolveShot(Effects& effects);
  void applyColour(int32_t slot, int32_t colour, bool directHit, Effects& effects);
  void spoil(int32_t slot, bool directHit, Effects& effects);
  void complete(int32_t slot, int32_t fullState, bool directHit, Effects& effects);
  void earnKey(int32_t key, Effects& effects);
  void showGameOver(Effects& effects);
};
