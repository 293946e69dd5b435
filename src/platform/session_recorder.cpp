// Turning delivered events into script lines, and the file they go to.
#include "platform/session_recorder.hpp"

#include <fstream>

#include "platform/focus_pause.hpp"
#include "platform/key_names.hpp"
#include "platform/system/path_text.hpp"

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
    case Kind::Wake:
    case Kind::WebReply: return {};  // not input: a replay gets replies of its own
  }
  return {};
}

SessionRecorder::SessionRecorder(LineSink sink) : sink_(std::move(sink)) { sink_(Heading); }

std::unique_ptr<SessionRecorder> SessionRecorder::toFile(const std::string& path, std::string& error) {
  auto file = std::make_shared<std::ofstream>(filesystemPathFromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!*file) {
    error = "cannot write the recording '" + path + "'";
    return nullptr;
  }
  return std::make_unique<SessionRecorder>([file](std::string_view line) {
    file->write(line.data(), static_cast<std::streamsize>(line.size()));
    file->flush();
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
