// Pointer routing: buttons take presses, the window gets the rest, drags only
// while held, pressed images, toolbar indices.
#include <gtest/gtest.h>

#include "platform/canvas.hpp"
#include "platform/imaging.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

using Events = std::vector<std::string>;

class PointerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    normalImage.Assign(&grey);
    pressedImage.Assign(&orange);
    button.SetID(114);
    button.SetPos(2, 512, 50, 50);
    button.SetImage_Normal(&normalImage);
    button.SetImage_Pressed(&pressedImage);
    window.AddUiWin(&button);
    window.open();
  }

  uint32_t buttonPixel() {
    window.Paint(canvas);
    return canvas.pixel(20, 530);
  }

  Image grey = solidImage(4, 4, Grey);
  Image orange = solidImage(4, 4, Orange);
  ImagingHelper normalImage, pressedImage;
  UiButton_Image button;
  RecordingWindow window;
  Canvas canvas;
};

TEST_F(PointerTest, AButtonShowsItsPressedImageWhileHeldAndReportsOnReleaseOverIt) {
  EXPECT_EQ(buttonPixel(), Grey);
  window.pointerDown(20, 530);
  EXPECT_TRUE(button.IsPressed());
  EXPECT_EQ(buttonPixel(), Orange);
  window.pointerMove(200, 300);  // dragged off: rest image, no OnMouseMove
  EXPECT_EQ(buttonPixel(), Grey);
  window.pointerMove(21, 531);
  EXPECT_EQ(buttonPixel(), Orange);
  window.pointerUp(21, 531);
  EXPECT_EQ(buttonPixel(), Grey);
  EXPECT_EQ(window.events, (Events{"command 114 0"}));
}

TEST_F(PointerTest, ASecondPressWithoutAReleaseInBetweenDropsTheFirst) {
  window.pointerDown(20, 530);
  window.pointerDown(20, 530);
  EXPECT_TRUE(button.IsPressed());
  window.pointerUp(20, 530);
  EXPECT_EQ(window.events, (Events{"command 114 0"}));
}

TEST_F(PointerTest, ReleasingAwayFromTheButtonReportsNothing) {
  window.pointerDown(20, 530);
  window.pointerUp(300, 300);
  EXPECT_TRUE(window.events.empty());
  EXPECT_FALSE(button.IsPressed());
}

TEST_F(PointerTest, APressElsewhereGoesToTheWindowAndDragsFollowOnlyWhileHeld) {
  window.pointerMove(100, 100);  // hovering: nothing
  window.pointerDown(200, 300);
  window.pointerMove(210, 300);
  window.pointerMove(20, 530);  // over the button: still the window's drag
  window.pointerUp(20, 530);
  window.pointerMove(30, 30);
  EXPECT_EQ(window.events, (Events{"down 200 300", "move 210 300", "move 20 530", "up 20 530"}));
}

TEST_F(PointerTest, HiddenButtonsTakeNoPressAndAButtonHiddenWhileHeldReportsNothing) {
  button.SetVisible(false);
  window.pointerDown(20, 530);
  window.pointerUp(20, 530);
  EXPECT_EQ(window.events, (Events{"down 20 530", "up 20 530"}));

  window.events.clear();
  button.SetVisible(true);
  window.pointerDown(20, 530);
  button.SetVisible(false);
  window.pointerUp(20, 530);
  EXPECT_TRUE(window.events.empty());
}

TEST_F(PointerTest, TheTopMostButtonTakesThePress) {
  UiButton_Image upper;
  upper.SetID(117);
  upper.SetPos(30, 540, 50, 50);  // overlaps the lower-right corner of 114
  window.AddUiWin(&upper);
  window.pointerDown(40, 550);
  window.pointerUp(40, 550);
  window.pointerDown(10, 520);
  window.pointerUp(10, 520);
  EXPECT_EQ(window.events, (Events{"command 117 0", "command 114 0"}));
}

TEST_F(PointerTest, APictureThatShowsAnImageCoversTheButtonsBeneathIt) {
  UiPicture2 cover;
  cover.SetPos(0, 0, 480, 720);
  window.AddUiWin(&cover);
  window.pointerDown(20, 530);  // an empty picture covers nothing
  window.pointerUp(20, 530);
  ImagingHelper coverImage;
  coverImage.Assign(&grey);
  cover.SetImage(&coverImage);
  window.pointerDown(20, 530);
  window.pointerUp(20, 530);
  EXPECT_EQ(window.events, (Events{"command 114 0", "down 20 530", "up 20 530"}));
}

TEST_F(PointerTest, AButtonDestroyedWhileHeldLeavesTheWindowSafe) {
  {
    UiButton_Image temporary;
    temporary.SetID(5);
    temporary.SetPos(300, 0, 100, 100);
    window.AddUiWin(&temporary);
    window.pointerDown(350, 50);
  }
  window.pointerUp(350, 50);
  window.pointerDown(350, 50);
  EXPECT_EQ(window.events, (Events{"down 350 50"}));
  EXPECT_EQ(window.controls().size(), 1u);
}

TEST(Toolbar, ReportsItsIdWithTheIndexOfTheButtonPressedAndReleasedOnIt) {
  RecordingWindow window;
  UiToolbar_Text toolbar;
  toolbar.SetButton(0, true, true, u"营救");
  toolbar.SetButton(1, true, true, u"发泄");
  toolbar.SetButton(2, true, true, u"返回");
  toolbar.SetID(101);
  toolbar.SetPos(0, 655, 480, 65);
  window.AddUiWin(&toolbar);
  window.open();

  for (int32_t x : {10, 240, 470}) {
    window.pointerDown(x, 690);
    EXPECT_GE(toolbar.PressedIndex(), 0);
    window.pointerUp(x, 690);
  }
  window.pointerDown(10, 690);  // slid onto another button: nothing
  window.pointerMove(240, 690);
  EXPECT_EQ(toolbar.PressedIndex(), -1);
  window.pointerUp(240, 690);
  EXPECT_EQ(window.events, (Events{"command 101 0", "command 101 1", "command 101 2"}));
  EXPECT_EQ(toolbar.GetCaption(1), CMzStringW(u"发泄"));
}

TEST(Toolbar, AHiddenOrDisabledButtonReportsNothingButStillKeepsThePressFromTheWindow) {
  RecordingWindow window;
  UiToolbar_Text toolbar;
  toolbar.SetButton(0, false, true, u"营救");
  toolbar.SetButton(1, true, false, u"发泄");
  toolbar.SetID(101);
  toolbar.SetPos(0, 655, 480, 65);
  window.AddUiWin(&toolbar);
  window.open();
  for (int32_t x : {10, 240, 470}) {
    window.pointerDown(x, 690);
    window.pointerUp(x, 690);
  }
  EXPECT_TRUE(window.events.empty());
}

}  // namespace
