// The headless host's script language: one command per line.
//   wait MS | down X Y | move X Y | up X Y | tap X Y | key NAME | pad BUTTON
//   command ID [ARG] | answer yes|no | silent on|off | screenshot PATH
//   focus out|in | clipboard TEXT | dump | quit
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.hpp"
#include "platform/mz_types.hpp"

struct ScriptCommand {
  enum class Kind { Wait, Down, Move, Up, Tap, Key, Pad, Command, Answer, Silent, Focus, Screenshot, Clipboard, Dump, Quit };
  Kind kind = Kind::Quit;
  uint64_t ms = 0;            // wait
  int32_t x = 0;              // down, move, up, tap
  int32_t y = 0;
  MzKey key = MzKey::Unknown; // key
  uint32_t modifiers = 0;     // key: "Alt+Return", "Ctrl+R", "Shift+Tab"
  MzPadButton pad = MzPadButton::A;  // pad: up down left right a b x y start
  uint32_t id = 0;            // command
  int32_t arg = 0;
  bool on = false;            // answer yes, silent on, focus in
  std::string path;           // screenshot, clipboard: the rest of the line
};

enum class ParseResult { Command, Blank, Error };

// Parses one line; on Error, `error` says what is wrong.
ParseResult parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error);

// The one event a command makes: pointer (not tap, which makes two), key,
// pad, command, answer and focus; nothing for the others.
std::optional<HostEvent> eventOfCommand(const ScriptCommand& command);

// The longest a script may run, in virtual time: the game's timers keep
// ticking through a wait, so a week already costs seconds of work.
constexpr uint64_t MaxScriptMs = 7ull * 24 * 60 * 60 * 1000;

// No command needs more; a longer line is refused without reading it whole,
// so a stream without line breaks cannot fill the memory.
constexpr size_t MaxScriptLineLength = 4096;

// Reads a script from a stream one command at a time, numbering its lines
// and refusing the wait that would take it past MaxScriptMs.
class ScriptReader {
 public:
  explicit ScriptReader(std::istream& input) : input_(input) {}

  enum class Result { Command, End, Error };
  // The next command, skipping blank lines and comments; on Error, `error`
  // says what is wrong with line lineNumber().
  Result next(ScriptCommand& command, std::string& error);
  // The number of the line read last (1 for the first).
  uint64_t lineNumber() const { return lineNumber_; }

 private:
  std::istream& input_;
  std::string line_;
  uint64_t lineNumber_ = 0;
  uint64_t elapsedMs_ = 0;  // the waits so far
};
