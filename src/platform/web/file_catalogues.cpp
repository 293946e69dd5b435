// The browser build's catalogues: /quandrel/catalogues/<language>.po, a file
// of the language's first package, which is in place before the program
// starts and before a switch to the language (WebHost::prepareLanguage).
#include <fstream>
#include <iterator>
#include <string>

#include "platform/language/language.hpp"

bool readCatalogueText(std::string_view language, std::string& text) {
  std::ifstream in("/quandrel/catalogues/" + std::string(language) + ".po", std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}
