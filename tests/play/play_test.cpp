// Play driven by actions and clock ticks alone, no window: what each step
// does to the board, score, keys and flags, and what it says it caused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "play/play.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"

namespace {

using runs::ActionKind;
constexpr int32_t S = TargetSpoiled;

// A level's attempt as the game starts it, the sprayer over `slot`.
Play playAt(int32_t level, int32_t slot) {
  Play play;
  Board board;
  levelBoard(level, board);
  play.startLevel(level, board);
  play.sprayerX = Play::SprayerStartX + Play::SprayerStep * (slot == NoSlot ? 0 : slot + 1);
  return play;
}

// Fires and ticks the shot's clock until it is gone; every effect in order.
std::vector<Effect> fireAndLand(Play& play) {
  const Effects fired = play.apply(ActionKind::Fire);
  std::vector<Effect> all(fired.begin(), fired.end());
  for (int tick = 0; tick < 24; ++tick) {
    const Effects ticked = play.tickShot();
    all.insert(all.end(), ticked.begin(), ticked.end());
  }
  return all;
}

// A fourth miss coming, whose thrown colour is `colour`: the generator's draws
// are the launch's next colour, the miss's mark, then the thrown colour.
void throwNext(Play& play, int32_t colour) {
  play.missCounter = 3;
  for (uint32_t seed = 0;; ++seed) {
    ColourGenerator generator;
    generator.seed(seed);
    generator.next();
    generator.next();
    if (generator.colour() == colour) {
      play.generator.seed(seed);
      return;
    }
  }
}

bool caused(const std::vector<Effect>& effects, EffectKind kind, int32_t value = INT32_MIN) {
  return std::any_of(effects.begin(), effects.end(),
                     [&](const Effect& e) { return e.kind == kind && (value == INT32_MIN || e.value == value); });
}

struct LandingCase {
  std::string name;
  int32_t level;
  int32_t slot;
  std::function<void(Play&)> before;
  std::vector<int32_t> tubes;
  int32_t score;
  std::vector<int32_t> keys;  // earned afterwards
  bool gameOver;
  std::vector<Effect> effects;        // among those caused
  std::vector<EffectKind> notCaused;
};

TEST(Play, ALandingScoresSpoilsAndEarnsKeys) {
  const std::vector<LandingCase> cases = {
      {"a hit spoils: -30, the lightning, the spoil sound and pulse", 1, 0, [](Play&) {},
       {S, 4, 7, 10, 7, 16, 13, 10, 16, 13}, -30, {}, false,
       {{EffectKind::Lightning, 0}, {EffectKind::Sound, PlaySound::spoiled}, {EffectKind::Pulse, 0}}, {}},
      {"a full secondary mixed from primaries earns its key and the mixing key", 9, 4,
       [](Play& p) { p.currentColour = 0; }, {S, S, S, S, 0, 0, S, 1, S, 0}, 50, {2, 6}, false,
       {{EffectKind::KeyEarned, 6}, {EffectKind::Sound, PlaySound::completed}}, {}},
      {"the score key comes with the completion that reaches the target", 1, 1,
       [](Play& p) {
         p.score = 560;
         p.currentColour = 1;
         p.tubes[1] = 5;
       },
       {16, 0, 7, 10, 7, 16, 13, 10, 16, 13}, 610, {1, 7}, false, {{EffectKind::KeyEarned, 7}}, {}},
      {"the last tube spoiled ends the attempt in the same tick", 1, 0,
       [](Play& p) { p.tubes = {16, S, S, S, S, S, S, S, S, S}; }, std::vector<int32_t>(10, S), -30, {}, true,
       {{EffectKind::GameOverShown, 0}, {EffectKind::Pulse, static_cast<int32_t>(PlayPulse::GameOver)}}, {}},
      {"a shot fired with the last charge is never resolved", 6, 0, [](Play& p) { p.shotsLeft = 1; },
       {0, S, 4, S, 0, S, 1, S, S, S}, 0, {}, false, {}, {EffectKind::TubeChanged}},
      {"the fourth miss throws a fresh draw onto the leftmost unspoiled tube, without clouds", 7, NoSlot,
       [](Play& p) { throwNext(p, 3); },  // 11 + colour 3 completes and empties
       {S, 0, 0, S, 0, 0, S, S, S, 2}, 50, {3}, false, {{EffectKind::TubeChanged, 1}}, {EffectKind::CloudDrift}},
      {"a random colour spoiling a tube after the claim costs nothing", 1, NoSlot,
       [](Play& p) {
         p.levelPassed = true;
         throwNext(p, 1);  // 16 + colour 1 spoils slot 0
       },
       {S, 4, 7, 10, 7, 16, 13, 10, 16, 13}, 0, {}, false, {}, {EffectKind::Lightning}},
  };
  for (const LandingCase& c : cases) {
    SCOPED_TRACE(c.name);
    Play play = playAt(c.level, c.slot);
    c.before(play);
    const std::vector<Effect> effects = fireAndLand(play);
    EXPECT_EQ(std::vector<int32_t>(play.tubes.begin(), play.tubes.end()), c.tubes);
    EXPECT_EQ(play.score, c.score);
    for (int32_t k = 0; k < Play::KeyCount; ++k) {
      EXPECT_EQ(play.keys[static_cast<size_t>(k)], std::count(c.keys.begin(), c.keys.end(), k) == 1) << "key " << k;
    }
    EXPECT_EQ(play.gameOver, c.gameOver);
    for (const Effect& effect : c.effects) EXPECT_TRUE(caused(effects, effect.kind, effect.value));
    for (EffectKind kind : c.notCaused) EXPECT_FALSE(caused(effects, kind)) << static_cast<int>(kind);
    EXPECT_TRUE(play.shotClockIdle());
  }
}

TEST(Play, TheKeyRuleOfLevelOneLeavesOutTheMixingKey) {
  const struct {
    int32_t level;
    std::vector<int32_t> keys;
    bool holds;
  } cases[] = {
      {1, {0, 1, 2, 3, 4, 5, 7}, true},    {1, {0, 1, 2, 3, 4, 5}, false},       {2, {0, 1, 2, 3, 4, 5, 7}, false},
      {2, {0, 1, 2, 3, 4, 5, 6, 7}, true}, {3, {1, 2, 3, 4, 5, 6, 7}, false},
  };
  for (const auto& c : cases) {
    Play play = playAt(c.level, 0);
    for (int32_t k : c.keys) play.keys[static_cast<size_t>(k)] = true;
    const Effects claimed = play.apply(ActionKind::Claim);
    EXPECT_EQ(play.levelPassed, c.holds) << "level " << c.level;
    EXPECT_TRUE(claimed.has(EffectKind::Sound)) << "the claim's sound plays either way";
  }
}

TEST(Play, PurchasesNeedFiftyPointsAndARepairCostsEvenWithNothingSpoiled) {
  Play play = playAt(2, 0);  // 16 4 7 S 7 16 13 S 16 13
  play.score = 49;
  EXPECT_TRUE(play.apply(ActionKind::Repair).empty());
  EXPECT_TRUE(play.apply(ActionKind::Buy).empty());
  EXPECT_FALSE(play.possible(ActionKind::Repair));
  play.score = 50;
  EXPECT_TRUE(play.apply(ActionKind::Repair).has(EffectKind::RepairDimmed));
  EXPECT_EQ(play.tubes[3], TargetEmpty);
  EXPECT_EQ(play.tubes[7], S) << "one tube a repair";
  play.score = 120;
  play.apply(ActionKind::Buy);
  EXPECT_EQ(play.shotsLeft, Play::StartingShots + Play::ShotsPerPurchase);
  play.tubes[7] = TargetEmpty;
  play.apply(ActionKind::Repair);
  EXPECT_EQ(play.score, 20);
}

// The bar runs by the attempt's mode; the time-out shows at the next falling
// shot; a paused attempt takes only the resume and its shot stands still.
TEST(Play, TheTimeBarAndThePause) {
  Play play = playAt(6, 0);
  for (int tick = 0; tick < 40; ++tick) play.tickTimeBar();
  EXPECT_TRUE(play.gameOver);
  EXPECT_FALSE(play.gameOverShown);
  EXPECT_FALSE(play.apply(ActionKind::Fire).has(EffectKind::TimeBarRestarted)) << "a lost attempt's bar stays out";
  EXPECT_TRUE(play.tickShot().has(EffectKind::GameOverShown));
  EXPECT_FALSE(play.possible(ActionKind::Fire));

  Play relaxed = playAt(6, 0);
  relaxed.timeMode = TimeMode::Relaxed;
  for (int tick = 0; tick < 40; ++tick) relaxed.tickTimeBar();
  EXPECT_EQ(relaxed.timeBarX, Play::TimeBarFullX - 40 * 4);
  relaxed.apply(ActionKind::Fire);
  relaxed.tickShot();
  EXPECT_TRUE(relaxed.apply(ActionKind::Pause).has(EffectKind::TimeBarClockStopped));
  const int32_t y = relaxed.shot.y;
  EXPECT_TRUE(relaxed.tickShot().empty());
  EXPECT_EQ(relaxed.shot.y, y);
  EXPECT_FALSE(relaxed.possible(ActionKind::Fire));
  EXPECT_TRUE(relaxed.apply(ActionKind::Resume).has(EffectKind::TimeBarClockStarted));
  EXPECT_FALSE(relaxed.shotClockIdle());
}

TEST(Play, TheSprayerStaysOnItsRailAndACopyPlaysOnAlone) {
  Play play = playAt(1, NoSlot);
  EXPECT_TRUE(play.apply(ActionKind::StepLeft).empty());
  while (play.possible(ActionKind::StepRight)) play.apply(ActionKind::StepRight);
  EXPECT_EQ(play.sprayerX, 427);
  const Play copy = play;
  fireAndLand(play);
  Play again = copy;
  fireAndLand(again);
  EXPECT_EQ(again.tubes, play.tubes);
  EXPECT_EQ(again.generator, play.generator);
}

}  // namespace
