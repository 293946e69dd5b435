// Filling the share sentence's fields.
#include "runs/share_text.hpp"

#include <string>

namespace runs {

namespace {

// `word` with each {1} replaced by `number`.
std::string countedWord(std::string_view word, int32_t number) {
  constexpr std::string_view Place = "{1}";
  std::string text;
  for (size_t at = 0; at < word.size();) {
    if (word.substr(at, Place.size()) == Place) {
      text += std::to_string(number);
      at += Place.size();
    } else {
      text += word[at++];
    }
  }
  return text;
}

}  // namespace

std::string minutesAndSeconds(uint32_t ms) {
  const uint32_t seconds = ms / 1000;
  const uint32_t rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

std::string fillShareSentence(std::string_view sentence, const ShareWords& words, const RunResult& result,
                              std::string_view link) {
  const std::pair<std::string_view, std::string> fields[] = {
      {"{day}", std::to_string(result.day)},
      {"{level}", std::to_string(result.level)},
      {"{score}", countedWord(words.points, result.score)},
      {"{stars}", countedWord(words.stars, result.stars)},
      {"{shots}", countedWord(words.shots, result.shots)},
      {"{time}", minutesAndSeconds(result.timeMs)},
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
