// Sound numbers by file name.
#include "platform/sound_numbers.hpp"

#include <algorithm>
#include <vector>

#include "platform/system/utf.hpp"

namespace {

// What each numbered name ends with once resolved: the name from its first '/' on
// ("./Sounds/x.wav" gives "/Sounds/x.wav"), '\' counting as '/'; index 0 is sound 1.
std::vector<std::string>& soundSuffixes() {
  static std::vector<std::string> suffixes;
  return suffixes;
}

}  // namespace

void MzSetSoundNumbers(const char16_t* const* fileNames, size_t count) {
  std::vector<std::string>& suffixes = soundSuffixes();
  suffixes.clear();
  for (size_t i = 0; i < count; ++i) {
    std::string name = fileNames[i] ? utf8FromUtf16(fileNames[i]) : std::string();
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.starts_with("./")) name.erase(0, 1);
    suffixes.push_back(std::move(name));
  }
}

uint32_t MzSoundNumberOfPath(const std::string& path) {
  const std::vector<std::string>& suffixes = soundSuffixes();
  for (size_t i = 0; i < suffixes.size(); ++i) {
    if (!suffixes[i].empty() && path.ends_with(suffixes[i])) return static_cast<uint32_t>(i + 1);
  }
  return 0;
}
