// Drawing in add order, hidden controls, background filling, invalidation,
// and the compositor's runs and blending loops against a plain reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/blend.hpp"
#include "platform/canvas.hpp"
#include "platform/silent_host.hpp"
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

TEST_F(WindowPaintTest, WithoutBackgroundFillTheControlsArePaintedOverTheToolbarColourNotOldPixels) {
  window.EnableFillBgColor(false);
  window.AddUiWin(&lower);
  canvas.fill(canvasRect(), Magenta);
  window.Paint(canvas);
  EXPECT_EQ(canvas.pixel(25, 25), Red);
  EXPECT_EQ(canvas.pixel(300, 300), UiToolbar_Text::BackgroundColour);
  EXPECT_EQ(alphaOf(UiToolbar_Text::BackgroundColour), 255u) << "uncovered parts are opaque";
  EXPECT_NE(UiToolbar_Text::BackgroundColour, packRgba(0, 0, 0, 255));
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

TEST_F(WindowPaintTest, AskingForTheWholeWindowRepaintsWhatChangedSinceItWasDrawn) {
  window.AddUiWin(&lower);
  window.AddUiWin(&upper);
  window.takeDirtyRect();
  window.Invalidate();
  EXPECT_TRUE(isEmpty(window.takeDirtyRect())) << "nothing changed";
  upper.SetVisible(false);
  upper.SetVisible(true);
  lower.Invalidate();
  EXPECT_TRUE(isEmpty(window.takeDirtyRect())) << "hidden and shown again before a repaint";
  redImage.Assign(&blue);  // the shared image reloaded: the picture showing it changed
  window.Invalidate();
  const MzRect changed = window.takeDirtyRect();
  EXPECT_EQ(changed.left, 0);
  EXPECT_EQ(changed.top, 0);
  EXPECT_EQ(changed.right, 100);
  EXPECT_EQ(changed.bottom, 100);
  window.invalidateWhole();
  EXPECT_EQ(window.takeDirtyRect().right, 480) << "the platform's own overlays repaint it all";
}

TEST_F(WindowPaintTest, RepaintingWhatChangedGivesTheFrameThatRepaintingEverythingGives) {
  Image green = solidImage(4, 4, packRgba(0, 200, 0, 140));
  classifyRuns(green);
  ImagingHelper greenImage;
  greenImage.Assign(&green);
  UiButton_Image button;
  button.SetImage_Normal(&greenImage);
  button.SetImage_Pressed(&redImage);
  button.SetPos(200, 300, 60, 40);
  window.AddUiWin(&lower);
  window.AddUiWin(&upper);
  window.AddUiWin(&button);
  std::vector<UiWin*> controls{&lower, &upper, &button};
  ImagingHelper* helpers[] = {&redImage, &blueImage, &greenImage};
  const Image* pictures[] = {&red, &blue, &green};
  uint32_t wParam = 0;
  int32_t lParam = 0;
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  Canvas whole;
  for (int step = 0; step < 300; ++step) {
    UiWin& control = *controls[static_cast<size_t>(pick(3))];
    switch (pick(5)) {
      case 0: control.SetPos(pick(440), pick(680), 10 + pick(120), 10 + pick(120)); break;
      case 1: control.SetVisible(!control.IsVisible()); break;
      case 2: helpers[pick(3)]->Assign(pictures[pick(3)]); break;  // a reload, nobody told
      case 3: button.PressBegan(0, 0); break;
      default: button.PressEnded(-1, -1, wParam, lParam); break;
    }
    if (pick(3) == 0) continue;  // several changes may come before a repaint
    window.Invalidate();
    const auto dirty = window.takeDirtyRegion();  // kept: the loop reads its rectangles
    for (const MzRect& part : dirty.rects()) {
      canvas.setClip(part);
      window.Paint(canvas);
    }
    canvas.setClip(canvasRect());
    whole.setClip(canvasRect());
    window.Paint(whole);
    ASSERT_TRUE(std::equal(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height, whole.pixels()))
        << "step " << step;
  }
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
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t t = (target >> shift) & 0xFF;
    out |= std::min<uint32_t>(255, ((source >> shift) & 0xFF) + (t * (255 - alphaOf(source)) + 127) / 255) << shift;
  }
  return out;
}

