// Turning delivered events into script lines, and the file they go to.
#include "platform/session_recorder.hpp"

#include <cstdio>

#include "platform/focus_pause.hpp"
#include "platform/key_names.hpp"

namespace {

constexpr std::string_view Heading =
    "# A recorded session. Replay: quandrel --headless --script FILE, or in a window: quandrel --replay FILE\n";

std::string withModifiers(const HostEvent& event) {
  std::string name;
  if (event.modifiers & MzKeyModAlt) name += "Alt+";
  if (event.modifiers & MzKeyModCtrl) name += "Ctrl+";
  if (event.modifiers & MzKeyModShift) name += "Shift+";
  name += keyName(event.key);
  return name;
}

std::string pointerLine(const char* verb, const HostEvent& event) {
  return std::string(verb) + ' ' + std::to_string(event.x) + ' ' + std::to_string(event.y);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string scriptLineOf(const HostEvent& event) {
  using Kind = HostEvent::Kind;
  switch (event.kind) {
    case Kind::PointerDown: return pointerLine("down", event);
    case Kind::PointerMove: return pointerLine("move", event);
    case Kind::PointerUp: return pointerLine("up", event);
    case Kind::Key: return event.key == MzKey::Unknown ? std::string() : "key " + withModifiers(event);
    case Kind::Command:
      return "command " + std::to_string(event.id) + (event.arg != 0 ? ' ' + std::to_string(event.arg) : "");
    case Kind::Answer: return event.yes ? "answer yes" : "answer no";
    case Kind::Pad: return "pad " + std::string(padButtonName(event.pad));
    case Kind::Close: return "quit";
    case Kind::FocusLost: return "focus out";
    case Kind::FocusGained: return "focus in";
    case Kind::Wake: return {};
  }
  return {};
}

SessionRecorder::SessionRecorder(LineSink sink) : sink_(std::move(sink)) { sink_(Heading); }

std::unique_ptr<SessionRecorder> SessionRecorder::toFile(const std::string& path, std::string& error) {
  std::FILE* opened = std::fopen(path.c_str(), "w");
  if (!opened) {
    error = "cannot write the recording '" + path + "'";
    return nullptr;
  }
  std::shared_ptr<std::FILE> file(opened, FileCloser{});
  return std::make_unique<SessionRecorder>([file](std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), file.get());
    std::fflush(file.get());
  });
}

void SessionRecorder::record(const HostEvent& event, uint64_t momentMs) {
  const bool focusChange = event.kind == HostEvent::Kind::FocusLost || event.kind == HostEvent::Kind::FocusGained;
  if (focusChange && !focusPauseEnabled()) return;
  const std::string what = scriptLineOf(event);
  if (what.empty()) return;
  if (momentMs > lastMs_) {
    line_ = "wait " + std::to_string(momentMs - lastMs_) + '\n';
    sink_(line_);
    lastMs_ = momentMs;
  }
  line_ = what + '\n';
  sink_(line_);
}
