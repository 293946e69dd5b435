// Drawing in add order, hidden controls, background filling, invalidation,
// and the compositor's runs and blending loops against a plain reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/blend.hpp"
#include "platform/canvas.hpp"
#include "platform/imaging.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

constexpr uint32_t Red = packRgba(255, 0, 0, 255);
constexpr uint32_t Blue = packRgba(0, 0, 255, 255);
constexpr uint32_t Magenta = packRgba(255, 0, 255, 255);
constexpr uint32_t White = packRgba(255, 255, 255, 255);

class WindowPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    redImage.Assign(&red);
    blueImage.Assign(&blue);
    lower.SetImage(&redImage);
    lower.SetPos(0, 0, 100, 100);
    upper.SetImage(&blueImage);
    upper.SetPos(50, 50, 100, 100);
    window.open();
  }

  Image red = solidImage(2, 2, Red);
  Image blue = solidImage(2, 2, Blue);
  ImagingHelper redImage, blueImage;
  UiPicture2 lower, upper;
  RecordingWindow window;
  Canvas canvas;
};

TEST_F(WindowPaintTest, LaterControlsDrawOnTopAndAddingAgainChangesNothing) {
  window.AddUiWin(&lower);
  window.AddUiWin(&upper);
  window.AddUiWin(&lower);
  ASSERT_EQ(window.controls().size(), 2u);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(25, 25), Red);
  EXPECT_EQ(canvas.pixel(75, 75), Blue);  // the overlap shows the later one
  EXPECT_EQ(canvas.pixel(125, 125), Blue);
  EXPECT_EQ(canvas.pixel(200, 200), White);
}

TEST_F(WindowPaintTest, AHiddenControlDrawsNothing) {
  window.AddUiWin(&lower);
  window.AddUiWin(&upper);
  upper.SetVisible(false);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(75, 75), Red);
  EXPECT_EQ(canvas.pixel(125, 125), White);
}

TEST_F(WindowPaintTest, WithoutBackgroundFillOnlyTheControlsArePaintedOverBlackNotOldPixels) {
  window.EnableFillBgColor(false);
  window.AddUiWin(&lower);
  canvas.fill(canvasRect(), Magenta);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(25, 25), Red);
  EXPECT_EQ(canvas.pixel(300, 300), packRgba(0, 0, 0, 255));
  window.EnableFillBgColor(true);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(300, 300), White);
}

TEST_F(WindowPaintTest, PicturesScaleToTheirRectangleAndBlendTheirAlpha) {
  Image halves = solidImage(2, 1, Red);
  halves.pixels[1] = packRgba(0, 0, 128, 128);  // half-transparent blue, premultiplied
  ImagingHelper halvesImage;
  halvesImage.Assign(&halves);
  UiPicture2 picture;
  picture.SetImage(&halvesImage);
  picture.SetPos(200, 200, 40, 10);
  window.AddUiWin(&picture);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(200, 200), Red);
  EXPECT_EQ(canvas.pixel(219, 209), Red);
  const uint32_t blended = canvas.pixel(220, 200);  // blue at half over white
  EXPECT_NEAR(blended & 0xFF, 127, 1);
  EXPECT_NEAR((blended >> 16) & 0xFF, 255, 1);
  EXPECT_EQ(canvas.pixel(240, 200), White);
}

TEST_F(WindowPaintTest, MovingAControlMarksItsOldAndNewPlaces) {
  window.AddUiWin(&lower);
  window.takeDirtyRect();
  lower.SetPos(300, 400, 10, 10);
  const MzRect dirty = window.takeDirtyRect();
  EXPECT_EQ(dirty.left, 0);
  EXPECT_EQ(dirty.top, 0);
  EXPECT_EQ(dirty.right, 310);
  EXPECT_EQ(dirty.bottom, 410);
  EXPECT_TRUE(isEmpty(window.takeDirtyRect()));
  UiPicture2 outside;  // not added: invalidating it marks nothing
  outside.SetPos(0, 0, 10, 10);
  EXPECT_TRUE(isEmpty(window.dirtyRect()));
}

