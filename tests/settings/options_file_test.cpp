// The options record's text: what it writes reads back the same, and a text
// that is not an options file of this version is refused whole.
#include <gtest/gtest.h>

#include <string>

#include "progress/game_options.hpp"

namespace {

TEST(OptionsText, EveryCombinationReadsBackAsWritten) {
  for (const TimeMode mode : {TimeMode::Normal, TimeMode::Relaxed, TimeMode::Off}) {
    for (const bool vibration : {true, false}) {
      for (const char* language : {"auto", "en", "zh", "pt"}) {
        const GameOptions written{mode, vibration, language};
        GameOptions read;
        read.vibration = !vibration;
        ASSERT_TRUE(readOptionsText(optionsText(written), read)) << optionsText(written);
        EXPECT_EQ(read, written) << optionsText(written);
      }
    }
  }
}

TEST(OptionsText, WritesAVersionFirstAndPlainWords) {
  EXPECT_EQ(optionsText(GameOptions{TimeMode::Relaxed, false, "en"}),
            "# Quandrel options\nversion=1\ntimeMode=relaxed\nvibration=off\nlanguage=en\n");
  EXPECT_EQ(optionsJson(GameOptions{TimeMode::Off, true, "auto"}),
            R"({"timeMode":"off","vibration":true,"language":"auto"})");
}

TEST(OptionsText, MissingKeysTakeTheirDefaultsAndUnknownKeysArePassedOver) {
  GameOptions read{TimeMode::Off, false, "en"};
  ASSERT_TRUE(readOptionsText("version=1\r\nhighContrast=on\r\ntimeMode=relaxed\r\n", read));
  EXPECT_EQ(read, (GameOptions{TimeMode::Relaxed, true, "auto"}));
}

TEST(OptionsText, ADamagedTextIsRefusedAndChangesNothing) {
  const GameOptions before{TimeMode::Relaxed, false, "en"};
  for (const std::string& text : {
           std::string(""),                                   // empty
           std::string("timeMode=off\n"),                     // no version
           std::string("version=2\ntimeMode=off\n"),          // a later version
           std::string("version=1\ntimeMode=fast\n"),         // no such mode
           std::string("version=1\nvibration=1\n"),           // on/off only
           std::string("version=1\nlanguage=../etc\n"),       // not a language code
           std::string("version=1\njust some words\n"),       // not key=value
           std::string("version=1\nlanguage=en\xff\xfe\n"),   // not UTF-8
       }) {
    GameOptions read = before;
    EXPECT_FALSE(readOptionsText(text, read)) << text;
    EXPECT_EQ(read, before) << text;
  }
}

}  // namespace
