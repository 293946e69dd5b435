// UiWin and the passive controls: pictures and text.
#include "platform/ui_controls.hpp"

#include <algorithm>

#include "platform/canvas.hpp"
#include "platform/imaging.hpp"
#include "platform/look_hash.hpp"
#include "platform/mz_window.hpp"

namespace {

// Text fills about three quarters of a control's height.
int32_t textHeightFor(int32_t controlHeight) { return std::clamp(controlHeight * 3 / 4, 10, 40); }

}  // namespace

bool UiWin::Drawn::same(const Drawn& other) const {
  return visible == other.visible && look == other.look && rect.left == other.rect.left &&
         rect.top == other.rect.top && rect.right == other.rect.right && rect.bottom == other.rect.bottom;
}

uint64_t UiWin::Look() const {
  LookHash hash;
  hash.add(text_.C_Str(), text_.Length() * sizeof(char16_t));
  hash.add(textColour_);
  return hash.value();
}

UiWin::~UiWin() {
  if (window_) window_->removeControl(this);
}

CMzWnd* UiWin::window() const { return window_; }

void UiWin::SetPos(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t) {
  Invalidate();
  x_ = x;
  y_ = y;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  Invalidate();
}

void UiWin::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Invalidate();
}

void UiWin::Invalidate() {
  if (window_) window_->Invalidate();
}

void UiWin::SetText(const char16_t* text) {
  text_ = text;
  Invalidate();
}

void UiWin::SetTextColor(MzColour colour) {
  textColour_ = colour;
  Invalidate();
}

bool UiWin::Contains(int32_t x, int32_t y) const {
  return x >= x_ && x < x_ + width_ && y >= y_ && y < y_ + height_;
}

void UiWin::Paint(Canvas&) const {}
void UiWin::PressBegan(int32_t, int32_t) {}
void UiWin::PressMoved(int32_t, int32_t) {}
bool UiWin::PressEnded(int32_t, int32_t, uint32_t&, int32_t&) { return false; }

bool UiPicture::LoadImageW(const char16_t* path, bool) {
  picture_.LoadImageW(path);
  Invalidate();
  return !picture_.IsEmpty();
}

bool UiPicture::IsOpaque() const { return image() && image()->opaque; }

// Decoded pictures are never changed, so the picture's address stands for its
// pixels, and the path for a picture still on its way.
uint64_t UiPicture::Look() const {
  LookHash hash(UiWin::Look());
  picture_.addLook(hash);
  return hash.value();
}

void UiPicture::Paint(Canvas& canvas) const {
  if (const Image* picture = image()) canvas.drawImage(*picture, rect());
}

void UiPicture2::SetImage(ImagingHelper* image) {
  image_ = image;
  Invalidate();
}

bool UiPicture2::ShowsPicture() const { return image_ && !image_->IsEmpty(); }

bool UiPicture2::IsOpaque() const { return image_ && image_->image() && image_->image()->opaque; }

uint64_t UiPicture2::Look() const {
  LookHash hash(UiWin::Look());
  if (image_) image_->addLook(hash);
  return hash.value();
}

void UiPicture2::Paint(Canvas& canvas) const {
  if (image_ && image_->image()) canvas.drawImage(*image_->image(), rect());
}

void UiStatic::Paint(Canvas& canvas) const {
  canvas.drawText(text_.C_Str(), rect(), textHeightFor(height_), textColour_);
}