int largestStep(uint32_t a, uint32_t b) {
  int largest = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return largest;
}

// A premultiplied pixel: as often opaque or transparent as translucent.
uint32_t randomPixel(std::mt19937& random) {
  const uint32_t kind = random() % 4;
  const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : random() % 256;
  const auto channel = [&] { return static_cast<uint32_t>(random() % (alpha + 1)); };
  return packRgba(channel(), channel(), channel(), alpha);
}

TEST(Blending, EveryLoopMatchesTheReferenceBlendWithinOneLevel) {
  std::mt19937 random(15);
  for (int32_t count = 0; count <= 41; ++count) {  // whole vector steps and every remainder
    std::vector<uint32_t> target(static_cast<size_t>(count)), source(target.size());
    std::vector<uint8_t> coverage(target.size());
    for (size_t i = 0; i < target.size(); ++i) {
      target[i] = randomPixel(random) | 0xFF000000u;
      source[i] = randomPixel(random);
      coverage[i] = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random() % 256);
    }
    const uint32_t colour = randomPixel(random);
    const uint32_t text = random() & 0xFFFFFF;
    std::vector<uint32_t> spans = target, filled = target, glyphs = target;
    blendSpan(spans.data(), source.data(), count);
    blendColourSpan(filled.data(), colour, count);
    blendCoverageSpan(glyphs.data(), coverage.data(), text, count);
    for (size_t i = 0; i < target.size(); ++i) {
      const uint32_t a = coverage[i];
      const auto scaled = [a, text](int shift) { return (((text >> shift) & 0xFF) * a + 127) / 255; };
      EXPECT_LE(largestStep(spans[i], referenceOver(target[i], source[i])), 1) << count;
      EXPECT_LE(largestStep(filled[i], referenceOver(target[i], colour)), 1) << count;
      EXPECT_LE(largestStep(glyphs[i], referenceOver(target[i], packRgba(scaled(16), scaled(8), scaled(0), a))), 1);
      // Opaque pixels and clear ones come out exact.
      EXPECT_EQ(spans[i], alphaOf(source[i]) == 255 ? source[i] : source[i] == 0 ? target[i] : spans[i]);
      EXPECT_EQ(glyphs[i], a == 0 ? target[i] : glyphs[i]);
    }
  }
}

TEST(Blending, PicturesDrawnByRunsMatchTheReferenceClippedAndOverlapping) {
  std::mt19937 random(720);
  Image pictures[2] = {solidImage(70, 50, 0), solidImage(70, 50, 0)};
  for (Image& picture : pictures) {  // stretches of one pixel, so rows hold runs of every kind
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
      picture.pixels[i] = random() % 6 != 0 && i > 0 ? picture.pixels[i - 1] : randomPixel(random);
    }
    classifyRuns(picture);
  }
  pictures[1].runs.clear();  // as a picture made by hand and never classified
  pictures[1].rowRuns.clear();
  const MzRect places[] = {rectOf(-30, -20, 70, 50), rectOf(Canvas::Width - 40, Canvas::Height - 25, 70, 50),
                           rectOf(-69, 300, 70, 50), rectOf(Canvas::Width - 1, 300, 70, 50),
                           rectOf(200, 200, 70, 50), rectOf(230, 220, 70, 50)};  // off every edge; overlapping
  for (const MzRect& clip : {canvasRect(), MzRect{213, 211, 251, 232}}) {
    Canvas canvas;
    canvas.fill(canvasRect(), packRgba(40, 90, 140, 255));
    std::vector<uint32_t> expected(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height);
    canvas.setClip(clip);
    for (size_t k = 0; k < std::size(places); ++k) {
      const Image& picture = pictures[k % 2];
      const MzRect& place = places[k];
      canvas.drawImage(picture, place);
      const MzRect area = intersection(intersection(place, clip), canvasRect());
      for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
          uint32_t& pixel = expected[static_cast<size_t>(y * Canvas::Width + x)];
          pixel = referenceOver(pixel, picture.pixels[static_cast<size_t>((y - place.top) * 70 + x - place.left)]);
        }
      }
    }
    int worst = 0;
    for (size_t i = 0; i < expected.size(); ++i) worst = std::max(worst, largestStep(canvas.pixels()[i], expected[i]));
    EXPECT_LE(worst, 1);
  }
  Image broken = solidImage(10, 10, Red);
  broken.pixels.resize(20);  // fewer pixels than its size: drawn as nothing
  Canvas canvas;
  canvas.drawImage(broken, rectOf(0, 0, 10, 10));
  EXPECT_EQ(canvas.pixel(5, 5), packRgba(0, 0, 0, 255));
}

