// quandrel_demo: a small application on the platform's entry function, used
// to try the hosts by hand and by the real-window end-to-end test.
//
// Layout (window pixels, 480 x 720):
//   background picture   0,   0, 480, 655   a vertical gradient
//   button 201          60, 200, 160, 100   blue at rest, yellow while pressed
//   button 202         260, 200, 160, 100   green at rest, orange while pressed
//   label 300            0, 400, 480,  60   the last thing that happened, in white
//   toolbar 101          0, 655, 480,  65   "营救" "发泄" "返回"
//
// Standard output, unbuffered, one line per event:
//   command ID ARG      a button or toolbar press (toolbar: ARG = button index)
//   down X Y            a press that no button took
//   key NAME            a key press
//   answer yes|no       the answer to the exit question
// Toolbar button 2 ("返回") and Escape ask "确定退出?"; yes ends the program
// with status 0. Closing the window ends it at once.
#include <cstdio>
#include <string>

#include "platform/image.hpp"
#include "platform/imaging.hpp"
#include "platform/key_names.hpp"
#include "platform/mz_app.hpp"
#include "platform/mz_functions.hpp"
#include "platform/mz_window.hpp"
#include "platform/system/utf.hpp"
#include "platform/ui_controls.hpp"

namespace {

constexpr int32_t FirstButtonId = 201;
constexpr int32_t SecondButtonId = 202;
constexpr int32_t LabelId = 300;
constexpr int32_t ToolbarId = 101;
constexpr int32_t BackIndex = 2;

Image solidImage(uint32_t rgba) {
  Image image;
  image.width = 16;
  image.height = 16;
  image.pixels.assign(16 * 16, rgba);
  return image;
}

Image gradientImage() {
  Image image;
  image.width = 1;
  image.height = 256;
  for (uint32_t y = 0; y < 256; ++y) image.pixels.push_back(packRgba(40, 40 + y / 4, 60 + y / 2, 255));
  return image;
}

class DemoWindow : public CMzWndEx {
 public:
  int32_t OnInitDialog() override {
    if (CMzWndEx::OnInitDialog() == 0) return 0;
    EnableFillBgColor(false);
    backgroundImage_.Assign(&gradient_);
    background_.SetImage(&backgroundImage_);
    background_.SetPos(0, 0, 480, 655);
    AddUiWin(&background_);
    setUpButton(first_, FirstButtonId, 60, firstNormal_, blue_, firstPressed_, yellow_);
    setUpButton(second_, SecondButtonId, 260, secondNormal_, green_, secondPressed_, orange_);
    label_.SetID(LabelId);
    label_.SetPos(0, 400, 480, 60);
    label_.SetTextColor(MzWhite);
    label_.SetText(u"0");
    AddUiWin(&label_);
    toolbar_.SetPos(0, GetHeight() - 65, GetWidth(), 65);
    toolbar_.SetButton(0, true, true, u"营救");
    toolbar_.SetButton(1, true, true, u"发泄");
    toolbar_.SetButton(2, true, true, u"返回");
    toolbar_.SetID(ToolbarId);
    AddUiWin(&toolbar_);
    return 1;
  }

  void handleCommand(uint32_t wParam, int32_t lParam) override {
    const uint32_t id = wParam & 0xFFFF;
    report("command " + std::to_string(id) + ' ' + std::to_string(lParam));
    if (id == ToolbarId && lParam == BackIndex) askToQuit();
  }

  void OnLButtonDown(uint32_t, int32_t x, int32_t y) override {
    report("down " + std::to_string(x) + ' ' + std::to_string(y));
  }

  void OnKeyDown(MzKey key, uint32_t) override {
    report("key " + std::string(keyName(key)));
    if (key == MzKey::Escape) askToQuit();
  }

 private:
  void setUpButton(UiButton_Image& button, int32_t id, int32_t x, ImagingHelper& normal, const Image& normalImage,
                   ImagingHelper& pressed, const Image& pressedImage) {
    normal.Assign(&normalImage);
    pressed.Assign(&pressedImage);
    button.SetID(id);
    button.SetPos(x, 200, 160, 100);
    button.SetImage_Normal(&normal);
    button.SetImage_Pressed(&pressed);
    AddUiWin(&button);
  }

  void askToQuit() {
    const bool yes = MzMessageBoxEx(m_hWnd, u"确定退出?", u"感谢对Ostra游戏的支持！", 4, 0) == 1;
    report(yes ? "answer yes" : "answer no");
    if (yes) PostQuitMessage(0);
  }

  // Prints the line and shows it in the label.
  void report(const std::string& line) {
    std::printf("%s\n", line.c_str());
    label_.SetText(utf16FromUtf8(line).c_str());
  }

  Image gradient_ = gradientImage();
  Image blue_ = solidImage(packRgba(40, 90, 220, 255));
  Image yellow_ = solidImage(packRgba(250, 210, 40, 255));
  Image green_ = solidImage(packRgba(40, 170, 80, 255));
  Image orange_ = solidImage(packRgba(240, 130, 30, 255));
  ImagingHelper backgroundImage_, firstNormal_, firstPressed_, secondNormal_, secondPressed_;
  UiPicture2 background_;
  UiButton_Image first_, second_;
  UiStatic label_;
  UiToolbar_Text toolbar_;
};

class DemoApp : public CMzApp {
 public:
  int32_t Init() override {
    const MzRect area = MzGetWorkArea();
    if (!window_.Create(area.left, area.top, area.right - area.left, area.bottom - area.top)) return 0;
    window_.Show();
    return 1;
  }

 private:
  DemoWindow window_;
};

CMzApp& demoApp() {
  static DemoApp app;
  return app;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return WinMain(argc, argv, "0.9.3-demo", demoApp);
}
