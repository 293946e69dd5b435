// The speaking thread and the queue of lines waiting for it.
#include "platform/speech_queue.hpp"

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace {

// Lines waiting for the voice; each slot's text keeps its room, so handing one
// over allocates nothing.
constexpr size_t QueueSlots = 16;
constexpr size_t TextRoom = 2048;
// How long the game, ending, waits for the voice to end.
constexpr std::chrono::milliseconds EndingWait{500};

}  // namespace

struct SpeechQueue::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::array<SpokenLine, QueueSlots> queue;
  size_t first = 0;  // the oldest waiting
  size_t count = 0;
  bool started = false;
  bool ending = false;
  bool ended = false;  // the speaking thread has let its voice go
  SpeechVoiceMaker makeVoice;
  std::ostream* errors = nullptr;

  SpokenLine& at(size_t i) { return queue[(first + i) % QueueSlots]; }

  // A newer line arrived: the polite ones still waiting give way. False when
  // the queue is still full (of assertive ones).
  bool makeRoom() {
    size_t kept = 0;
    for (size_t i = 0; i < count; ++i) {
      if (at(i).priority == AnnouncementPriority::Assertive) std::swap(at(kept++), at(i));
    }
    count = kept;
    return count < QueueSlots;
  }
};

namespace {

// The speaking thread: makes the voice at the first line, hands it the waiting
// lines in order, and stops speaking (said once) when the voice cannot.
void speakWaiting(std::shared_ptr<SpeechQueue::Shared> shared) {
  std::unique_ptr<SpeechVoice> voice;
  bool off = false;
  SpokenLine line;
  line.text.reserve(TextRoom);
  for (;;) {
    {
      std::unique_lock lock(shared->mutex);
      shared->changed.wait(lock, [&] { return shared->ending || shared->count > 0; });
      if (shared->ending) break;
      std::swap(line, shared->at(0));
      shared->first = (shared->first + 1) % QueueSlots;
      shared->count -= 1;
    }
    if (off) continue;
    std::string why;
    if (!voice) voice = shared->makeVoice(why);
    if (voice) why = voice->speak(line);
    if (!why.empty()) {
      *shared->errors << "quandrel: speech is off: " << why << '\n' << std::flush;
      voice.reset();
      off = true;
    }
  }
  voice.reset();
  std::lock_guard lock(shared->mutex);
  shared->ended = true;
  shared->changed.notify_all();
}

}  // namespace

SpeechQueue::SpeechQueue(SpeechVoiceMaker makeVoice, std::ostream& errors) : shared_(std::make_shared<Shared>()) {
  shared_->makeVoice = std::move(makeVoice);
  shared_->errors = &errors;
  for (SpokenLine& line : shared_->queue) {
    line.text.reserve(TextRoom);
    line.language.reserve(16);
  }
}

SpeechQueue::~SpeechQueue() {
  std::unique_lock lock(shared_->mutex);
  shared_->ending = true;
  shared_->changed.notify_all();
  if (shared_->started) shared_->changed.wait_for(lock, EndingWait, [&] { return shared_->ended; });
}

void SpeechQueue::speak(std::string_view text, AnnouncementPriority priority, const std::string& language) {
  Shared& shared = *shared_;
  std::lock_guard lock(shared.mutex);
  if (!shared.started) {
    shared.started = true;
    // The thread owns a share of the queue: it may outlive this object.
    std::thread(speakWaiting, shared_).detach();
  }
  if (!shared.makeRoom()) {
    // Only assertive lines wait: the oldest gives way rather than the game.
    shared.first = (shared.first + 1) % QueueSlots;
    shared.count -= 1;
  }
  SpokenLine& slot = shared.at(shared.count);
  slot.text.assign(text.substr(0, TextRoom - 1));
  slot.language.assign(language);
  slot.priority = priority;
  shared.count += 1;
  shared.changed.notify_all();
}
