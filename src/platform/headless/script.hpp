// The headless host's script language: one command per line.
//   wait MS | down X Y | move X Y | up X Y | tap X Y | key NAME | pad BUTTON
//   command ID [ARG] | answer yes|no | silent on|off | screenshot PATH
//   focus out|in | dump | quit
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/mz_types.hpp"

struct ScriptCommand {
  enum class Kind { Wait, Down, Move, Up, Tap, Key, Pad, Command, Answer, Silent, Focus, Screenshot, Dump, Quit };
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
  std::string path;           // screenshot: the rest of the line
};

enum class ParseResult { Command, Blank, Error };

// Parses one line; on Error, `error` says what is wrong.
ParseResult parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error);
