// The modal yes/no question that MzMessageBoxEx puts over the window: a veil,
// a panel with the caption and the text, and the two answer buttons.
#pragma once

#include <cstdint>
#include <string>

#include "platform/mz_types.hpp"

class Canvas;

class QuestionBox {
 public:
  static constexpr int32_t Yes = 1;
  static constexpr int32_t No = 2;

  void open(const char16_t* text, const char16_t* caption);
  bool isOpen() const { return open_; }
  const std::u16string& text() const { return text_; }
  const std::u16string& caption() const { return caption_; }
  // Closes the box with the answer; Yes or No.
  void answer(bool yes);
  int32_t result() const { return result_; }

  // Pointer and keys while the box is open: the buttons answer when released
  // over them; Return or Space answers the focused button (yes when the box
  // opens), Y yes, Escape or N no; the arrows and Tab move the focus ring
  // between the two.
  void pointerDown(int32_t x, int32_t y);
  void pointerMove(int32_t x, int32_t y);
  void pointerUp(int32_t x, int32_t y);
  void keyDown(MzKey key);
  bool focusOnYes() const { return focusYes_; }
  // Where an answer's button lies and its caption as the game writes it.
  static MzRect answerRect(bool yes);
  static const char16_t* answerCaption(bool yes);

  void paint(Canvas& canvas) const;

 private:
  enum class Button { None, Yes, No };
  static Button buttonAt(int32_t x, int32_t y);

  bool open_ = false;
  std::u16string text_;
  std::u16string caption_;
  int32_t result_ = No;
  Button held_ = Button::None;     // the button the press began on
  bool heldInside_ = false;        // the pointer is still over it
  bool focusYes_ = true;           // the focused button
};

// The one question box of the process.
QuestionBox& questionBox();
