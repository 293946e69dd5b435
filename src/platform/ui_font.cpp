// The font of the native builds: every language's characters, compiled in.
#include "platform/font.hpp"

Font& uiFont() {
  static Font font(embeddedFontData());
  return font;
}
