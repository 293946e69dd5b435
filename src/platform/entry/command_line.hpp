// The command line of the game (and of any program on the same entry).
#pragma once

#include <string>
#include <string_view>

#include "platform/window_options.hpp"

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  bool headless = false;
  std::string scriptPath;  // headless: empty means standard input
  bool animate = false;    // the start-up animation
  WindowOptions window;
  std::string language;    // --lang; empty: chosen from the environment
  std::string error;       // Action::Error: what was wrong
};

CommandLine parseCommandLine(int argc, const char* const* argv);
// The --help text for `program`.
std::string usageText(std::string_view program);
