// Builds image paths into one reused buffer so that play allocates nothing.
#include "screen/image_path.hpp"

#include <string>

#include "settings/game_settings.hpp"

namespace {

// Longer than every literal of the image catalogue.
constexpr size_t LongestLiteral = 64;

}  // namespace

const char16_t* imagePath(const char16_t* literal) {
  static const std::u16string directory = GetExeDirectory();
  static std::u16string buffer = [] {
    std::u16string reserved;
    reserved.reserve(directory.size() + LongestLiteral);
    return reserved;
  }();
  buffer.assign(directory);
  buffer.append(literal);
  return buffer.c_str();
}
