// Filling the share sentence's fields.
#include "runs/share_text.hpp"

#include <string>

namespace runs {

std::string minutesAndSeconds(uint32_t ms) {
  const uint32_t seconds = ms / 1000;
  const uint32_t rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

std::string fillShareSentence(std::string_view sentence, const RunResult& result, std::string_view link) {
  const std::pair<std::string_view, std::string> fields[] = {
      {"{day}", std::to_string(result.day)},     {"{level}", std::to_string(result.level)},
      {"{score}", std::to_string(result.score)}, {"{stars}", std::to_string(result.stars)},
      {"{shots}", std::to_string(result.shots)}, {"{time}", minutesAndSeconds(result.timeMs)},
      {"{link}", std::string(link)},
  };
  std::string text;
  size_t at = 0;
  while (at < sentence.size()) {
    bool filled = false;
    if (sentence[at] == '{') {
      for (const auto& [name, value] : fields) {
        if (sentence.substr(at, name.size()) == name) {
          text += value;
          at += name.size();
          filled = true;
          break;
        }
      }
    }
    if (!filled) text += sentence[at++];
  }
  return text;
}

}  // namespace runs
