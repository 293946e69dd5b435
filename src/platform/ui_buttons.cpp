// The controls that take a press: image buttons and the text toolbar.
#include "platform/ui_controls.hpp"

#include <algorithm>

#include "platform/canvas.hpp"
#include "platform/image.hpp"
#include "platform/imaging.hpp"
#include "platform/look_hash.hpp"

namespace {

constexpr uint32_t ToolbarColour = packRgba(34, 34, 40, 255);
constexpr uint32_t ToolbarPressedColour = packRgba(84, 84, 96, 255);
constexpr uint32_t ToolbarEdgeColour = packRgba(90, 90, 100, 255);
constexpr MzColour CaptionColour = 0xFFFFFF;
constexpr MzColour DisabledCaptionColour = 0x808080;

const Image* pictureOf(const ImagingHelper* helper) { return helper ? helper->image() : nullptr; }

}  // namespace

void UiButton::PressBegan(int32_t, int32_t) {
  pressed_ = true;
  Invalidate();
}

void UiButton::PressMoved(int32_t x, int32_t y) {
  const bool over = Contains(x, y);
  if (over == pressed_) return;
  pressed_ = over;
  Invalidate();
}

bool UiButton::PressEnded(int32_t x, int32_t y, uint32_t& wParam, int32_t& lParam) {
  pressed_ = false;
  Invalidate();
  if (!Contains(x, y)) return false;
  wParam = static_cast<uint32_t>(id_);
  lParam = 0;
  return true;
}

void UiButton_Image::SetImage_Normal(ImagingHelper* image) {
  normal_ = image;
  Invalidate();
}

void UiButton_Image::SetImage_Pressed(ImagingHelper* image) {
  pressedImage_ = image;
  Invalidate();
}

uint64_t UiButton_Image::Look() const {
  LookHash hash(UiWin::Look());
  hash.add(pressed_);
  hash.add(normal_ != nullptr);
  if (normal_) normal_->addLook(hash);
  hash.add(pressedImage_ != nullptr);
  if (pressedImage_) pressedImage_->addLook(hash);
  return hash.value();
}

void UiButton_Image::Paint(Canvas& canvas) const {
  const Image* picture = pressed_ ? pictureOf(pressedImage_) : nullptr;
  if (!picture) picture = pictureOf(normal_);  // no pressed image: the normal one stays
  if (picture) canvas.drawImage(*picture, rect());
}

const uint32_t UiToolbar_Text::BackgroundColour = ToolbarColour;

void UiToolbar_Text::SetButton(int32_t index, bool enabled, bool visible, const char16_t* caption) {
  if (index < 0 || index >= MaxButtons) return;
  Button& button = buttons_[static_cast<size_t>(index)];
  button.enabled = enabled;
  button.visible = visible;
  button.caption = caption;
  Invalidate();
}

const CMzStringW& UiToolbar_Text::GetCaption(int32_t index) const {
  static const CMzStringW none;
  if (index < 0 || index >= MaxButtons) return none;
  return buttons_[static_cast<size_t>(index)].caption;
}

// The toolbar is cut into equal cells, one per button slot.
int32_t UiToolbar_Text::indexAt(int32_t x, int32_t y) const {
  if (!Contains(x, y) || width_ <= 0) return -1;
  const int32_t index = std::min((x - x_) * MaxButtons / width_, MaxButtons - 1);
  const Button& button = buttons_[static_cast<size_t>(index)];
  return button.visible && button.enabled ? index : -1;
}

MzRect UiToolbar_Text::cellRect(int32_t index) const {
  return MzRect{x_ + width_ * index / MaxButtons, y_ + 1, x_ + width_ * (index + 1) / MaxButtons, y_ + height_};
}

int32_t UiToolbar_Text::FocusPartCount() const {
  return static_cast<int32_t>(
      std::count_if(buttons_.begin(), buttons_.end(), [](const Button& b) { return b.visible && b.enabled; }));
}

MzRect UiToolbar_Text::FocusPartRect(int32_t part) const {
  for (int32_t i = 0; i < MaxButtons; ++i) {
    const Button& button = buttons_[static_cast<size_t>(i)];
    if (button.visible && button.enabled && part-- == 0) return cellRect(i);
  }
  return MzRect{};
}

void UiToolbar_Text::PressBegan(int32_t x, int32_t y) {
  heldIndex_ = indexAt(x, y);
  pressedIndex_ = heldIndex_;
  Invalidate();
}

void UiToolbar_Text::PressMoved(int32_t x, int32_t y) {
  const int32_t pressed = heldIndex_ >= 0 && indexAt(x, y) == heldIndex_ ? heldIndex_ : -1;
  if (pressed == pressedIndex_) return;
  pressedIndex_ = pressed;
  Invalidate();
}

bool UiToolbar_Text::PressEnded(int32_t x, int32_t y, uint32_t& wParam, int32_t& lParam) {
  const int32_t held = heldIndex_;
  heldIndex_ = -1;
  pressedIndex_ = -1;
  Invalidate();
  if (held < 0 || indexAt(x, y) != held) return false;
  wParam = static_cast<uint32_t>(id_);
  lParam = held;
  return true;
}

uint64_t UiToolbar_Text::Look() const {
  LookHash hash(UiWin::Look());
  for (const Button& button : buttons_) {
    hash.add(button.caption.C_Str(), button.caption.Length() * sizeof(char16_t));
    hash.add(button.enabled);
    hash.add(button.visible);
  }
  hash.add(pressedIndex_);
  return hash.value();
}

void UiToolbar_Text::Paint(Canvas& canvas) const {
  const MzRect bar = rect();
  canvas.fill(bar, ToolbarColour);
  canvas.fill(MzRect{bar.left, bar.top, bar.right, bar.top + 1}, ToolbarEdgeColour);
  const int32_t captionHeight = std::clamp(height_ * 2 / 5, 10, 32);
  for (int32_t i = 0; i < MaxButtons; ++i) {
    const Button& button = buttons_[static_cast<size_t>(i)];
    if (!button.visible) continue;
    const MzRect cell = cellRect(i);
    if (i == pressedIndex_) canvas.fill(cell, ToolbarPressedColour);
    canvas.drawText(button.caption.C_Str(), cell, captionHeight,
                    button.enabled ? CaptionColour : DisabledCaptionColour);
  }
}