TEST_F(WindowPaintTest, TheBackgroundShowsOnlyWhereNoOpaqueControlCovers) {
  // Forty opaque tiles cut the background into more pieces than are tracked:
  // what is left over is filled whole, and the frame is the same either way.
  Image tile = solidImage(8, 8, Red);
  Image glass = solidImage(30, 30, packRgba(0, 0, 100, 100));
  classifyRuns(tile);
  classifyRuns(glass);
  ImagingHelper tileImage, glassImage;
  tileImage.Assign(&tile);
  glassImage.Assign(&glass);
  UiPicture2 tiles[40], pane;
  Canvas expected;
  expected.fill(canvasRect(), White);
  for (int i = 0; i < 40; ++i) {
    tiles[i].SetImage(&tileImage);
    tiles[i].SetPos(10 + 23 * (i % 8), 10 + 19 * (i / 8), 8, 8);
    window.AddUiWin(&tiles[i]);
    expected.drawImage(tile, rectOf(10 + 23 * (i % 8), 10 + 19 * (i / 8), 8, 8));
  }
  pane.SetImage(&glassImage);
  pane.SetPos(5, 5, 30, 30);
  window.AddUiWin(&pane);
  expected.drawImage(glass, rectOf(5, 5, 30, 30));
  canvas.fill(canvasRect(), Magenta);  // leftovers of an earlier frame
  window.Paint(canvas);
  EXPECT_TRUE(std::equal(canvas.pixels(), canvas.pixels() + Canvas::Width * Canvas::Height, expected.pixels()));
}

// A host on which the listed files are on their way until awaited: each then
// arrives, from its ".part" file.
class ArrivingFilesHost : public SilentHost {
 public:
  explicit ArrivingFilesHost(std::vector<std::u16string> arriving) : arriving_(std::move(arriving)) {}
  bool fileArriving(std::u16string_view path) override { return std::ranges::find(arriving_, path) != arriving_.end(); }
  void awaitFile(std::u16string_view path) override {
    awaited.emplace_back(path);
    std::erase(arriving_, path);
    std::filesystem::rename(std::u16string(path) + u".part", path);
  }
  std::vector<std::u16string> awaited;

 private:
  std::vector<std::u16string> arriving_;
};

TEST(PictureOnItsWay, OnlyDrawingItWaitsAndAnotherOneOnItsWayRepaintsTheControl) {
  ScratchDirectory scratch;
  scratch.writePng("first.png.part", 2, 2, 0xFF0000FF);
  scratch.writePng("second.png.part", 2, 2, 0xFFFF0000);
  const std::u16string first = (scratch.path() / "first.png").u16string();
  const std::u16string second = (scratch.path() / "second.png").u16string();
  ArrivingFilesHost host({first, second});
  setCurrentHost(&host);
  RecordingWindow window;
  window.open();
  UiPicture picture;
  picture.SetPos(0, 0, 100, 100);
  picture.LoadImageW(first.c_str());
  window.AddUiWin(&picture);
  EXPECT_EQ(window.takeDirtyRect().right, 480);
  EXPECT_TRUE(host.awaited.empty()) << "working out what changed waits for no picture";
  Canvas canvas;
  window.Paint(canvas);
  EXPECT_EQ(host.awaited, std::vector<std::u16string>{first});
  EXPECT_NE(canvas.pixel(50, 50), White);
  window.Invalidate();
  window.takeDirtyRect();  // the picture drawn since
  picture.LoadImageW(second.c_str());
  EXPECT_EQ(window.takeDirtyRect().right, 100) << "a control that drew one picture shows another still on its way";
  EXPECT_EQ(host.awaited.size(), 1u);
  setCurrentHost(nullptr);
}

}  // namespace
