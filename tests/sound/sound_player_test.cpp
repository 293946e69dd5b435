// The sound player: the switch, silent mode, the table, where files are
// looked for, and one sound at a time with the looping background tune.
#include "sound/sound_player.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/headless_host.hpp"
#include "platform/mz_functions.hpp"
#include "platform/system/executable_path.hpp"
#include "platform/system/utf.hpp"

namespace {

// Records every sound handed to the host, on top of the headless host's own
// one-at-a-time bookkeeping.
class RecordingHost : public HeadlessHost {
 public:
  RecordingHost() : HeadlessHost(script_, out_, out_) {}
  void playSound(const std::string& path, bool loop) override {
    played.emplace_back(path, loop);
    HeadlessHost::playSound(path, loop);
  }
  std::vector<std::pair<std::string, bool>> played;

 private:
  std::istringstream script_;
  std::ostringstream out_;
};

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { setCurrentHost(&host); }
  void TearDown() override {
    setCurrentHost(nullptr);
    MzSetSilence(false);
  }

  RecordingHost host;
  SoundPlayer sound;
};

std::string executableDirectory() {
  return std::filesystem::path(utf8FromUtf16(executablePath())).parent_path().string();
}

TEST_F(SoundPlayerTest, StartsEnabledAndPlaysEachSoundFromTheExecutablesFolder) {
  EXPECT_TRUE(sound.enabled);
  const char* const names[] = {"laught", "Bom", "bgmusic", "great", "ohno", "easy", "ready", "exit"};
  for (uint32_t index = 1; index <= 8; ++index) {
    EXPECT_TRUE(sound.playSound(index));
    ASSERT_EQ(host.played.size(), index);
    EXPECT_EQ(host.played.back().first, executableDirectory() + "/Sounds/" + names[index - 1] + ".wav");
    EXPECT_EQ(host.played.back().second, index == 3) << "only the background tune loops";
  }
}

TEST_F(SoundPlayerTest, TheWorkingDirectoryDoesNotMatter) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  sound.playSound(4);
  std::filesystem::current_path(previous);
  ASSERT_EQ(host.played.size(), 1u);
  EXPECT_EQ(host.played[0].first, executableDirectory() + "/Sounds/great.wav");
}

TEST_F(SoundPlayerTest, WithTheSwitchOffNothingPlaysAndTheResultIsFalse) {
  sound.enabled = false;
  EXPECT_FALSE(sound.playSound(3));
  EXPECT_FALSE(sound.playSound(9));
  EXPECT_TRUE(host.played.empty());
  EXPECT_FALSE(host.loopingSound());
}

TEST_F(SoundPlayerTest, InSilentModeNothingPlaysAndTheResultIsFalse) {
  MzSetSilence(true);
  EXPECT_FALSE(sound.playSound(1));
  EXPECT_TRUE(host.played.empty());
  MzSetSilence(false);
  EXPECT_TRUE(sound.playSound(1));
  EXPECT_EQ(host.played.size(), 1u);
}

TEST_F(SoundPlayerTest, AnIndexOutsideTheTablePlaysNothingButSucceeds) {
  EXPECT_TRUE(sound.playSound(9));
  EXPECT_TRUE(sound.playSound(0));
  EXPECT_TRUE(host.played.empty());
  EXPECT_EQ(soundFileName(9), nullptr);
  EXPECT_EQ(soundFileName(0), nullptr);
}

TEST_F(SoundPlayerTest, AnyOtherSoundEndsTheBackgroundTuneUntilItIsPlayedAgain) {
  sound.playSound(3);
  EXPECT_EQ(host.loopingSound(), 3u);
  sound.playSound(7);  // a new game: ready.wav
  EXPECT_FALSE(host.loopingSound());
  sound.playSound(3);
  sound.playSound(1);  // a shot
  EXPECT_FALSE(host.loopingSound());

  sound.playSound(3);
  sound.playSound(8);  // switching sound off plays exit.wav first
  sound.enabled = false;
  sound.enabled = true;  // and on again: the tune stays away
  EXPECT_FALSE(host.loopingSound());
  sound.playSound(3);  // until the next claim plays it
  EXPECT_EQ(host.loopingSound(), 3u);
}

TEST_F(SoundPlayerTest, WithoutAHostNothingPlays) {
  setCurrentHost(nullptr);
  EXPECT_TRUE(sound.playSound(1));
  EXPECT_FALSE(PlaySoundW(u"./Sounds/laught.wav", SndFilename | SndAsync));
}

}  // namespace
