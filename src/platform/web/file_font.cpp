// The browser build's font: /quandrel/fonts/<language>.ttf, holding only the
// characters of that language's texts, a file of the language's first package
// (in place before the program starts and before a switch to the language, as
// its catalogue is). The font follows the active language.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/font.hpp"
#include "platform/language/language.hpp"

namespace {

struct LanguageFont {
  std::string language;
  std::vector<uint8_t> bytes;  // the font reads them in place
  std::optional<Font> font;
};

bool readFontFile(const std::string& language, std::vector<uint8_t>& bytes) {
  std::ifstream in("/quandrel/fonts/" + language + ".ttf", std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && !bytes.empty();
}

}  // namespace

Font& uiFont() {
  static LanguageFont current;
  const std::string& language = activeLanguage();
  if (current.font && current.language == language) return *current.font;
  std::vector<uint8_t> bytes;
  // Without the language's file the font in use stays: most of its texts still show.
  if (readFontFile(language, bytes) || !current.font) {
    current.font.reset();
    current.bytes = std::move(bytes);
    current.font.emplace(current.bytes);
  }
  current.language = language;
  return *current.font;
}
