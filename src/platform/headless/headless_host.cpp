// The script-driven host: commands, virtual time, dumps and screenshots.
#include "platform/headless/headless_host.hpp"

#include <stb_image_write.h>

#include <cstdio>
#include <utility>

#include "platform/canvas.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/sound_numbers.hpp"
#include "platform/system/utf.hpp"

namespace {

constexpr size_t ExpectedSoundsPerDump = 1024;

// `text` (UTF-8) as a JSON string literal.
void appendJsonUtf8(std::string& json, std::string_view text) {
  json += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  json += '"';
}

HostEvent pointerEvent(HostEvent::Kind kind, int32_t x, int32_t y) {
  HostEvent event;
  event.kind = kind;
  event.x = x;
  event.y = y;
  return event;
}

}  // namespace

HeadlessHost::HeadlessHost(std::istream& script, std::ostream& out, std::ostream& err,
                           services::WebClient::Transfer transfer)
    : script_(script), out_(out), err_(err), web_(nullptr, std::move(transfer)) {
  soundsPlayed_.reserve(ExpectedSoundsPerDump);
  pulsesAsked_.reserve(ExpectedSoundsPerDump);
  json_.reserve(4096);
}

void HeadlessHost::scriptError(const std::string& what) {
  err_ << "error: line " << script_.lineNumber() << ": " << what << '\n';
  err_.flush();
  failed_ = true;
  ended_ = true;
}

bool HeadlessHost::nextCommand(ScriptCommand& command) {
  if (ended_) return false;
  std::string error;
  switch (script_.next(command, error)) {
    case ScriptReader::Result::Command: return true;
    case ScriptReader::Result::Error: scriptError(error); return false;
    case ScriptReader::Result::End: break;
  }
  ended_ = true;
  return false;
}

// A `wait` stops the clock at every deadline the loop gives (the next timer),
// and the next line is read only once nothing is due at or before the clock.
// So every timer due at or before an event's moment fires before the event,
// which is what the live loop does before it delivers (and records) an event:
// a recorded session replays here in the order it happened.
bool HeadlessHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  for (;;) {
    if (!replies_.empty()) {
      if (deadlineMs <= clockMs_) return false;  // what is due now comes first
      event = std::move(replies_.front());
      replies_.pop_front();
      return true;
    }
    if (waitUntilMs_) {
      if (deadlineMs <= *waitUntilMs_) {  // something is due during the wait
        clockMs_ = std::max(clockMs_, deadlineMs);
        return false;
      }
      clockMs_ = *waitUntilMs_;
      waitUntilMs_.reset();
    }
    if (deadlineMs <= clockMs_) return false;  // due now: before the next line
    if (pending_) {
      event = *pending_;
      pending_.reset();
      return true;
    }
    ScriptCommand command;
    if (!nextCommand(command)) {
      event = HostEvent{};
      event.kind = HostEvent::Kind::Close;
      return true;
    }
    using Kind = ScriptCommand::Kind;
    if (const std::optional<HostEvent> made = eventOfCommand(command)) {
      if (command.kind == Kind::Command && questionOpen()) {
        scriptError("a question is open: answer it first");
      } else if (command.kind == Kind::Answer && !questionOpen()) {
        scriptError("no question is open");
      } else {
        event = *made;
        return true;
      }
    }
    switch (command.kind) {
      case Kind::Wait:
        for (WebReply reply; web_.takeReply(reply);) replies_.push_back(webReplyEvent(std::move(reply)));
        waitUntilMs_ = clockMs_ + command.ms;
        break;
      case Kind::Tap:
        pending_ = pointerEvent(HostEvent::Kind::PointerUp, command.x, command.y);
        event = pointerEvent(HostEvent::Kind::PointerDown, command.x, command.y);
        return true;
      case Kind::Silent: MzSetSilence(command.on); break;
      case Kind::Clipboard: clipboard_ = command.path; break;
      case Kind::Screenshot:
        if (!screenshot(command.path)) scriptError("cannot write " + command.path);
        break;
      case Kind::Dump: dump(); break;
      case Kind::Quit: ended_ = true; break;
      default: break;  // made its event above
    }
    out_.flush();
  }
}

void HeadlessHost::present(const Canvas&, const MzRect&) { ++framesPresented_; }

void HeadlessHost::playSound(const std::string& path, bool loop) {
  const uint32_t index = MzSoundNumberOfPath(path);
  if (index != 0) soundsPlayed_.push_back(index);
  // One sound at a time: any new sound ends the looping one.
  looping_.reset();
  if (loop && index != 0) looping_ = index;
}

uint32_t HeadlessHost::sendWebRequest(const WebRequest& request) { return web_.send(request); }

void HeadlessHost::pulse(HapticPulse pulse) { pulsesAsked_.push_back(pulse); }

ShareOutcome HeadlessHost::shareText(const std::string& text) {
  textsShared_.push_back(text);
  clipboard_ = text;  // as a desktop's clipboard would hold it
  return ShareOutcome::Copied;
}

void HeadlessHost::announce(std::string_view text, AnnouncementPriority priority) {
  announcements_.push_back({std::string(text), priority});
}

void HeadlessHost::dump() {
  json_.clear();
  json_ += "{\"t\":" + std::to_string(clockMs_) + ",\"sounds\":[";
  for (size_t i = 0; i < soundsPlayed_.size(); ++i) {
    if (i > 0) json_ += ',';
    json_ += std::to_string(soundsPlayed_[i]);
  }
  json_ += "],\"looping\":" + (looping_ ? std::to_string(*looping_) : std::string("null"));
  json_ += ",\"haptics\":[";
  for (size_t i = 0; i < pulsesAsked_.size(); ++i) {
    if (i > 0) json_ += ',';
    json_ += '"';
    json_ += hapticPulseName(pulsesAsked_[i]);
    json_ += '"';
  }
  json_ += "],\"announcements\":[";
  for (size_t i = 0; i < announcements_.size(); ++i) {
    if (i > 0) json_ += ',';
    json_ += "{\"text\":";
    appendJsonUtf8(json_, announcements_[i].text);
    json_ += ",\"priority\":\"";
    json_ += announcementPriorityName(announcements_[i].priority);
    json_ += "\"}";
  }
  json_ += ']';
  appendPlatformDebugState(json_);
  json_ += ",\"shared\":[";
  for (size_t i = 0; i < textsShared_.size(); ++i) {
    if (i > 0) json_ += ',';
    appendJsonString(json_, utf16FromUtf8(textsShared_[i]));
  }
  json_ += "]}\n";
  soundsPlayed_.clear();
  pulsesAsked_.clear();
  textsShared_.clear();

  announcements_.clear();
  out_ << json_;
}

bool HeadlessHost::screenshot(const std::string& path) {
  paintIfDirty();
  const Canvas& frame = currentFrame();
  return stbi_write_png(path.c_str(), Canvas::Width, Canvas::Height, 4, frame.pixels(), Canvas::Width * 4) != 0;
}
