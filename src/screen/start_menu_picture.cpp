// The version is drawn as the pictures draw their words: white, outlined in ink.
#include "screen/start_menu_picture.hpp"

#include <string>

#include "app/version.hpp"
#include "platform/canvas.hpp"
#include "platform/system/utf.hpp"

namespace {

constexpr MzColour InkColour = 0x2E2448;
constexpr MzColour WhiteColour = 0xFFFFFF;
constexpr int32_t TextHeight = 12;
// Centred where the corner leaves room for the longest version.
constexpr MzRect VersionArea = rectOf(416, 698, 64, 16);

MzRect shifted(const MzRect& rect, int32_t dx, int32_t dy) {
  return MzRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

void StartMenuPicture::Paint(Canvas& canvas) const {
  UiPicture::Paint(canvas);
  const std::u16string text = utf16FromUtf8(std::string("v") + quandrelVersion());
  const MzRect area = shifted(VersionArea, GetPosX(), GetPosY());
  for (int32_t dy = -1; dy <= 1; ++dy) {
    for (int32_t dx = -1; dx <= 1; ++dx) {
      if (dx != 0 || dy != 0) canvas.drawText(text.c_str(), shifted(area, dx, dy), TextHeight, InkColour);
    }
  }
  canvas.drawText(text.c_str(), area, TextHeight, WhiteColour);
}
