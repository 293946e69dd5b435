// The controls of the UI library: pictures, text, image buttons and the text
// toolbar. A control belongs to at most one window, which draws the visible
// ones in the order they were added.
#pragma once

#include <array>
#include <cstdint>

#include "platform/imaging.hpp"
#include "platform/mz_string.hpp"
#include "platform/mz_types.hpp"

class Canvas;
class CMzWnd;
class CMzWndEx;

class UiWin {
 public:
  UiWin() = default;
  // A control destroyed while still in a window leaves that window's list.
  virtual ~UiWin();
  UiWin(const UiWin&) = delete;
  UiWin& operator=(const UiWin&) = delete;

  void SetID(int32_t id) { id_ = id; }
  int32_t GetID() const { return id_; }
  // Moves the control; the old and the new place are repainted.
  void SetPos(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags = 0);
  int32_t GetPosX() const { return x_; }
  int32_t GetPosY() const { return y_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  void SetVisible(bool visible);
  bool IsVisible() const { return visible_; }
  // Asks for the control to be repainted. The window repaints what changed
  // since it last drew the control (its place, visibility or look); drawing
  // it again unchanged would give the same pixels.
  void Invalidate();
  void SetText(const char16_t* text);
  const CMzStringW& GetText() const { return text_; }
  void SetTextColor(MzColour colour);
  MzColour GetTextColor() const { return textColour_; }
  // Dragging by the user is not offered on this platform; the mode is kept.
  void SetDragMode(int32_t mode) { dragMode_ = mode; }

  bool Contains(int32_t x, int32_t y) const;
  // The window the control was added to, or null.
  CMzWnd* window() const;

  // Platform side: drawing and pointer handling.
  virtual void Paint(Canvas& canvas) const;
  // True for controls that take a press (buttons, toolbar).
  virtual bool TakesPress() const { return false; }
  // True for a picture that shows an image: it hides the controls beneath it
  // from the pointer as well as from the eye.
  virtual bool ShowsPicture() const { return false; }
  // True when drawing covers the whole rectangle with opaque pixels: nothing
  // beneath needs drawing.
  virtual bool IsOpaque() const { return false; }
  // The parts a keyboard player can press one by one (an image button is one
  // part, a toolbar one per usable button) and where each part lies.
  virtual int32_t FocusPartCount() const { return TakesPress() ? 1 : 0; }
  virtual MzRect FocusPartRect(int32_t /*part*/) const { return rect(); }
  virtual void PressBegan(int32_t x, int32_t y);
  virtual void PressMoved(int32_t x, int32_t y);
  // Ends a press; returns true and sets the command when released over it.
  virtual bool PressEnded(int32_t x, int32_t y, uint32_t& wParam, int32_t& lParam);

  // Everything Paint draws from besides the place, folded into one number
  // that changes whenever any of it does. A class whose Paint reads more of
  // its own state adds that state here.
  virtual uint64_t Look() const;

  // The control as the window last drew it.
  struct Drawn {
    MzRect rect{};
    bool visible = false;
    uint64_t look = 0;
    bool same(const Drawn& other) const;
  };

 protected:
  friend class CMzWndEx;
  MzRect rect() const { return MzRect{x_, y_, x_ + width_, y_ + height_}; }
  Drawn drawnNow() const { return Drawn{rect(), visible_, Look()}; }

  CMzWndEx* window_ = nullptr;
  int32_t id_ = 0;
  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool visible_ = true;
  int32_t dragMode_ = 0;
  CMzStringW text_;
  MzColour textColour_ = 0;
  Drawn drawn_;  // kept by the window that draws the control
};

// A still picture that loads its own image from a file.
class UiPicture : public UiWin {
 public:
  // Loads a PNG or JPEG file; a missing or unreadable file leaves the picture
  // empty (it draws nothing) and returns false.
  bool LoadImageW(const char16_t* path, bool = true);
  const Image* image() const { return picture_.get(); }
  bool ShowsPicture() const override { return !picture_.empty(); }
  bool IsOpaque() const override;
  void Paint(Canvas& canvas) const override;
  uint64_t Look() const override;

 private:
  PictureFile picture_;
};

// A picture that draws a shared image it does not own.
class UiPicture2 : public UiWin {
 public:
  // The picture follows whatever the shared image is later loaded with.
  void SetImage(ImagingHelper* image);
  ImagingHelper* GetImage() const { return image_; }
  bool ShowsPicture() const override;
  bool IsOpaque() const override;
  void Paint(Canvas& canvas) const override;
  uint64_t Look() const override;

 private:
  ImagingHelper* image_ = nullptr;
};

// A line of text in the control's text colour, centred in its rectangle.
class UiStatic : public UiWin {
 public:
  void Paint(Canvas& canvas) const override;
};

class UiButton : public UiWin {
 public:
  void SetButtonType(int32_t type) { buttonType_ = type; }
  bool TakesPress() const override { return true; }
  bool IsPressed() const { return pressed_; }
  void PressBegan(int32_t x, int32_t y) override;
  void PressMoved(int32_t x, int32_t y) override;
  bool PressEnded(int32_t x, int32_t y, uint32_t& wParam, int32_t& lParam) override;

 protected:
  int32_t buttonType_ = 0;
  bool pressed_ = false;  // held and the pointer is over the button
};

// A button drawn with its normal image at rest and its pressed image while
// held; it reports its id as a command when released over it.
class UiButton_Image : public UiButton {
 public:
  void SetImage_Normal(ImagingHelper* image);
  void SetImage_Pressed(ImagingHelper* image);
  ImagingHelper* GetImage_Normal() const { return normal_; }
  ImagingHelper* GetImage_Pressed() const { return pressedImage_; }
  void SetMode(int32_t mode) { mode_ = mode; }
  void SwapImageZOrder(bool swap) { swapZOrder_ = swap; }
  void Paint(Canvas& canvas) const override;
  uint64_t Look() const override;

 private:
  ImagingHelper* normal_ = nullptr;
  ImagingHelper* pressedImage_ = nullptr;
  int32_t mode_ = 0;
  bool swapZOrder_ = false;
};

// A strip of up to three text buttons; a press reports the toolbar's id with
// the index of the button as the second parameter.
class UiToolbar_Text : public UiWin {
 public:
  static constexpr int MaxButtons = 3;
  // The bar's background (packed RGBA).
  static const uint32_t BackgroundColour;

  void SetButton(int32_t index, bool enabled, bool visible, const char16_t* caption);
  const CMzStringW& GetCaption(int32_t index) const;
  int32_t PressedIndex() const { return pressedIndex_; }

  bool TakesPress() const override { return true; }
  // One part per visible, enabled button, left to right.
  int32_t FocusPartCount() const override;
  MzRect FocusPartRect(int32_t part) const override;
  void PressBegan(int32_t x, int32_t y) override;
  void PressMoved(int32_t x, int32_t y) override;
  bool PressEnded(int32_t x, int32_t y, uint32_t& wParam, int32_t& lParam) override;
  bool IsOpaque() const override { return true; }
  void Paint(Canvas& canvas) const override;
  uint64_t Look() const override;

 private:
  int32_t indexAt(int32_t x, int32_t y) const;
  MzRect cellRect(int32_t index) const;

  struct Button {
    CMzStringW caption;
    bool enabled = false;
    bool visible = false;
  };
  std::array<Button, MaxButtons> buttons_{};
  int32_t heldIndex_ = -1;     // the button the press began on
  int32_t pressedIndex_ = -1;  // drawn pressed: held and under the pointer
};
