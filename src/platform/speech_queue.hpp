// Speech on the desktop: the announcements a host speaks while the Speech
// option is on, handed to a voice (speech-dispatcher, SAPI) on a thread of its
// own, so that the game never waits for speech. A voice's calls may wait for a
// server or a sound card, and some voices belong to the thread that made them
// (COM's), so the voice is made, used and ended on that thread alone.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/announcements.hpp"

struct SpokenLine {
  std::string text;      // UTF-8
  std::string language;  // the game's language code ("de", "zh")
  AnnouncementPriority priority = AnnouncementPriority::Polite;
};

// The system's voice, as the speaking thread sees it.
class SpeechVoice {
 public:
  virtual ~SpeechVoice() = default;
  // Starts speaking `line` and returns without waiting for its end. A polite
  // line cuts short the polite one still being spoken; an assertive one is
  // never cut short. Empty when the line was handed over; otherwise why this
  // voice cannot speak.
  virtual std::string speak(const SpokenLine& line) = 0;
};

// Makes the voice on the speaking thread, at the first line to speak: null,
// with the reason in `why`, when no voice can be had.
using SpeechVoiceMaker = std::function<std::unique_ptr<SpeechVoice>(std::string& why)>;

class SpeechQueue {
 public:
  // `errors` hears, once, why speech is off ("quandrel: speech is off: ...");
  // it must outlive the speaking thread (std::cerr does).
  SpeechQueue(SpeechVoiceMaker makeVoice, std::ostream& errors);
  // Ends the speaking thread, waiting a moment for it to end its voice; one
  // stuck in a voice's call is left to end with the process.
  ~SpeechQueue();
  SpeechQueue(const SpeechQueue&) = delete;
  SpeechQueue& operator=(const SpeechQueue&) = delete;

  // Hands `text` (UTF-8) in `language` to the speaking thread. Polite lines
  // still waiting give way to a newer line; an assertive line is never
  // dropped unless the queue is full of them (the oldest then goes). The
  // first line starts the thread. Allocates nothing for a line that fits the
  // queue's room.
  void speak(std::string_view text, AnnouncementPriority priority, const std::string& language);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