TEST_F(WindowPaintTest, PaintingStaysInsideTheClipRectangle) {
  window.AddUiWin(&lower);
  canvas.fill(canvasRect(), Magenta);
  canvas.setClip(MzRect{0, 0, 50, 50});
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(10, 10), Red);
  EXPECT_EQ(canvas.pixel(60, 60), Magenta);
}

TEST(WindowLifetime, CreateCallsOnInitDialogAndAFailedInitLeavesNoWindow) {
  struct FailingWindow : CMzWndEx {
    int32_t OnInitDialog() override { return 0; }
  } failing;
  EXPECT_FALSE(failing.Create(0, 0, 480, 720));
  EXPECT_EQ(failing.m_hWnd, 0u);

  RecordingWindow window;
  EXPECT_TRUE(window.Create(0, 0, 480, 720));
  EXPECT_NE(window.m_hWnd, 0u);
  EXPECT_EQ(window.GetWidth(), 480);
  EXPECT_EQ(window.GetHeight(), 720);
}

}  // namespace

namespace {

TEST_F(WindowPaintTest, AnOpaqueCoverHidesWhatIsBeneathButNotWhatIsAbove) {
  Image splash = solidImage(4, 4, packRgba(0, 255, 0, 255));
  splash.opaque = true;
  Image veil = solidImage(1, 1, packRgba(0, 0, 128, 128));
  ImagingHelper splashImage, veilImage;
  splashImage.Assign(&splash);
  veilImage.Assign(&veil);
  UiPicture2 cover, top;
  cover.SetImage(&splashImage);
  cover.SetPos(0, 0, 480, 720);
  top.SetImage(&veilImage);
  top.SetPos(0, 0, 10, 10);
  window.AddUiWin(&lower);
  window.AddUiWin(&cover);
  window.AddUiWin(&top);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(50, 50), packRgba(0, 255, 0, 255));
  EXPECT_EQ(canvas.pixel(5, 5), packRgba(0, 127, 128, 255));
  cover.SetPos(0, 0, 480, 700);  // no longer covering the frame: the background shows below it
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(50, 710), White);
}

// The straightforward blend: per channel s + t * (255 - a) / 255, rounded.
uint32_t referenceOver(uint32_t target, uint32_t source) {
  const uint32_t keep = 255 - alphaOf(source);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t t = (target >> shift) & 0xFF;
    const uint32_t s = (source >> shift) & 0xFF;
    out |= std::min<uint32_t>(255, s + (t * keep + 127) / 255) << shift;
  }
  return out;
}

int largestChannelStep(uint32_t a, uint32_t b) {
  int largest = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return largest;
}

// A premultiplied pixel: mostly opaque or transparent, as pictures are.
uint32_t randomPixel(std::mt19937& random) {
  const uint32_t kind = random() % 4;
  const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : random() % 256;
  const auto channel = [&] { return alpha == 0 ? 0 : static_cast<uint32_t>(random() % (alpha + 1)); };
  return packRgba(channel(), channel(), channel(), alpha);
}

Image randomPicture(std::mt19937& random, int32_t width, int32_t height) {
  Image image = solidImage(width, height, 0);
  for (uint32_t& pixel : image.pixels) {
    // Stretches of one kind, so rows hold copied, skipped and blended runs.
    pixel = random() % 6 == 0 ? randomPixel(random) : (&pixel == image.pixels.data() ? 0 : *(&pixel - 1));
  }
  classifyRuns(image);
  return image;
}

// What drawing `image` at `rect` under the canvas's clip must give.
void referenceDraw(std::vector<uint32_t>& frame, const Image& image, const MzRect& rect, const MzRect& clip) {
  const MzRect area = intersection(intersection(rect, clip), canvasRect());
  for (int32_t y = area.top; y < area.bottom; ++y) {
    for (int32_t x = area.left; x < area.right; ++x) {
      uint32_t& pixel = frame[static_cast<size_t>(y * Canvas::Width + x)];
      pixel = referenceOver(pixel, image.pixels[static_cast<size_t>((y - rect.top) * image.width + x - rect.left)]);
    }
  }
}

