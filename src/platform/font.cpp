// Text measuring and drawing with stb_truetype and a glyph cache.
#include "platform/font.hpp"

#include <algorithm>
#include <cmath>

#include "platform/blend.hpp"
#include "platform/canvas.hpp"

namespace {

uint64_t glyphKey(char32_t codepoint, int32_t pixelHeight) {
  return (static_cast<uint64_t>(codepoint) << 16) | static_cast<uint16_t>(pixelHeight);
}

}  // namespace

char32_t nextCodepoint(std::u16string_view text, size_t& index) {
  const char16_t unit = text[index++];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && index < text.size() && text[index] >= 0xDC00 && text[index] <= 0xDFFF) {
    const char16_t low = text[index++];
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
  }
  return 0xFFFD;
}

Font::Font(std::span<const uint8_t> ttf) {
  glyphs_.reserve(GlyphCapacity);
  coverage_.reserve(CoverageCapacity);
  if (ttf.empty()) return;
  const int offset = stbtt_GetFontOffsetForIndex(ttf.data(), 0);
  if (offset < 0 || !stbtt_InitFont(&info_, ttf.data(), offset)) return;
  int ascent = 0;
  int descent = 0;
  int lineGap = 0;
  stbtt_GetFontVMetrics(&info_, &ascent, &descent, &lineGap);
  ascent_ = ascent;
  descent_ = descent;
  valid_ = ascent_ > descent_;
}

bool Font::hasGlyph(char32_t codepoint) const {
  return valid_ && stbtt_FindGlyphIndex(&info_, static_cast<int>(codepoint)) != 0;
}

int32_t Font::ascent(int32_t pixelHeight) const {
  if (!valid_) return 0;
  return static_cast<int32_t>(std::lround(ascent_ * stbtt_ScaleForPixelHeight(&info_, static_cast<float>(pixelHeight))));
}

int32_t Font::lineHeight(int32_t pixelHeight) const {
  if (!valid_) return 0;
  const float scale = stbtt_ScaleForPixelHeight(&info_, static_cast<float>(pixelHeight));
  return static_cast<int32_t>(std::lround((ascent_ - descent_) * scale));
}

const Font::Glyph& Font::glyph(char32_t codepoint, int32_t pixelHeight) {
  const uint64_t key = glyphKey(codepoint, pixelHeight);
  if (auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;

  Glyph glyph;
  const float scale = stbtt_ScaleForPixelHeight(&info_, static_cast<float>(pixelHeight));
  const int index = stbtt_FindGlyphIndex(&info_, static_cast<int>(codepoint));
  if (index != 0) {
    int advance = 0;
    int bearing = 0;
    stbtt_GetGlyphHMetrics(&info_, index, &advance, &bearing);
    glyph.advance = static_cast<int32_t>(std::lround(advance * scale));
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&info_, index, scale, scale, &x0, &y0, &x1, &y1);
    glyph.left = x0;
    glyph.top = y0;
    glyph.width = std::max(0, x1 - x0);
    glyph.height = std::max(0, y1 - y0);
    glyph.offset = coverage_.size();
    coverage_.resize(coverage_.size() + static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
    if (glyph.width > 0 && glyph.height > 0) {
      stbtt_MakeGlyphBitmap(&info_, coverage_.data() + glyph.offset, glyph.width, glyph.height, glyph.width,
                            scale, scale, index);
    }
  } else {
    glyph.advance = pixelHeight / 2;  // a character the font lacks leaves a gap
  }
  return glyphs_.emplace(key, glyph).first->second;
}

int32_t Font::measure(std::u16string_view text, int32_t pixelHeight) {
  if (!valid_ || pixelHeight <= 0) return 0;
  int32_t width = 0;
  for (size_t i = 0; i < text.size();) width += glyph(nextCodepoint(text, i), pixelHeight).advance;
  return width;
}

void Font::draw(Canvas& canvas, std::u16string_view text, int32_t x, int32_t baseline, int32_t pixelHeight,
                uint32_t colour) {
  if (!valid_ || pixelHeight <= 0) return;
  const MzRect& clip = canvas.clip();
  uint32_t* pixels = canvas.pixels();
  int32_t pen = x;
  for (size_t i = 0; i < text.size();) {
    const Glyph& g = glyph(nextCodepoint(text, i), pixelHeight);
    const int32_t left = pen + g.left;
    const int32_t top = baseline + g.top;
    const int32_t x0 = std::max(left, clip.left);
    const int32_t x1 = std::min(left + g.width, clip.right);
    const int32_t y0 = std::max(top, clip.top);
    const int32_t y1 = std::min(top + g.height, clip.bottom);
    for (int32_t y = y0; y < y1; ++y) {
      const uint8_t* row = coverage_.data() + g.offset + static_cast<size_t>(y - top) * static_cast<size_t>(g.width);
      uint32_t* out = pixels + static_cast<size_t>(y) * Canvas::Width;
      if (x1 > x0) blendCoverageSpan(out + x0, row + (x0 - left), colour, x1 - x0);
    }
    pen += g.advance;
  }
}
