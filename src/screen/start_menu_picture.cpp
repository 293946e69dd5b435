// The version is drawn as the pictures draw their words: white, outlined in ink.
#include "screen/start_menu_picture.hpp"

#include <string>

#include "app/version.hpp"
#include "platform/canvas.hpp"
#include "platform/system/utf.hpp"

namespace {

constexpr MzColour InkColour = 0x2E2448;
constexpr MzColour WhiteColour = 0xFFFFFF;
constexpr int32_t TextHeight = 13;
// Centred where the corner leaves room for the longest version.
constexpr MzRect VersionArea = rectOf(420, 696, 64, 20);

MzRect shifted(const MzRect& rect, int32_t dx, int32_t dy) {
  return MzRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

void StartMenuPicture::Paint(Canvas& canvas) const {
  UiPicture::Paint(canvas);
  const std::u16string text = utf16FromUtf8(std::string("v") + quandrelVersion());
  const MzRect area = shifted(VersionArea, GetPosX(), GetPosY());
  // Drawn twice a pixel apart for bold strokes, inside an ink ring a pixel wide.
  for (int32_t dy = -1; dy <= 1; ++dy) {
    for (int32_t dx = -1; dx <= 2; ++dx) canvas.drawText(text.c_str(), shifted(area, dx, dy), TextHeight, InkColour);
  }
  for (int32_t dx = 0; dx <= 1; ++dx) canvas.drawText(text.c_str(), shifted(area, dx, 0), TextHeight, WhiteColour);
}
