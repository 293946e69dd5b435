// Composed frames compared with committed golden pictures: every channel of
// every pixel within one level (premultiplied blending may round the other
// way), nothing looser. To remake them after a deliberate change of drawing:
// QUANDREL_UPDATE_GOLDEN=1 ctest -R Golden
#include <gtest/gtest.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/canvas.hpp"
#include "platform/imaging.hpp"
#include "platform/question_box.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

constexpr int ChannelTolerance = 1;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Compares the canvas with golden/`name`, or rewrites it when asked to.
void expectMatchesGolden(const Canvas& canvas, const std::string& name) {
  const std::string golden = environment("QUANDREL_SOURCE_DIR") + "/tests/platform/golden/" + name;
  if (environment("QUANDREL_UPDATE_GOLDEN") == "1") {
    ASSERT_NE(stbi_write_png(golden.c_str(), Canvas::Width, Canvas::Height, 4, canvas.pixels(), Canvas::Width * 4), 0);
    return;
  }
  int width = 0, height = 0, channels = 0;
  stbi_uc* expected = stbi_load(golden.c_str(), &width, &height, &channels, 4);
  ASSERT_NE(expected, nullptr) << "missing " << golden;
  ASSERT_EQ(width, Canvas::Width);
  ASSERT_EQ(height, Canvas::Height);
  const auto* actual = reinterpret_cast<const uint8_t*>(canvas.pixels());
  int mismatches = 0;
  int largest = 0;
  const int count = Canvas::Width * Canvas::Height;
  for (int i = 0; i < count; ++i) {
    int step = 0;
    for (int c = 0; c < 4; ++c) step = std::max(step, std::abs(actual[i * 4 + c] - expected[i * 4 + c]));
    largest = std::max(largest, step);
    if (step > ChannelTolerance) ++mismatches;
  }
  stbi_image_free(expected);
  if (mismatches > 0) {
    const std::string saved = environment("QUANDREL_BINARY_DIR") + "/actual-" + name;
    stbi_write_png(saved.c_str(), Canvas::Width, Canvas::Height, 4, canvas.pixels(), Canvas::Width * 4);
    ADD_FAILURE() << mismatches << " pixels differ from " << golden << " by more than " << ChannelTolerance
                  << " (up to " << largest << "); this frame is in " << saved;
  }
}

Image verticalGradient() {
  Image image = solidImage(1, 64, 0);
  for (uint32_t y = 0; y < 64; ++y) image.pixels[y] = packRgba(30 + y, 60 + y * 2, 120 + y, 255);
  return image;
}

// A disc whose edge fades out, in premultiplied alpha.
Image softDisc(uint32_t red, uint32_t green, uint32_t blue) {
  Image image = solidImage(64, 64, 0);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const int dx = x - 32, dy = y - 32;
      const int distance = dx * dx + dy * dy;
      const uint32_t alpha = distance < 600 ? 255 : distance < 1024 ? static_cast<uint32_t>(255 * (1024 - distance) / 424) : 0;
      image.pixels[static_cast<size_t>(y * 64 + x)] =
          packRgba(red * alpha / 255, green * alpha / 255, blue * alpha / 255, alpha);
    }
  }
  return image;
}

class GoldenFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Image* image : {&background, &disc, &dim, &lit}) classifyRuns(*image);  // as decoded pictures are
    backgroundImage.Assign(&background);
    discImage.Assign(&disc);
    dimImage.Assign(&dim);
    litImage.Assign(&lit);
    backgroundPicture.SetImage(&backgroundImage);
    backgroundPicture.SetPos(0, 0, 480, 625);
    window.AddUiWin(&backgroundPicture);
    for (int i = 0; i < 3; ++i) {
      discs[i].SetImage(&discImage);
      discs[i].SetPos(100 + 60 * i, 180 + 30 * i, 128, 128);  // overlapping, later on top
      window.AddUiWin(&discs[i]);
    }
    for (int i = 0; i < 2; ++i) {
      buttons[i].SetID(114 + 3 * i);
      buttons[i].SetPos(2, 512 + 48 * i, 50, 50);
      buttons[i].SetImage_Normal(&dimImage);
      buttons[i].SetImage_Pressed(&litImage);
      window.AddUiWin(&buttons[i]);
    }
    score.SetPos(3, 35, 96, 34);
    score.SetText(u"1250");
    score.SetTextColor(MzWhite);
    window.AddUiWin(&score);
    toolbar.SetPos(0, 655, 480, 65);
    toolbar.SetButton(0, true, true, u"营救");
    toolbar.SetButton(1, true, true, u"发泄");
    toolbar.SetButton(2, true, true, u"返回");
    toolbar.SetID(101);
    window.AddUiWin(&toolbar);
    window.EnableFillBgColor(false);
    window.open();
    window.pointerDown(20, 580);  // the second button held
  }

  Image background = verticalGradient();
  Image disc = softDisc(250, 120, 40);
  Image dim = solidImage(50, 50, packRgba(128, 128, 128, 255));
  Image lit = solidImage(50, 50, packRgba(250, 170, 30, 255));
  ImagingHelper backgroundImage, discImage, dimImage, litImage;
  UiPicture2 backgroundPicture;
  UiPicture2 discs[3];
  UiButton_Image buttons[2];
  UiStatic score;
  UiToolbar_Text toolbar;
  RecordingWindow window;
  Canvas canvas;
};

TEST_F(GoldenFrames, ControlsInAddOrderWithAlphaAPressedButtonTextAndToolbar) {
  window.Paint(canvas);
  expectMatchesGolden(canvas, "controls.png");
}

TEST_F(GoldenFrames, TheQuestionBoxOverTheWindow) {
  QuestionBox& question = questionBox();
  question.open(u"确定退出?", u"感谢对Ostra游戏的支持！");
  question.pointerDown(100, 420);  // Yes held
  window.Paint(canvas);
  question.paint(canvas);
  question.answer(false);
  expectMatchesGolden(canvas, "question.png");
}

}  // namespace
