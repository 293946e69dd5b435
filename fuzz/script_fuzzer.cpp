// Feeds arbitrary bytes to the reader of headless scripts and recordings and
// checks what must always hold: it stops at the end or at the first bad line,
// numbering lines as an editor does; its waits stay within the longest script
// time; an error is one short printable line; and every
// command that a recording can hold, written back as the recorder writes it,
// reads back as the same command.
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "platform/headless/script.hpp"
#include "platform/session_recorder.hpp"

// The recorder leaves focus changes out while the focus pause is off; the
// fuzzer writes every event.
bool focusPauseEnabled() { return true; }

namespace {

bool sameCommand(const ScriptCommand& a, const ScriptCommand& b) {
  return a.kind == b.kind && a.ms == b.ms && a.x == b.x && a.y == b.y && a.key == b.key &&
         a.modifiers == b.modifiers && a.pad == b.pad && a.id == b.id && a.arg == b.arg && a.on == b.on &&
         a.path == b.path;
}

void checkWrittenBack(const ScriptCommand& command) {
  std::string line;
  if (command.kind == ScriptCommand::Kind::Wait) {
    line = "wait " + std::to_string(command.ms);
  } else if (const std::optional<HostEvent> event = eventOfCommand(command)) {
    line = scriptLineOf(*event);
  } else {
    return;
  }
  ScriptCommand again;
  std::string error;
  check(parseScriptLine(line, again, error) == ParseResult::Command, "a written command reads back");
  check(sameCommand(command, again), "a written command reads back the same");
}

uint64_t linesIn(std::string_view text) {
  uint64_t lines = 0;
  for (const char c : text) lines += c == '\n';
  return lines + (!text.empty() && text.back() != '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream input(text);
  ScriptReader reader(input);
  ScriptCommand command;
  std::string error;
  uint64_t waitedMs = 0;
  for (;;) {
    const ScriptReader::Result result = reader.next(command, error);
    if (result == ScriptReader::Result::End) {
      check(reader.lineNumber() == linesIn(text), "every line is counted");
      return 0;
    }
    check(reader.lineNumber() >= 1 && reader.lineNumber() <= linesIn(text), "a line number names a line");
    if (result == ScriptReader::Result::Error) {
      check(!error.empty() && error.size() < 200, "an error is short and says something");
      for (const char c : error) check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, "an error is printable");
      return 0;
    }
    if (command.kind == ScriptCommand::Kind::Wait) waitedMs += command.ms;
    check(waitedMs <= MaxScriptMs, "the waits stay within the longest script time");
    checkWrittenBack(command);
  }
}
