// speech-dispatcher through libspeechd.so.2, looked up with dlopen. The few
// entry points and values used are declared here from the library's stable C
// interface, so no development package is needed to build.
#include "platform/sdl/speech_dispatcher.hpp"

#include <dlfcn.h>

#include <array>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

constexpr const char* LibraryName = "libspeechd.so.2";
// SPDConnectionMode and SPDPriority values of libspeechd.h.
constexpr int ModeSingle = 0;
constexpr int PriorityImportant = 1;
constexpr int PriorityText = 3;
// Announcements waiting for the server; each slot's text keeps its room, so
// handing one over allocates nothing.
constexpr size_t QueueSlots = 16;
constexpr size_t TextRoom = 2048;

using OpenFunction = void* (*)(const char*, const char*, const char*, int);
using SayFunction = int (*)(void*, int, const char*);
using SetLanguageFunction = int (*)(void*, const char*);

struct Pending {
  std::string text;
  std::string language;
  AnnouncementPriority priority = AnnouncementPriority::Polite;
};

// The connection, made and used on the speaking thread only.
class Connection {
 public:
  bool say(const Pending& item) {
    if (connection_ == nullptr && (tried_ || !connect())) return false;
    if (item.language != language_ && setLanguage_(connection_, item.language.c_str()) == 0) language_ = item.language;
    const int priority = item.priority == AnnouncementPriority::Assertive ? PriorityImportant : PriorityText;
    return say_(connection_, priority, item.text.c_str()) >= 0;
  }

 private:
  bool connect() {
    tried_ = true;
    void* handle = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      std::fprintf(stderr, "quandrel: speech is off: cannot load %s (install speech-dispatcher)\n", LibraryName);
      return false;
    }
    const auto open = reinterpret_cast<OpenFunction>(dlsym(handle, "spd_open"));
    say_ = reinterpret_cast<SayFunction>(dlsym(handle, "spd_say"));
    setLanguage_ = reinterpret_cast<SetLanguageFunction>(dlsym(handle, "spd_set_language"));
    if (open == nullptr || say_ == nullptr || setLanguage_ == nullptr) {
      std::fprintf(stderr, "quandrel: speech is off: %s lacks the functions it needs\n", LibraryName);
      return false;
    }
    connection_ = open("quandrel", "announcements", nullptr, ModeSingle);
    if (connection_ == nullptr) std::fprintf(stderr, "quandrel: speech is off: speech-dispatcher cannot be reached\n");
    return connection_ != nullptr;
  }

  bool tried_ = false;
  void* connection_ = nullptr;
  SayFunction say_ = nullptr;
  SetLanguageFunction setLanguage_ = nullptr;
  std::string language_;
};

}  // namespace

struct SpeechDispatcher::Shared {
  std::mutex mutex;
  std::condition_variable ready;
  std::array<Pending, QueueSlots> queue;
  size_t first = 0;  // the oldest waiting
  size_t count = 0;
  bool ending = false;
  bool started = false;

  Pending& at(size_t i) { return queue[(first + i) % QueueSlots]; }

  // A newer announcement arrived: the polite ones still waiting give way.
  // False when the queue is still full (of assertive ones).
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

// The speaking thread: hands the waiting announcements to the server in order.
void speakWaiting(std::shared_ptr<SpeechDispatcher::Shared> shared) {
  Connection connection;
  Pending item;
  item.text.reserve(TextRoom);
  for (;;) {
    {
      std::unique_lock lock(shared->mutex);
      shared->ready.wait(lock, [&] { return shared->ending || shared->count > 0; });
      if (shared->ending) return;
      std::swap(item, shared->at(0));
      shared->first = (shared->first + 1) % QueueSlots;
      shared->count -= 1;
    }
    connection.say(item);
  }
}

}  // namespace

SpeechDispatcher::SpeechDispatcher() : shared_(std::make_shared<Shared>()) {
  for (Pending& item : shared_->queue) {
    item.text.reserve(TextRoom);
    item.language.reserve(16);
  }
}

SpeechDispatcher::~SpeechDispatcher() {
  std::lock_guard lock(shared_->mutex);
  shared_->ending = true;
  shared_->ready.notify_all();
}

void SpeechDispatcher::speak(std::string_view text, AnnouncementPriority priority, const std::string& language) {
  Shared& shared = *shared_;
  std::lock_guard lock(shared.mutex);
  if (!shared.started) {
    shared.started = true;
    // The thread owns a share of the queue: it may outlive this object.
    std::thread(speakWaiting, shared_).detach();
  }
  if (!shared.makeRoom()) {
    // Only assertive ones wait: the oldest gives way rather than the game.
    shared.first = (shared.first + 1) % QueueSlots;
    shared.count -= 1;
  }
  Pending& slot = shared.at(shared.count);
  slot.text.assign(text.substr(0, TextRoom - 1));
  slot.language.assign(language);
  slot.priority = priority;
  shared.count += 1;
  shared.ready.notify_one();
}
