// Parsing of headless script lines.
#include "platform/headless/script.hpp"

#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "platform/key_names.hpp"
#include "text/trimmed.hpp"

namespace {

std::vector<std::string_view> split(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while ((at = text.find_first_not_of(Blanks, at)) != std::string_view::npos) {
    const size_t end = std::min(text.find_first_of(Blanks, at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

template <typename Number>
bool parseNumber(std::string_view word, Number& value) {
  const char* end = word.data() + word.size();
  auto [stop, failure] = std::from_chars(word.data(), end, value);
  return failure == std::errc() && stop == end;
}

bool parseKey(std::string_view word, MzKey& key, uint32_t& modifiers) {
  static constexpr std::array<std::pair<std::string_view, uint32_t>, 3> Prefixes{{
      {"Alt+", MzKeyModAlt}, {"Ctrl+", MzKeyModCtrl}, {"Shift+", MzKeyModShift}}};
  modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, flag] : Prefixes) {
      if (word.size() > prefix.size() && word.starts_with(prefix)) {
        modifiers |= flag;
        word.remove_prefix(prefix.size());
        found = true;
      }
    }
  }
  key = keyFromName(word);
  return key != MzKey::Unknown;
}

// A word of the script as an error message shows it: control characters
// escaped and a long word cut short, so the message stays one readable line.
std::string shown(std::string_view word) {
  constexpr size_t Longest = 40;
  constexpr std::string_view Hex = "0123456789abcdef";
  std::string text;
  for (const char c : word.substr(0, Longest)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      text += "\\x";
      text += Hex[byte >> 4];
      text += Hex[byte & 0xf];
    } else {
      text += c;
    }
  }
  if (word.size() > Longest) text += "...";
  return "'" + text + "'";
}

ParseResult fail(std::string& error, std::string message) {
  error = std::move(message);
  return ParseResult::Error;
}

}  // namespace

ParseResult parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error) {
  const std::string_view text = trimmed(line);
  if (text.empty() || text.front() == '#') return ParseResult::Blank;
  const std::vector<std::string_view> words = split(text);
  const std::string_view name = words[0];
  const size_t arguments = words.size() - 1;
  command = ScriptCommand{};

  using Kind = ScriptCommand::Kind;
  if (name == "wait") {
    command.kind = Kind::Wait;
    if (arguments != 1 || !parseNumber(words[1], command.ms) || command.ms > MaxScriptMs)
      return fail(error, "wait needs one number of milliseconds (0.." + std::to_string(MaxScriptMs) + ")");
    return ParseResult::Command;
  }
  if (name == "down" || name == "move" || name == "up" || name == "tap") {
    command.kind = name == "down" ? Kind::Down : name == "move" ? Kind::Move : name == "up" ? Kind::Up : Kind::Tap;
    if (arguments != 2 || !parseNumber(words[1], command.x) || !parseNumber(words[2], command.y))
      return fail(error, std::string(name) + " needs two whole numbers X Y");
    return ParseResult::Command;
  }
  if (name == "key") {
    command.kind = Kind::Key;
    if (arguments != 1) return fail(error, "key needs one key name");
    if (!parseKey(words[1], command.key, command.modifiers))
      return fail(error, "unknown key " + shown(words[1]));
    return ParseResult::Command;
  }
  if (name == "pad") {
    command.kind = Kind::Pad;
    const std::optional<MzPadButton> button = arguments == 1 ? padButtonFromName(words[1]) : std::nullopt;
    if (!button) return fail(error, "pad needs one button: up down left right a b x y start");
    command.pad = *button;
    return ParseResult::Command;
  }
  if (name == "command") {
    command.kind = Kind::Command;
    if (arguments < 1 || arguments > 2 || !parseNumber(words[1], command.id) ||
        (arguments == 2 && !parseNumber(words[2], command.arg)))
      return fail(error, "command needs a control id and an optional whole-number argument");
    return ParseResult::Command;
  }
  if (name == "answer" || name == "silent") {
    const bool answer = name == "answer";
    command.kind = answer ? Kind::Answer : Kind::Silent;
    const std::string_view yes = answer ? "yes" : "on";
    const std::string_view no = answer ? "no" : "off";
    if (arguments != 1 || (words[1] != yes && words[1] != no))
      return fail(error, std::string(name) + " needs " + std::string(yes) + " or " + std::string(no));
    command.on = words[1] == yes;
    return ParseResult::Command;
  }
  if (name == "focus") {
    command.kind = Kind::Focus;
    if (arguments != 1 || (words[1] != "in" && words[1] != "out")) return fail(error, "focus needs in or out");
    command.on = words[1] == "in";
    return ParseResult::Command;
  }
  if (name == "screenshot") {
    command.kind = Kind::Screenshot;
    if (arguments == 0) return fail(error, "screenshot needs a file path");
    command.path = std::string(trimmed(text.substr(name.size())));
    return ParseResult::Command;
  }
  if (name == "clipboard") {
    command.kind = Kind::Clipboard;
    command.path = std::string(trimmed(text.substr(name.size())));
    return ParseResult::Command;
  }
  if (name == "dump" || name == "quit") {
    command.kind = name == "dump" ? Kind::Dump : Kind::Quit;
    if (arguments != 0) return fail(error, std::string(name) + " takes no arguments");
    return ParseResult::Command;
  }
  return fail(error, "unknown command " + shown(name));
}

