// Parsing of headless script lines: every command, and what is refused.
#include "platform/headless/script.hpp"

#include <gtest/gtest.h>

namespace {

ScriptCommand parsed(std::string_view line) {
  ScriptCommand command;
  std::string error;
  EXPECT_EQ(parseScriptLine(line, command, error), ParseResult::Command) << line << ": " << error;
  return command;
}

std::string refusal(std::string_view line) {
  ScriptCommand command;
  std::string error;
  EXPECT_EQ(parseScriptLine(line, command, error), ParseResult::Error) << line;
  return error;
}

using Kind = ScriptCommand::Kind;

TEST(Script, ReadsEachCommandWithItsArguments) {
  EXPECT_EQ(parsed("wait 3000").ms, 3000u);
  const ScriptCommand down = parsed("  down 20   530 ");
  EXPECT_EQ(down.kind, Kind::Down);
  EXPECT_EQ(down.x, 20);
  EXPECT_EQ(down.y, 530);
  EXPECT_EQ(parsed("move -5 9").x, -5);
  EXPECT_EQ(parsed("up 1 2").kind, Kind::Up);
  EXPECT_EQ(parsed("tap 240 690\r").kind, Kind::Tap);
  EXPECT_EQ(parsed("key Space").key, MzKey::Space);
  EXPECT_EQ(parsed("key return").key, MzKey::Return);
  const ScriptCommand alt = parsed("key Alt+Return");
  EXPECT_EQ(alt.key, MzKey::Return);
  EXPECT_EQ(alt.modifiers, MzKeyModAlt);
  EXPECT_EQ(parsed("key r").key, MzKey::R);
  const ScriptCommand pad = parsed("pad Start");
  EXPECT_EQ(pad.kind, Kind::Pad);
  EXPECT_EQ(pad.pad, MzPadButton::Start);
  EXPECT_EQ(parsed("pad x").pad, MzPadButton::X);
  const ScriptCommand toolbar = parsed("command 101 2");
  EXPECT_EQ(toolbar.id, 101u);
  EXPECT_EQ(toolbar.arg, 2);
  EXPECT_EQ(parsed("command 224").arg, 0);
  EXPECT_TRUE(parsed("answer yes").on);
  EXPECT_FALSE(parsed("answer no").on);
  EXPECT_TRUE(parsed("silent on").on);
  EXPECT_EQ(parsed("screenshot /tmp/a frame.png").path, "/tmp/a frame.png");
  EXPECT_EQ(parsed("dump").kind, Kind::Dump);
  EXPECT_EQ(parsed("quit").kind, Kind::Quit);
}

TEST(Script, SkipsBlankLinesAndComments) {
  ScriptCommand command;
  std::string error;
  for (std::string_view line : {"", "   ", "\r", "# a comment", "   # indented comment"}) {
    EXPECT_EQ(parseScriptLine(line, command, error), ParseResult::Blank) << line;
  }
}

TEST(Script, RefusesMalformedAndUnknownCommandsWithAReason) {
  EXPECT_EQ(refusal("jump 3"), "unknown command 'jump'");
  EXPECT_EQ(refusal("Wait 10"), "unknown command 'Wait'");
  EXPECT_NE(refusal("wait").find("wait needs"), std::string::npos);
  refusal("wait -1");
  refusal("wait 10ms");
  refusal("wait 1 2");
  refusal("wait 99999999999999999999");
  EXPECT_EQ(refusal("tap 10"), "tap needs two whole numbers X Y");
  refusal("down 1.5 2");
  refusal("move 1 2 3");
  EXPECT_EQ(refusal("key Hyper"), "unknown key 'Hyper'");
  refusal("key");
  refusal("key Alt+");
  EXPECT_EQ(refusal("pad select"), "pad needs one button: up down left right a b x y start");
  refusal("pad");
  refusal("pad a b");
  refusal("command");
  refusal("command x");
  refusal("command 101 2 3");
  EXPECT_EQ(refusal("answer maybe"), "answer needs yes or no");
  EXPECT_EQ(refusal("silent yes"), "silent needs on or off");
  refusal("screenshot");
  EXPECT_EQ(refusal("dump now"), "dump takes no arguments");
  refusal("quit 0");
}

}  // namespace
