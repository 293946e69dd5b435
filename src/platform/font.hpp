// The user-interface font: a compiled-in TrueType subset rasterised with
// stb_truetype. Glyphs are rasterised once per size and kept in storage set
// aside up front, so drawing text allocates nothing, even text never drawn
// before (up to GlyphCapacity glyphs and CoverageCapacity bytes of bitmaps).
#pragma once

#include <stb_truetype.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>
#if __has_include(<memory_resource>)
#include <memory_resource>
#define QUANDREL_GLYPH_ARENA 1
#endif

class Canvas;
struct MzRect;

class Font {
 public:
  static constexpr size_t GlyphCapacity = 1024;
  static constexpr size_t CoverageCapacity = 256 * 1024;

  explicit Font(std::span<const uint8_t> ttf);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  bool valid() const { return valid_; }
  bool hasGlyph(char32_t codepoint) const;
  // Width of `text` in pixels at `pixelHeight`.
  int32_t measure(std::u16string_view text, int32_t pixelHeight);
  // Draws `text` (colour 0xRRGGBB) with its left end at x and its baseline at y.
  void draw(Canvas& canvas, std::u16string_view text, int32_t x, int32_t baseline, int32_t pixelHeight,
            uint32_t colour);
  // Distance from the top of a line to its baseline, and the line's height.
  int32_t ascent(int32_t pixelHeight) const;
  int32_t lineHeight(int32_t pixelHeight) const;

 private:
  struct Glyph {
    int32_t advance = 0;
    int32_t left = 0;  // bitmap offset from the pen position
    int32_t top = 0;   // bitmap offset from the baseline (negative: above)
    int32_t width = 0;
    int32_t height = 0;
    size_t offset = 0;  // into coverage_
  };
  const Glyph& glyph(char32_t codepoint, int32_t pixelHeight);

  stbtt_fontinfo info_{};
  bool valid_ = false;
  int32_t ascent_ = 0;
  int32_t descent_ = 0;
#if QUANDREL_GLYPH_ARENA
  // The glyph table's nodes and buckets come from the arena; beyond it, from the heap.
  std::array<std::byte, GlyphCapacity * 96> glyphArena_;
  std::pmr::monotonic_buffer_resource glyphMemory_{glyphArena_.data(), glyphArena_.size()};
  std::pmr::unordered_map<uint64_t, Glyph> glyphs_{&glyphMemory_};
#else
  // A standard library without <memory_resource> (Emscripten's): the heap.
  std::unordered_map<uint64_t, Glyph> glyphs_;
#endif
  std::vector<uint8_t> coverage_;
};

// The compiled-in font bytes (not in the browser build), and the font every
// text is drawn with: these bytes, or in the browser the active language's
// own font (web/file_font.cpp).
std::span<const uint8_t> embeddedFontData();
Font& uiFont();

// Steps through UTF-16 text by code point; an unpaired surrogate gives U+FFFD.
char32_t nextCodepoint(std::u16string_view text, size_t& index);
