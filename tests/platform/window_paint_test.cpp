// Drawing in add order, hidden controls, background filling, invalidation.
#include <gtest/gtest.h>

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

}  // namespace
