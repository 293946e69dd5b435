// Builds the start-up screen's 54 controls with generated pictures.
#include "start_screen.hpp"

#include "platform/canvas.hpp"

namespace {

uint32_t premultiplied(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return (r * a / 255) | (g * a / 255) << 8 | (b * a / 255) << 16 | a << 24;
}

// A picture with a colour gradient; `alpha` shapes it: opaque pictures fill
// their rectangle, the others are an ellipse with a soft, translucent edge.
Image makeImage(int32_t width, int32_t height, uint32_t seed, bool opaque) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t r = (static_cast<uint32_t>(x) * 255 / width + seed * 40) & 0xFF;
      const uint32_t g = (static_cast<uint32_t>(y) * 255 / height + seed * 90) & 0xFF;
      const uint32_t b = (seed * 70 + static_cast<uint32_t>(x + y)) & 0xFF;
      uint32_t a = 255;
      if (!opaque) {
        const double dx = (x + 0.5) / width * 2 - 1;
        const double dy = (y + 0.5) / height * 2 - 1;
        const double d = dx * dx + dy * dy;
        a = d >= 1 ? 0 : d > 0.7 ? static_cast<uint32_t>((1 - d) / 0.3 * 255) : 255;
      }
      image.pixels[static_cast<size_t>(y) * width + x] = premultiplied(r, g, b, a);
    }
  }
  classifyRuns(image);  // as the decoder does for every picture it loads
  return image;
}

// Left edges of the ten target slots.
constexpr std::array<int32_t, 10> SlotX{160, 184, 208, 231, 254, 277, 300, 323, 346, 369};

}  // namespace

StartScreenScene::StartScreenScene() {
  // The game's window paints no background of its own: its pictures cover it.
  window_.EnableFillBgColor(false);
  struct Size {
    int32_t width;
    int32_t height;
    bool opaque;
  };
  const std::array<Size, PictureCount> sizes{{
      {480, 625, true},   // background
      {80, 153, false},   // sprayer
      {16, 48, false},    // shot
      {30, 40, false},    // preview
      {480, 6, true},     // time bar
      {32, 32, false},    // key
      {32, 126, false},   // target
      {250, 450, false},  // lightning
      {100, 80, false},   // cloud
      {480, 720, false},  // overlay
      {480, 720, true},   // splash
      {50, 50, false},    // button at rest
      {50, 50, false},    // button pressed
  }};
  images_.reserve(PictureCount);
  for (size_t i = 0; i < sizes.size(); ++i) {
    images_.push_back(makeImage(sizes[i].width, sizes[i].height, static_cast<uint32_t>(i), sizes[i].opaque));
    helpers_[i].Assign(&images_[i]);
  }
  targetStates_.reserve(targetHelpers_.size());
  for (size_t i = 0; i < targetHelpers_.size(); ++i) {
    targetStates_.push_back(makeImage(32, 126, static_cast<uint32_t>(20 + i), false));
    targetHelpers_[i].Assign(&targetStates_[i]);
  }

  background_.SetImage(&helper(Background));
  place(background_, 102, 0, 0, 480, 625);
  sprayer_.SetImage(&helper(Sprayer));
  place(sprayer_, 103, 105, 10, 80, 153);
  const std::array<std::array<int32_t, 3>, 3> buttonPlaces{{{114, 2, 512}, {117, 2, 560}, {116, 50, 560}}};
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i].SetImage_Normal(&helper(ButtonNormal));
    buttons_[i].SetImage_Pressed(&helper(ButtonPressed));
    place(buttons_[i], buttonPlaces[i][0], buttonPlaces[i][1], buttonPlaces[i][2], 50, 50);
  }
  labels_[0].SetText(u"1250");
  labels_[0].SetTextColor(MzWhite);
  place(labels_[0], 104, 3, 35, 96, 34);
  labels_[1].SetText(u"7");
  labels_[1].SetTextColor(MzWhite);
  place(labels_[1], 105, 43, 78, 50, 25);
  for (int32_t k = 0; k < 6; ++k) {
    shots_[k].SetImage(&helper(Shot));
    place(shots_[k], 120 + k, 145 + 20 * k, 150 + 30 * k, 16, 48);
  }
  for (int32_t k = 0; k < 6; ++k) {
    previews_[k].SetImage(&helper(Preview));
    place(previews_[k], 140 + k, 98, 340, 30, 40);
  }
  for (int32_t k = 0; k < 6; ++k) {
    bars_[k].SetImage(&helper(Bar));
    place(bars_[k], 150 + k, -40 * k, 614, 480, 6);
  }
  for (int32_t k = 0; k < 8; ++k) {
    keys_[k].SetImage(&helper(Key));
    place(keys_[k], 170 + k, 10, 120 + 40 * k, 32, 32);
  }
  for (int32_t k = 0; k < 10; ++k) {
    targets_[k].SetImage(&targetHelpers_[k % targetHelpers_.size()]);
    place(targets_[k], 160 + k, SlotX[k], 430, 32, 126);
  }
  for (int32_t k = 0; k < 4; ++k) {
    lightning_[k].SetImage(&helper(Lightning));
    place(lightning_[k], 180 + k, 140, 0, 250, 450);
  }
  for (int32_t k = 0; k < 4; ++k) {
    clouds_[k].SetImage(&helper(Cloud));
    place(clouds_[k], 190 + k, 60 + 90 * k, 200, 100, 80);
  }
  overlay_.SetImage(&helper(Overlay));
  place(overlay_, 112, 0, 0, 480, 720);
  splash_.SetImage(&helper(Splash));
  place(splash_, 107, 0, 0, 480, 720);
  toolbar_.SetButton(0, true, true, u"营救");
  toolbar_.SetButton(1, true, true, u"发泄");
  toolbar_.SetButton(2, true, true, u"返回");
  place(toolbar_, 101, 0, Canvas::Height - 65, Canvas::Width, 65);
}

void StartScreenScene::place(UiWin& control, int32_t id, int32_t x, int32_t y, int32_t width,
                             int32_t height) {
  control.SetPos(x, y, width, height);
  control.SetID(id);
  window_.AddUiWin(&control);
}

void StartScreenScene::compose(Canvas& canvas) const {
  canvas.setClip({0, 0, Canvas::Width, Canvas::Height});
  window_.Paint(canvas);
}

void StartScreenScene::advance() {
  ++frame_;
  for (size_t k = 0; k < targets_.size(); ++k) {
    targets_[k].SetImage(&targetHelpers_[(k + frame_) % targetHelpers_.size()]);
  }
  sprayer_.SetPos(105 + static_cast<int32_t>(frame_ % 200), 10, 80, 153);
}
