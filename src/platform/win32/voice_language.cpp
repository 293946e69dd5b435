// Matching a voice's language ids against the game's languages.
#include "platform/win32/voice_language.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

namespace {

struct GameLanguage {
  std::string_view code;
  uint16_t languageId;  // the variant the game's catalogue is written in
};

constexpr GameLanguage GameLanguages[] = {
    {"de", 0x0407}, {"en", 0x0409}, {"es", 0x0C0A}, {"fr", 0x040C}, {"ja", 0x0411},
    {"ko", 0x0412}, {"pt", 0x0416}, {"ru", 0x0419}, {"zh", 0x0804},
};

// The low ten bits of a Windows language id name the language, the rest its variant.
constexpr uint16_t PrimaryLanguageMask = 0x3FF;

}  // namespace

int voiceLanguageScore(std::string_view languageAttribute, std::string_view language) {
  const GameLanguage* wanted = nullptr;
  for (const GameLanguage& known : GameLanguages) {
    if (known.code == language) wanted = &known;
  }
  if (wanted == nullptr) return 0;
  int best = 0;
  while (!languageAttribute.empty()) {
    const size_t end = std::min(languageAttribute.find(';'), languageAttribute.size());
    std::string_view item = languageAttribute.substr(0, end);
    languageAttribute.remove_prefix(std::min(end + 1, languageAttribute.size()));
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    uint16_t id = 0;
    const auto [next, error] = std::from_chars(item.data(), item.data() + item.size(), id, 16);
    if (error != std::errc() || next != item.data() + item.size()) continue;
    if (id == wanted->languageId) return 2;
    if ((id & PrimaryLanguageMask) == (wanted->languageId & PrimaryLanguageMask)) best = 1;
  }
  return best;
}