std::optional<HostEvent> eventOfCommand(const ScriptCommand& command) {
  using Kind = ScriptCommand::Kind;
  HostEvent event;
  switch (command.kind) {
    case Kind::Down: event.kind = HostEvent::Kind::PointerDown; break;
    case Kind::Move: event.kind = HostEvent::Kind::PointerMove; break;
    case Kind::Up: event.kind = HostEvent::Kind::PointerUp; break;
    case Kind::Key: event.kind = HostEvent::Kind::Key; break;
    case Kind::Pad: event.kind = HostEvent::Kind::Pad; break;
    case Kind::Command: event.kind = HostEvent::Kind::Command; break;
    case Kind::Answer: event.kind = HostEvent::Kind::Answer; break;
    case Kind::Focus: event.kind = command.on ? HostEvent::Kind::FocusGained : HostEvent::Kind::FocusLost; break;
    default: return std::nullopt;
  }
  // A parsed command holds only its own kind's fields; the rest keep the
  // defaults, which are the event's too.
  event.x = command.x;
  event.y = command.y;
  event.key = command.key;
  event.modifiers = command.modifiers;
  event.pad = command.pad;
  event.id = command.id;
  event.arg = command.arg;
  event.yes = command.kind == Kind::Answer && command.on;
  return event;
}

ScriptReader::Result ScriptReader::next(ScriptCommand& command, std::string& error) {
  std::streambuf& bytes = *input_.rdbuf();
  using Traits = std::streambuf::traits_type;
  for (;;) {
    if (Traits::eq_int_type(bytes.sgetc(), Traits::eof())) return Result::End;
    ++lineNumber_;
    line_.clear();
    for (auto c = bytes.sbumpc(); !Traits::eq_int_type(c, Traits::eof()) && c != '\n'; c = bytes.sbumpc()) {
      if (line_.size() == MaxScriptLineLength) {
        error = "longer than " + std::to_string(MaxScriptLineLength) + " characters";
        return Result::Error;
      }
      line_ += Traits::to_char_type(c);
    }
    switch (parseScriptLine(line_, command, error)) {
      case ParseResult::Command:
        if (command.kind == ScriptCommand::Kind::Wait) {
          if (command.ms > MaxScriptMs - elapsedMs_) {
            error = "the waits add up to more than " + std::to_string(MaxScriptMs) + " ms (a week)";
            return Result::Error;
          }
          elapsedMs_ += command.ms;
        }
        return Result::Command;
      case ParseResult::Blank: break;
      case ParseResult::Error: return Result::Error;
    }
  }
}
