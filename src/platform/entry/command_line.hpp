// The command line of the game (and of any program on the same entry).
#pragma once

#include <string>
#include <string_view>

#include "platform/window_options.hpp"

struct CommandLine {
  enum class Action { Run, Help, Version, Records, Verify, Error };
  Action action = Action::Run;
  bool headless = false;
  std::string scriptPath;  // headless: empty means standard input
  bool animate = false;    // the start-up animation
  std::string recordPath;  // write the session's events here as a script
  std::string replayPath;  // play this script in a window at its own pace
  std::string dumpAtExitPath;  // write the final state here as one line of JSON
  WindowOptions window;
  std::string language;    // --lang; empty: chosen from the environment
  std::string error;       // Action::Error: what was wrong
  std::string runSource;   // Action::Verify: a token or link, a file, or "-"
  std::string watchRun;    // --watch: the run to open once the game starts
  std::string boardToOpen;  // --board: the shared board to open once the game starts
};

CommandLine parseCommandLine(int argc, const char* const* argv);
// The --help text for `program`.
std::string usageText(std::string_view program);
