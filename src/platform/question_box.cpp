// Layout, drawing and input of the modal question.
#include "platform/question_box.hpp"

#include "platform/canvas.hpp"
#include "platform/focus_navigation.hpp"
#include "platform/image.hpp"

namespace {

constexpr MzRect Panel = rectOf(40, 220, 400, 260);
constexpr MzRect CaptionBar = rectOf(40, 220, 400, 56);
constexpr MzRect TextArea = rectOf(56, 290, 368, 100);
constexpr MzRect YesButton = rectOf(70, 400, 150, 60);
constexpr MzRect NoButton = rectOf(260, 400, 150, 60);
constexpr const char16_t* YesCaption = u"确定";
constexpr const char16_t* NoCaption = u"取消";

constexpr uint32_t Veil = packRgba(0, 0, 0, 140);
constexpr uint32_t PanelColour = packRgba(246, 243, 234, 255);
constexpr uint32_t QuestionCaptionColour = packRgba(44, 62, 110, 255);
constexpr uint32_t ButtonColour = packRgba(232, 178, 42, 255);
constexpr uint32_t ButtonPressedColour = packRgba(180, 128, 20, 255);
constexpr uint32_t NoButtonColour = packRgba(200, 200, 200, 255);
constexpr uint32_t NoButtonPressedColour = packRgba(150, 150, 150, 255);

bool inside(const MzRect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

void QuestionBox::open(const char16_t* text, const char16_t* caption) {
  open_ = true;
  text_ = text ? text : u"";
  caption_ = caption ? caption : u"";
  result_ = No;
  held_ = Button::None;
  heldInside_ = false;
  focusYes_ = true;
}

void QuestionBox::answer(bool yes) {
  if (!open_) return;
  open_ = false;
  result_ = yes ? Yes : No;
  held_ = Button::None;
}

MzRect QuestionBox::answerRect(bool yes) { return yes ? YesButton : NoButton; }

const char16_t* QuestionBox::answerCaption(bool yes) { return yes ? YesCaption : NoCaption; }

QuestionBox::Button QuestionBox::buttonAt(int32_t x, int32_t y) {
  if (inside(YesButton, x, y)) return Button::Yes;
  if (inside(NoButton, x, y)) return Button::No;
  return Button::None;
}

void QuestionBox::pointerDown(int32_t x, int32_t y) {
  held_ = buttonAt(x, y);
  heldInside_ = held_ != Button::None;
}

void QuestionBox::pointerMove(int32_t x, int32_t y) {
  if (held_ != Button::None) heldInside_ = buttonAt(x, y) == held_;
}

void QuestionBox::pointerUp(int32_t x, int32_t y) {
  const Button released = buttonAt(x, y);
  const Button held = held_;
  held_ = Button::None;
  heldInside_ = false;
  if (held != Button::None && released == held) answer(held == Button::Yes);
}

void QuestionBox::keyDown(MzKey key) {
  switch (key) {
    case MzKey::Return:
    case MzKey::Space: answer(focusYes_); break;
    case MzKey::Y: answer(true); break;
    case MzKey::Escape:
    case MzKey::N: answer(false); break;
    case MzKey::Left:
    case MzKey::Right:
    case MzKey::Up:
    case MzKey::Down:
    case MzKey::Tab:
      // Two buttons side by side: every step goes to the other one.
      if (!showFocusRing()) focusYes_ = !focusYes_;
      break;
    default: break;
  }
}

void QuestionBox::paint(Canvas& canvas) const {
  if (!open_) return;
  canvas.fill(canvasRect(), Veil);
  canvas.fill(Panel, PanelColour);
  canvas.fill(CaptionBar, QuestionCaptionColour);
  canvas.drawText(caption_.c_str(), CaptionBar, 24, 0xFFFFFF);
  canvas.drawText(text_.c_str(), TextArea, 30, 0x202020);
  const bool yesDown = held_ == Button::Yes && heldInside_;
  const bool noDown = held_ == Button::No && heldInside_;
  canvas.fill(YesButton, yesDown ? ButtonPressedColour : ButtonColour);
  canvas.fill(NoButton, noDown ? NoButtonPressedColour : NoButtonColour);
  canvas.drawText(YesCaption, YesButton, 28, 0x202020);
  canvas.drawText(NoCaption, NoButton, 28, 0x202020);
  if (focusRingShown()) drawFocusRing(canvas, focusYes_ ? YesButton : NoButton);
}

QuestionBox& questionBox() {
  static QuestionBox box;
  return box;
}
