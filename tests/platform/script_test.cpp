// Parsing of headless script lines: every command, and what is refused.
#include "platform/headless/script.hpp"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <streambuf>

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
  const ScriptCommand clipboard = parsed("clipboard  https://a.example/q/#run=QRUN.x y ");
  EXPECT_EQ(clipboard.kind, Kind::Clipboard);
  EXPECT_EQ(clipboard.path, "https://a.example/q/#run=QRUN.x y");
  EXPECT_EQ(parsed("clipboard").path, "") << "an empty clipboard";
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
  // A word of garbage is shown escaped and cut short, so the message stays one readable line.
  EXPECT_EQ(refusal(std::string("fl\0y\x1b[2J", 8)), "unknown command 'fl\\x00y\\x1b[2J'");
  EXPECT_EQ(refusal("key " + std::string(50, 'Q')), "unknown key '" + std::string(40, 'Q') + "...'");
}

struct ReadOutcome {
  std::vector<ScriptCommand::Kind> kinds;
  ScriptReader::Result last = ScriptReader::Result::End;
  uint64_t line = 0;
  std::string error;
};

ReadOutcome readAll(std::istream& input) {
  ScriptReader reader(input);
  ReadOutcome outcome;
  ScriptCommand command;
  while ((outcome.last = reader.next(command, outcome.error)) == ScriptReader::Result::Command)
    outcome.kinds.push_back(command.kind);
  outcome.line = reader.lineNumber();
  return outcome;
}

ReadOutcome readAll(const std::string& text) {
  std::istringstream input(text);
  return readAll(input);
}

// An endless line without a break, as from a device; counts what was taken.
class EndlessLine : public std::streambuf {
 public:
  EndlessLine() { chunk_.fill('x'); }
  size_t served = 0;

 protected:
  int_type underflow() override {
    setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    served += chunk_.size();
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  std::array<char, 256> chunk_;
};

TEST(ScriptReader, NumbersEveryLineAndStopsAtTheFirstBadOne) {
  const ReadOutcome good = readAll("# made by hand\r\nwait 5\n\n  tap 1 2\ndump");
  EXPECT_EQ(good.last, ScriptReader::Result::End);
  EXPECT_EQ(good.kinds, (std::vector<Kind>{Kind::Wait, Kind::Tap, Kind::Dump}));
  EXPECT_EQ(good.line, 5u);

  const ReadOutcome bad = readAll("wait 5\n#\ndance\ndump\n");
  EXPECT_EQ(bad.last, ScriptReader::Result::Error);
  EXPECT_EQ(bad.kinds, (std::vector<Kind>{Kind::Wait}));
  EXPECT_EQ(bad.line, 3u);
  EXPECT_EQ(bad.error, "unknown command 'dance'");
}

TEST(ScriptReader, RefusesALongLineWithoutReadingItWhole) {
  const std::string longest = "screenshot " + std::string(MaxScriptLineLength - 11, 'a');
  EXPECT_EQ(readAll(longest + "\n").kinds, (std::vector<Kind>{Kind::Screenshot}));
  const ReadOutcome tooLong = readAll("dump\n" + longest + "a\ndump\n");
  EXPECT_EQ(tooLong.last, ScriptReader::Result::Error);
  EXPECT_EQ(tooLong.line, 2u);
  EXPECT_EQ(tooLong.error, "longer than 4096 characters");

  EndlessLine endless;
  std::istream input(&endless);
  EXPECT_EQ(readAll(input).last, ScriptReader::Result::Error);
  EXPECT_LE(endless.served, MaxScriptLineLength + 256);
}

TEST(ScriptReader, RefusesTheWaitThatTakesTheScriptPastAWeek) {
  const std::string day = "wait 86400000\n";
  std::string week;
  for (int i = 0; i < 7; ++i) week += day;
  EXPECT_EQ(readAll(week).last, ScriptReader::Result::End);
  const ReadOutcome over = readAll(week + "dump\nwait 1\n");
  EXPECT_EQ(over.last, ScriptReader::Result::Error);
  EXPECT_EQ(over.line, 9u);
  EXPECT_EQ(over.error, "the waits add up to more than 604800000 ms (a week)");
  EXPECT_EQ(readAll("wait 604800001\n").error, "wait needs one number of milliseconds (0..604800000)");
}

}  // namespace
