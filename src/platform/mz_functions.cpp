// The UI library's free functions: work area, parameters, silent mode, the
// question box, window timers and sound playback.
#include "platform/mz_functions.hpp"

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/host.hpp"
#include "platform/message_loop.hpp"
#include "platform/platform_state.hpp"
#include "platform/resources.hpp"
#include "platform/system/executable_path.hpp"
#include "platform/system/utf.hpp"
#include "platform/timer_queue.hpp"

namespace {

constexpr int32_t AnimationParam = 1;

constinit int32_t animationParam = 0;
constinit bool silentMode = false;

struct NameHash {
  using is_transparent = void;
  size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view>{}(name); }
};

// The directory of the executable with a trailing '/', or empty.
std::u16string executableDirectory() {
  std::u16string path = executablePath();
  const size_t slash = path.rfind(u'/');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

std::string resolveSoundPath(std::u16string_view name) {
  std::u16string path(name);
  for (char16_t& c : path) {
    if (c == u'\\') c = u'/';
  }
  if (path.empty() || path.front() != u'/') {
    if (path.starts_with(u"./")) path.erase(0, 2);
    path.insert(0, executableDirectory());
  }
  return utf8FromUtf16(path);
}

// Sound names resolved once: playing the same sound again allocates nothing.
const std::string& resolvedSoundPath(std::u16string_view name) {
  static std::unordered_map<std::u16string, std::string, NameHash, std::equal_to<>> resolved;
  if (auto found = resolved.find(name); found != resolved.end()) return found->second;
  return resolved.emplace(std::u16string(name), resolveSoundPath(name)).first->second;
}

}  // namespace

MzRect MzGetWorkArea() { return MzRect{0, 0, 480, 720}; }

int32_t MzGetParam(int32_t index) { return index == AnimationParam ? animationParam : 0; }

void MzSetParam(int32_t index, int32_t value) {
  if (index == AnimationParam) animationParam = value;
}

InstanceHandle MzGetInstanceHandle() { return &compiledResources(); }

int32_t MzMessageBoxEx(WindowHandle, const char16_t* text, const char16_t* caption, uint32_t, uint32_t) {
  return askQuestion(text, caption);
}

bool MzIsSilence() { return silentMode; }
void MzSetSilence(bool silent) { silentMode = silent; }

uint32_t GetTickCount() { return static_cast<uint32_t>(timerQueue().runningMs(loopNowMs())); }

bool SetTimer(WindowHandle window, uint32_t timerId, uint32_t periodMs) {
  if (!windowFromHandle(window)) return false;
  return timerQueue().start(window, timerId, periodMs, loopNowMs());
}

bool KillTimer(WindowHandle window, uint32_t timerId) { return timerQueue().stop(window, timerId); }

bool PlaySoundW(const char16_t* fileName, uint32_t flags) {
  Host* host = currentHost();
  if (!host || !fileName || !*fileName) return false;
  host->playSound(resolvedSoundPath(fileName), (flags & SndLoop) != 0);
  return true;
}

bool PlayCueW(const char16_t* fileName, float pan) {
  Host* host = currentHost();
  if (!host || !fileName || !*fileName) return false;
  host->playCue(resolvedSoundPath(fileName), pan);
  return true;
}

bool PrepareSoundW(const char16_t* fileName) {
  Host* host = currentHost();
  if (!host || !fileName || !*fileName) return false;
  host->prepareSound(resolvedSoundPath(fileName));
  return true;
}
