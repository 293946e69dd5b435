// The entry function's command line.
#include "platform/entry/command_line.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "quandrel");
  return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, NoOptionsPlaysInAWindow) {
  const CommandLine line = parse({});
  EXPECT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_FALSE(line.headless);
  EXPECT_FALSE(line.animate);
  EXPECT_TRUE(line.window.focusPause);
  EXPECT_EQ(line.language, "");  // chosen from the environment
}

TEST(CommandLine, HeadlessTakesAnOptionalScriptAndTheOtherOptionsCombine) {
  const CommandLine line = parse({"--headless", "--script", "run.txt", "--animate"});
  EXPECT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_TRUE(line.headless);
  EXPECT_EQ(line.scriptPath, "run.txt");
  EXPECT_TRUE(line.animate);
  EXPECT_EQ(parse({"--headless"}).scriptPath, "");
  const CommandLine window = parse({"--fullscreen", "--scale", "2", "--no-focus-pause"});
  EXPECT_TRUE(window.window.fullscreen);
  EXPECT_EQ(window.window.scale, 2);
  EXPECT_FALSE(window.window.focusPause);
  EXPECT_EQ(parse({"--lang", "en", "--headless"}).language, "en");
  EXPECT_EQ(parse({"--headless", "--lang", "zh"}).language, "zh");
}

TEST(CommandLine, RecordingReplayAndTheFinalStateTakeFileNames) {
  const CommandLine window = parse({"--record", "session.txt", "--dump-at-exit", "end.json"});
  EXPECT_EQ(window.action, CommandLine::Action::Run);
  EXPECT_FALSE(window.headless);
  EXPECT_EQ(window.recordPath, "session.txt");
  EXPECT_EQ(window.dumpAtExitPath, "end.json");
  EXPECT_EQ(window.replayPath, "");
  const CommandLine headless = parse({"--headless", "--record", "again.txt", "--script", "session.txt"});
  EXPECT_TRUE(headless.headless);
  EXPECT_EQ(headless.recordPath, "again.txt");
  EXPECT_EQ(headless.scriptPath, "session.txt");
  const CommandLine replay = parse({"--replay", "session.txt", "--scale", "2"});
  EXPECT_EQ(replay.action, CommandLine::Action::Run);
  EXPECT_EQ(replay.replayPath, "session.txt");
  EXPECT_EQ(replay.window.scale, 2);
}

TEST(CommandLine, ASharedRunOrBoardOpensOnItsOwnScreen) {
  const CommandLine board = parse({"--headless", "--board", "https://a.example/#board=QBRD.x"});
  EXPECT_EQ(board.action, CommandLine::Action::Run);
  EXPECT_TRUE(board.headless);
  EXPECT_EQ(board.boardToOpen, "https://a.example/#board=QBRD.x");
  EXPECT_EQ(board.watchRun, "");
  EXPECT_EQ(parse({"--watch", "QRUN.y"}).watchRun, "QRUN.y");
  EXPECT_EQ(parse({"--board"}).error, "--board needs a board token or link");
  EXPECT_EQ(parse({"--watch", "QRUN.y", "--board", "QBRD.x"}).action, CommandLine::Action::Error)
      << "one screen opens at start";
}

TEST(CommandLine, HelpAndVersionWinOverTheRest) {
  EXPECT_EQ(parse({"--headless", "--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parse({"--version"}).action, CommandLine::Action::Version);
}

TEST(CommandLine, MistakesAreErrorsThatSayWhatIsWrong) {
  EXPECT_EQ(parse({"--window"}).error, "unknown option '--window'");
  EXPECT_EQ(parse({"headless"}).error, "unknown option 'headless'");
  EXPECT_EQ(parse({"--headless", "--script"}).error, "--script needs a file name");
  EXPECT_EQ(parse({"--script", "run.txt"}).error, "--script needs --headless");
  for (const char* scale : {"0", "9", "two", "-1"}) {
    EXPECT_EQ(parse({"--scale", scale}).action, CommandLine::Action::Error) << scale;
  }
  EXPECT_EQ(parse({"--scale"}).action, CommandLine::Action::Error);
  EXPECT_EQ(parse({"--lang", "nl"}).error, "unknown language 'nl' for --lang (known: de, en, es, fr, ja, ko, pt, ru, zh)");
  EXPECT_EQ(parse({"--lang", "zh_CN"}).action, CommandLine::Action::Error);
  EXPECT_EQ(parse({"--lang"}).error, "--lang needs a language (de, en, es, fr, ja, ko, pt, ru, zh)");
  EXPECT_EQ(parse({"--record"}).error, "--record needs a file name");
  EXPECT_EQ(parse({"--replay"}).error, "--replay needs a file name");
  EXPECT_EQ(parse({"--dump-at-exit"}).error, "--dump-at-exit needs a file name");
  EXPECT_EQ(parse({"--headless", "--replay", "session.txt"}).action, CommandLine::Action::Error)
      << "a replay without a window is --headless --script";
}

}  // namespace
