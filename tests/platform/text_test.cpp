// The font and text drawing, wide strings and decimal text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/canvas.hpp"
#include "platform/font.hpp"
#include "platform/mz_string.hpp"
#include "platform/system/utf.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

// How many pixels of `rect` are exactly 0xRRGGBB `colour`.
int countColour(const Canvas& canvas, const MzRect& rect, uint32_t colour) {
  const uint32_t wanted = packRgba((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF, 255);
  int count = 0;
  for (int32_t y = rect.top; y < rect.bottom; ++y)
    for (int32_t x = rect.left; x < rect.right; ++x) count += canvas.pixel(x, y) == wanted;
  return count;
}

TEST(Font, HoldsEveryCharacterTheProgramShows) {
  const char* source = std::getenv("QUANDREL_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  std::ifstream file(std::string(source) + "/assets/fonts/chars.txt");
  ASSERT_TRUE(file);
  const std::string listed((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::u16string characters = utf16FromUtf8(listed);
  for (char16_t c = 0x20; c <= 0x7E; ++c) characters += c;
  Font& font = uiFont();
  ASSERT_TRUE(font.valid());
  for (size_t i = 0; i < characters.size();) {
    const char32_t codepoint = nextCodepoint(characters, i);
    if (codepoint == u'\n' || codepoint == u' ') continue;
    EXPECT_TRUE(font.hasGlyph(codepoint)) << "U+" << std::hex << static_cast<uint32_t>(codepoint);
  }
}

TEST(Font, WiderTextMeasuresWiderAndAMissingCharacterStillAdvances) {
  Font& font = uiFont();
  EXPECT_GT(font.measure(u"营救营救", 24), font.measure(u"营救", 24));
  EXPECT_GT(font.measure(u"营救", 32), font.measure(u"营救", 24));
  EXPECT_GT(font.measure(u"\u9F98", 24), 0);  // not in the subset
  EXPECT_EQ(font.measure(u"", 24), 0);
}

TEST(DrawText, TextWiderThanItsRectangleIsDrawnSmallerToFitWhole) {
  const char16_t* caption = u"Thanks for playing Ostra games!";
  // Columns [first, last] holding the text's pixels in a canvas row band.
  const auto inkColumns = [](const Canvas& canvas, const MzRect& band) {
    int32_t first = Canvas::Width, last = -1;
    for (int32_t y = band.top; y < band.bottom; ++y)
      for (int32_t x = 0; x < Canvas::Width; ++x)
        if (canvas.pixel(x, y) != packRgba(0, 0, 0, 255)) first = std::min(first, x), last = std::max(last, x);
    return std::pair{first, last};
  };
  Canvas wide, narrow;
  wide.drawText(caption, rectOf(0, 0, 480, 60), 28, 0xFFFFFF);
  const MzRect box = rectOf(150, 0, 180, 60);
  narrow.drawText(caption, box, 28, 0xFFFFFF);
  const auto [wideFirst, wideLast] = inkColumns(wide, rectOf(0, 0, 480, 60));
  const auto [first, last] = inkColumns(narrow, box);
  ASSERT_GT(wideLast - wideFirst, 180) << "the caption at full size needs more room than the box";
  // The whole text, smaller: blank at both edges of the box, not cut off there.
  EXPECT_GT(first, box.left);
  EXPECT_LT(last, box.right - 1);
  EXPECT_GT(last - first, 180 * 3 / 4);
  // Text that fits is drawn at its size.
  Canvas fits;
  fits.drawText(u"OK", box, 28, 0xFFFFFF);
  Canvas reference;
  reference.drawText(u"OK", rectOf(0, 0, 480, 60), 28, 0xFFFFFF);
  const auto [okFirst, okLast] = inkColumns(fits, box);
  const auto [refFirst, refLast] = inkColumns(reference, rectOf(0, 0, 480, 60));
  EXPECT_EQ(okLast - okFirst, refLast - refFirst);
}

TEST(UiStatic, DrawsItsTextInItsColourInsideItsRectangle) {
  RecordingWindow window;
  UiStatic label;
  label.SetPos(3, 35, 96, 34);
  label.SetText(u"1250");
  label.SetTextColor(0x00FF00);
  window.AddUiWin(&label);
  window.open();
  Canvas canvas;
  window.EnableFillBgColor(false);
  canvas.fill(canvasRect(), packRgba(0, 0, 0, 255));
  window.Paint(canvas);
  EXPECT_GT(countColour(canvas, MzRect{3, 35, 99, 69}, 0x00FF00), 20);
  EXPECT_EQ(countColour(canvas, MzRect{100, 0, 480, 720}, 0x00FF00), 0);
  EXPECT_EQ(countColour(canvas, MzRect{0, 70, 100, 720}, 0x00FF00), 0);
}

TEST(UiToolbar, DrawsEachVisibleCaptionInItsOwnThird) {
  RecordingWindow window;
  UiToolbar_Text toolbar;
  toolbar.SetButton(0, true, true, u"营救");
  toolbar.SetButton(2, true, true, u"返回");
  toolbar.SetPos(0, 655, 480, 65);
  window.AddUiWin(&toolbar);
  window.open();
  Canvas canvas;
  window.Paint(canvas);
  EXPECT_GT(countColour(canvas, MzRect{0, 655, 160, 720}, 0xFFFFFF), 30);
  EXPECT_EQ(countColour(canvas, MzRect{160, 656, 320, 720}, 0xFFFFFF), 0);  // button 1 was never set
  EXPECT_GT(countColour(canvas, MzRect{320, 655, 480, 720}, 0xFFFFFF), 30);
}

TEST(MzString, Int2StringGivesDecimalTextForTheWholeRange) {
  EXPECT_EQ(Int2String(0).str(), u"0");
  EXPECT_EQ(Int2String(-30).str(), u"-30");
  EXPECT_EQ(Int2String(1250).str(), u"1250");
  EXPECT_EQ(Int2String(INT32_MAX).str(), u"2147483647");
  EXPECT_EQ(Int2String(INT32_MIN).str(), u"-2147483648");
}

TEST(MzString, JoinsAndComparesWideText) {
  CMzStringW path(u"/opt/quandrel");
  path += u"/Images/bg.jpg";
  EXPECT_EQ(path, CMzStringW(u"/opt/quandrel/Images/bg.jpg"));
  EXPECT_EQ((CMzStringW(u"a") + CMzStringW(u"b") + u"c").str(), u"abc");
  CMzStringW empty(static_cast<const char16_t*>(nullptr));
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(std::u16string(empty.C_Str()), u"");
  EXPECT_EQ(CMzStringW(u"营救").Length(), 2u);
}

}  // namespace
