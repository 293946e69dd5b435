// speech-dispatcher through libspeechd.so.2, looked up with dlopen. The few
// entry points and values used are declared here from the library's stable C
// interface, so no development package is needed to build.
#include "platform/sdl/speech_dispatcher.hpp"

#include <dlfcn.h>

namespace {

constexpr const char* SpeechLibraryName = "libspeechd.so.2";
// SPDConnectionMode and SPDPriority values of libspeechd.h.
constexpr int ModeSingle = 0;
constexpr int PriorityImportant = 1;
constexpr int PriorityText = 3;

using OpenFunction = void* (*)(const char*, const char*, const char*, int);
using SayFunction = int (*)(void*, int, const char*);
using SetLanguageFunction = int (*)(void*, const char*);

class SpeechDispatcherVoice final : public SpeechVoice {
 public:
  SpeechDispatcherVoice(void* connection, SayFunction say, SetLanguageFunction setLanguage)
      : connection_(connection), say_(say), setLanguage_(setLanguage) {}

  std::string speak(const SpokenLine& line) override {
    if (line.language != language_ && setLanguage_(connection_, line.language.c_str()) == 0) language_ = line.language;
    const int priority = line.priority == AnnouncementPriority::Assertive ? PriorityImportant : PriorityText;
    if (say_(connection_, priority, line.text.c_str()) < 0) return "speech-dispatcher refused a line";
    return {};
  }

 private:
  void* connection_;
  SayFunction say_;
  SetLanguageFunction setLanguage_;
  std::string language_;
};

}  // namespace

std::unique_ptr<SpeechVoice> makeSpeechDispatcherVoice(std::string& why) {
  void* handle = dlopen(SpeechLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    why = std::string("cannot load ") + SpeechLibraryName + " (install speech-dispatcher)";
    return nullptr;
  }
  const auto open = reinterpret_cast<OpenFunction>(dlsym(handle, "spd_open"));
  const auto say = reinterpret_cast<SayFunction>(dlsym(handle, "spd_say"));
  const auto setLanguage = reinterpret_cast<SetLanguageFunction>(dlsym(handle, "spd_set_language"));
  if (open == nullptr || say == nullptr || setLanguage == nullptr) {
    why = std::string(SpeechLibraryName) + " lacks the functions it needs";
    return nullptr;
  }
  void* connection = open("quandrel", "announcements", nullptr, ModeSingle);
  if (connection == nullptr) {
    why = "speech-dispatcher cannot be reached";
    return nullptr;
  }
  return std::make_unique<SpeechDispatcherVoice>(connection, say, setLanguage);
}
