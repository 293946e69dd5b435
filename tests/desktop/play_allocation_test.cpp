// No heap allocation during play: the real game window on a fixed-step host,
// a minute of virtual play after the first shot (moves, shots by key and by
// toolbar, purchases, the time bar, animations), with every operator new
// counted, in each language; and the platform pieces play leans on: text never drawn before,
// sounds played for the first time. An allocation is reported with the place
// that made it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "allocation_recorder.hpp"
#include "platform/canvas.hpp"
#include "platform/font.hpp"
#include "platform/language/language.hpp"
#include "platform/message_loop.hpp"
#include "play_host.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "sound/sound_player.hpp"

namespace {

constexpr uint64_t SplashMs = 3000;
constexpr uint64_t FirstShotDoneMs = SplashMs + 200;
constexpr uint64_t MinuteMs = 60000;

// The splash, the start command and the first shot; then a minute of play.
std::vector<PlayStep> minuteOfPlay() {
  using Kind = PlayStep::Kind;
  std::vector<PlayStep> steps{
      {Kind::Wait, static_cast<uint32_t>(SplashMs)},
      {Kind::Command, ControlId::startGame},
      {Kind::Wait, 100},
      {Kind::Key, 0, 0, 0, MzKey::Space},
      {Kind::Wait, 100},
  };
  uint32_t spent = 0;
  for (int turn = 0; spent + 1000 <= MinuteMs; ++turn) {
    // Two steps one way, two the other: by touch and by key.
    const bool right = (turn / 2) % 2 == 0;
    steps.push_back({Kind::Tap, 0, right ? 360 : 120, 300});
    steps.push_back({Kind::Key, 0, 0, 0, right ? MzKey::Right : MzKey::Left});
    if (turn % 2 == 0) {
      steps.push_back({Kind::Key, 0, 0, 0, MzKey::Space});
    } else {
      steps.push_back({Kind::Command, ControlId::toolbar, ToolbarButton::fire});
    }
    if (turn % 9 == 4) steps.push_back({Kind::Key, 0, 0, 0, MzKey::R});
    if (turn % 11 == 6) steps.push_back({Kind::Key, 0, 0, 0, MzKey::B});
    const uint32_t pause = turn % 7 == 3 ? 1900 : 1000;  // now and then the time bar runs on
    steps.push_back({Kind::Wait, pause});
    spent += pause;
  }
  if (spent < MinuteMs) steps.push_back({Kind::Wait, static_cast<uint32_t>(MinuteMs - spent)});
  return steps;
}

// Makes a language active for one test and puts the original back after it.
class PlayAllocationInLanguage : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(setActiveLanguage(GetParam(), error)) << error;
  }
  void TearDown() override {
    std::string error;
    setActiveLanguage(OriginalLanguage, error);
  }
};

TEST_P(PlayAllocationInLanguage, AMinuteOfPlayAfterTheFirstShotAllocatesNothing) {
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / ("quandrel-play-allocation-" + std::to_string(::getpid()) + "-" + GetParam() + ".ini");
  const std::vector<PlayStep> steps = minuteOfPlay();
  PlayHost host(steps);
  setCurrentHost(&host);
  {
    SharedImages images;
    GameWindow window(images, settings.u16string());
    window.Create(0, 0, 480, 720);
    window.Show(true, true);

    while (pumpMessage(FirstShotDoneMs) != PumpResult::Idle) {
    }
    ASSERT_TRUE(window.inGame) << "the game started";
    ASSERT_EQ(window.play.shotsLeft, 99) << "the first shot was fired";
    const uint64_t framesBefore = host.frames();
    const uint64_t soundsBefore = host.sounds();

    std::string where;
    const long counted = allocationsDuring(
        [&] {
          while (pumpMessage(FirstShotDoneMs + MinuteMs) != PumpResult::Idle) {
          }
        },
        where);

    EXPECT_EQ(host.nowMs(), FirstShotDoneMs + MinuteMs);
    EXPECT_EQ(host.position(), steps.size()) << "every step was played";
    EXPECT_TRUE(window.inGame) << "still playing at the end";
    EXPECT_GT(host.frames() - framesBefore, 1000u) << "frames were composed";
    EXPECT_GT(host.sounds() - soundsBefore, 25u) << "shots were fired and landed, with their sounds";
    EXPECT_EQ(counted, 0) << where;
  }
  setCurrentHost(nullptr);
  std::filesystem::remove(settings);
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, PlayAllocationInLanguage, ::testing::Values("zh", "en"));

}  // namespace

namespace {

TEST(PlayAllocation, TextNeverDrawnBeforeAllocatesNothing) {
  const auto font = std::make_unique<Font>(embeddedFontData());
  const auto canvas = std::make_unique<Canvas>();
  ASSERT_TRUE(font->valid());
  std::string where;
  EXPECT_EQ(allocationsDuring(
                [&] {
                  for (int32_t size = 12; size <= 48; size += 4) {
                    font->draw(*canvas, u"-0123456789 得分关卡游戏已暂停点击继续 Paused Click to continue", 10, 100, size, 0xFFFFFF);
                  }
                },
                where),
            0)
      << where;
  EXPECT_GT(font->measure(u"12", 20), 0);
}

TEST(PlayAllocation, PreparedSoundsPlayForTheFirstTimeWithoutAllocating) {
  const std::vector<PlayStep> none;
  PlayHost host(none);
  setCurrentHost(&host);
  SoundPlayer sound;
  sound.prepareSounds();
  std::string where;
  EXPECT_EQ(allocationsDuring(
                [&] {
                  for (uint32_t index = SoundPlayer::FirstSound; index <= SoundPlayer::LastSound; ++index) {
                    sound.playSound(index);
                  }
                },
                where),
            0)
      << where;
  EXPECT_EQ(host.sounds(), SoundPlayer::LastSound);
  setCurrentHost(nullptr);
}

}  // namespace