void expectFrameWithinOneLevel(const Canvas& canvas, const std::vector<uint32_t>& expected) {
  int differing = 0;
  int largest = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    const int step = largestChannelStep(canvas.pixels()[i], expected[i]);
    largest = std::max(largest, step);
    if (step > 1) ++differing;
  }
  EXPECT_EQ(differing, 0) << "largest step " << largest;
}

TEST(Blending, EveryLoopMatchesTheReferenceBlendWithinOneLevel) {
  std::mt19937 random(15);
  for (int32_t count = 0; count <= 41; ++count) {  // whole blocks of pixels and every remainder
    SCOPED_TRACE(count);
    std::vector<uint32_t> target(static_cast<size_t>(count));
    std::vector<uint32_t> source(target.size());
    std::vector<uint8_t> coverage(target.size());
    for (size_t i = 0; i < target.size(); ++i) {
      target[i] = randomPixel(random) | 0xFF000000u;
      source[i] = randomPixel(random);
      coverage[i] = static_cast<uint8_t>(random() % 4 == 0 ? 0 : random() % 256);
    }
    const uint32_t colour = randomPixel(random);
    const uint32_t textColour = random() & 0xFFFFFF;

    std::vector<uint32_t> spans = target;
    blendSpan(spans.data(), source.data(), count);
    std::vector<uint32_t> filled = target;
    blendColourSpan(filled.data(), colour, count);
    std::vector<uint32_t> text = target;
    blendCoverageSpan(text.data(), coverage.data(), textColour, count);
    for (size_t i = 0; i < target.size(); ++i) {
      EXPECT_LE(largestChannelStep(spans[i], referenceOver(target[i], source[i])), 1);
      EXPECT_LE(largestChannelStep(filled[i], referenceOver(target[i], colour)), 1);
      const uint32_t a = coverage[i];
      const auto scaled = [a](uint32_t c) { return (c * a + 127) / 255; };
      const uint32_t glyphPixel =
          packRgba(scaled(textColour >> 16 & 0xFF), scaled(textColour >> 8 & 0xFF), scaled(textColour & 0xFF), a);
      EXPECT_LE(largestChannelStep(text[i], referenceOver(target[i], glyphPixel)), 1);
      // Opaque and clear pixels come out exact.
      if (alphaOf(source[i]) == 255) {
        EXPECT_EQ(spans[i], source[i]);
      }
      if (source[i] == 0) {
        EXPECT_EQ(spans[i], target[i]);
      }
      if (a == 0) {
        EXPECT_EQ(text[i], target[i]);
      }
    }
  }
}

TEST(Blending, PicturesDrawnByRunsMatchTheReferenceClippedAtEveryEdge) {
  std::mt19937 random(720);
  const Image picture = randomPicture(random, 70, 50);
  const MzRect places[] = {
      rectOf(-30, -20, 70, 50),                                  // off the top left corner
      rectOf(Canvas::Width - 40, Canvas::Height - 25, 70, 50),   // off the bottom right corner
      rectOf(-69, 300, 70, 50),                                  // one column left on screen
      rectOf(Canvas::Width - 1, 300, 70, 50),                    // one column right on screen
      rectOf(200, 200, 70, 50),
  };
  const MzRect clips[] = {canvasRect(), MzRect{213, 211, 251, 232}, MzRect{0, 0, 17, 9}};
  for (const MzRect& clip : clips) {
    for (const MzRect& place : places) {
      SCOPED_TRACE(testing::Message() << place.left << "," << place.top << " clip " << clip.left << "," << clip.top);
      Canvas canvas;
      canvas.fill(canvasRect(), packRgba(40, 90, 140, 255));
      std::vector<uint32_t> expected(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height);
      canvas.setClip(clip);
      canvas.drawImage(picture, place);
      referenceDraw(expected, picture, place, clip);
      expectFrameWithinOneLevel(canvas, expected);
    }
  }
}

TEST(Blending, OverlappingPicturesAndAPictureNeverClassifiedMatchTheReference) {
  std::mt19937 random(480);
  const Image below = randomPicture(random, 120, 90);
  const Image above = randomPicture(random, 90, 120);
  Image unsorted = randomPicture(random, 40, 40);
  unsorted.runs.clear();  // as a picture made by hand: drawn pixel by pixel
  unsorted.rowRuns.clear();
  const MzRect places[] = {rectOf(100, 100, 120, 90), rectOf(160, 130, 90, 120), rectOf(150, 150, 40, 40)};
  Canvas canvas;
  canvas.fill(canvasRect(), packRgba(250, 250, 250, 255));
  std::vector<uint32_t> expected(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height);
  const Image* pictures[] = {&below, &above, &unsorted};
  for (int i = 0; i < 3; ++i) {
    canvas.drawImage(*pictures[i], places[i]);
    referenceDraw(expected, *pictures[i], places[i], canvasRect());
  }
  expectFrameWithinOneLevel(canvas, expected);

  Image broken = solidImage(10, 10, packRgba(255, 0, 0, 255));
  broken.pixels.resize(20);  // fewer pixels than its size: drawn as nothing
  const uint32_t before = canvas.pixel(5, 5);
  canvas.drawImage(broken, rectOf(0, 0, 10, 10));
  EXPECT_EQ(canvas.pixel(5, 5), before);
}

TEST(Blending, SubtractingARectangleLeavesDisjointPiecesCoveringTheRest) {
  const MzRect from{10, 10, 60, 40};
  const MzRect holes[] = {{20, 20, 30, 30}, {0, 0, 100, 100}, {0, 15, 35, 100}, {70, 70, 80, 80}, {10, 10, 60, 20}};
  for (const MzRect& hole : holes) {
    MzRect pieces[4];
    const int32_t count = subtractRect(from, hole, pieces);
    for (int32_t y = 0; y < 50; ++y) {
      for (int32_t x = 0; x < 70; ++x) {
        int32_t holding = 0;
        for (int32_t i = 0; i < count; ++i) holding += covers(pieces[i], MzRect{x, y, x + 1, y + 1}) ? 1 : 0;
        const bool wanted = covers(from, MzRect{x, y, x + 1, y + 1}) && !covers(hole, MzRect{x, y, x + 1, y + 1});
        ASSERT_EQ(holding, wanted ? 1 : 0) << x << "," << y << " hole " << hole.left << "," << hole.top;
      }
    }
  }
}

TEST_F(WindowPaintTest, TheBackgroundShowsOnlyWhereNoOpaqueControlCovers) {
  // Forty opaque tiles cut the background into more pieces than are tracked:
  // what is left over is filled whole, and the frame is the same either way.
  constexpr int Tiles = 40;
  Image tile = solidImage(8, 8, Red);
  classifyRuns(tile);
  Image glass = solidImage(30, 30, packRgba(0, 0, 100, 100));
  classifyRuns(glass);
  ImagingHelper tileImage, glassImage;
  tileImage.Assign(&tile);
  glassImage.Assign(&glass);
  UiPicture2 tiles[Tiles], pane;
  for (int i = 0; i < Tiles; ++i) {
    tiles[i].SetImage(&tileImage);
    tiles[i].SetPos(10 + 23 * (i % 8), 10 + 19 * (i / 8), 8, 8);
    window.AddUiWin(&tiles[i]);
  }
  pane.SetImage(&glassImage);
  pane.SetPos(5, 5, 30, 30);
  window.AddUiWin(&pane);
  canvas.fill(canvasRect(), Magenta);  // leftovers of an earlier frame
  window.Paint(canvas);

  Canvas expected;
  expected.fill(canvasRect(), White);
  for (const UiPicture2& one : tiles) expected.drawImage(tile, rectOf(one.GetPosX(), one.GetPosY(), 8, 8));
  expected.drawImage(glass, rectOf(5, 5, 30, 30));
  EXPECT_TRUE(std::equal(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height, expected.pixels()));
}

}  // namespace
