// The UI library's window classes. A window owns no controls: it keeps the
// list of controls added to it, draws the visible ones in that order into the
// frame, routes the pointer to them, and delivers timers, commands, keys and
// pointer events to its virtual handlers on the one GUI thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dirty_region.hpp"
#include "platform/mz_types.hpp"

class Canvas;
class UiWin;

// A place a keyboard player can move the focus to and press: one part of a
// control (a toolbar has one per button), and where it lies.
struct FocusStop {
  UiWin* control = nullptr;
  int32_t part = 0;
  MzRect rect;
};

class CMzWnd {
 public:
  CMzWnd() = default;
  virtual ~CMzWnd();
  CMzWnd(const CMzWnd&) = delete;
  CMzWnd& operator=(const CMzWnd&) = delete;

  virtual const char16_t* GetWindowClassName();
  virtual int32_t MzDefWndProc(uint32_t message, uint32_t wParam, int32_t lParam);
  virtual void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y);
  // Pointer press, release and drag that no button took.
  virtual void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  virtual void OnLButtonUp(uint32_t flags, int32_t x, int32_t y);
  // Delivered only while the pointer is held down (a dragging finger).
  virtual void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  virtual void OnTimer(uint32_t timerId);
  // True while a tick of the timer would change nothing until some other
  // handler gives it work again: a host may sleep through such ticks (they
  // still fire, in turn, once the loop runs). False by default.
  virtual bool timerIdle(uint32_t timerId) const;
  virtual void OnSize(int32_t width, int32_t height);
  // A control's command: its id in the low 16 bits of wParam; for a toolbar,
  // lParam is the index of the pressed button.
  virtual void handleCommand(uint32_t wParam, int32_t lParam);
  // Called by Create, once the window exists; 0 means the window failed.
  virtual int32_t OnInitDialog();
  // Desktop keys (the phone had none).
  virtual void OnKeyDown(MzKey key, uint32_t modifiers);
  // A pad button the focus ring did not take; a window that knows no pad
  // hears the key the button stands for.
  virtual void OnPadButton(MzPadButton button);
  // A navigation key the window takes on its current screen before the focus
  // ring would move with it; none by default.
  virtual bool KeepsKey(MzKey key) const;
  // The reply to the web request numbered `request` (Host::sendWebRequest):
  // its HTTP status, 0 when no answer came.
  virtual void OnWebReply(uint32_t /*request*/, int32_t /*status*/, std::string_view /*body*/) {}
  // Appends the window's own fields ("name": value pairs, each preceded by a
  // comma) to the one-line JSON state that a headless script's dump prints.
  virtual void AppendDebugState(std::string& json) const;
  // Whether the player is in the middle of play (a level being played, not
  // over, not paused): the host keeps the screen awake while it is.
  virtual bool IsPlayInProgress() const { return false; }
  // Called by the message loop after each delivered event and each fired
  // timer: the window announces what changed since the last call.
  virtual void AnnounceChanges() {}
  // The name and state of a focus stop's button in the shown language
  // (UTF-8, "Sound, on"), for the focus ring's announcement and a page's
  // mirror of the buttons; empty when unnamed. Valid until the next call.
  virtual std::string_view NameFocusStop(const FocusStop& /*stop*/) const { return {}; }

  // Creates the native window over (x, y, width, height) and calls
  // OnInitDialog; false (and no window) when that returns 0.
  bool Create(int32_t x, int32_t y, int32_t width, int32_t height, CMzWnd* parent = nullptr,
              int32_t id = 0, uint32_t style = 0, uint32_t exStyle = 0);
  void Show(bool show = true, bool activate = true);
  // Repaints what was invalidated now rather than at the next loop step.
  void UpdateWindow();
  // The start-up animation (a short fade-in here); shows or hides the window.
  void AnimateWindow(int32_t kind, bool show);
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  bool IsWindowVisible() const { return shown_; }
  // With false the window paints no background colour of its own: only its
  // controls, over the toolbar's dark colour.
  void EnableFillBgColor(bool fill);
  // Marks a rectangle for repainting. Null asks for the whole window: what
  // changed in it since it was last drawn is repainted, as drawing the rest
  // again would give the same pixels.
  void Invalidate(const MzRect* rect = nullptr, int32_t erase = 0);
  void SetShellHomekeyReturnValue(int32_t value) { homeKeyValue_ = value; }

  WindowHandle m_hWnd = 0;

  // Platform side: painting and pointer routing.
  // Draws the window into the frame, within the frame's clip rectangle.
  virtual void Paint(Canvas& canvas) const;
  // Marks every pixel of the window, changed or not: its first frame, and
  // what the platform draws over it (the fade, the pause veil, a question).
  void invalidateWhole();
  // The parts of the window waiting to be repainted; taking them clears them.
  const DirtyRegion& dirtyRegion();
  DirtyRegion takeDirtyRegion();
  // The box around those parts; taking it clears them.
  MzRect dirtyRect() { return dirtyRegion().bounds(); }
  MzRect takeDirtyRect();
  void pointerDown(int32_t x, int32_t y);
  void pointerMove(int32_t x, int32_t y);
  void pointerUp(int32_t x, int32_t y);
  // Ends a press without a release (a modal question took the pointer).
  void cancelPress();
  // Begins a press of `control` at (x, y) as a finger would, for a key that
  // presses it; pointerUp there ends it.
  void pressControlAt(UiWin* control, int32_t x, int32_t y);
  const UiWin* pressedControl() const { return pressedControl_; }
  // The stops a keyboard player moves among, in screen order (top to bottom,
  // then left to right); empty where the keys belong to the window.
  virtual std::vector<FocusStop> focusStops() const;
  // Appends the ids of the visible controls in drawing order, comma-separated.
  virtual void appendVisibleControlIds(std::string& json) const;

 protected:
  // Fills the window's part of `area` with its background colour.
  void paintBackground(Canvas& canvas, const MzRect& area) const;
  // The top-most visible control under (x, y) that takes a press, if any.
  virtual UiWin* controlTakingPress(int32_t x, int32_t y) const;
  // Forgets a control that leaves the window (it may hold the press).
  void forgetPress(const UiWin* control);
  // Adds to `dirty` what changed since the window was last drawn; a window
  // without controls adds all of itself.
  virtual void addChangedParts(DirtyRegion& dirty);

  int32_t width_ = 0;
  int32_t height_ = 0;
  bool shown_ = false;
  bool fillBackground_ = true;
  int32_t homeKeyValue_ = 0;

 private:
  DirtyRegion dirty_;
  bool changesAsked_ = false;        // Invalidate without a rectangle since the last take
  UiWin* pressedControl_ = nullptr;  // the control holding the press
  bool windowHeld_ = false;          // a press that went to OnLButtonDown
};

class CMzWndEx : public CMzWnd {
 public:
  ~CMzWndEx() override;
  // Adds a control on top of those added before; adding one already in the
  // list changes nothing.
  void AddUiWin(UiWin* control);
  int32_t OnInitDialog() override;

  // Platform side.
  const std::vector<UiWin*>& controls() const { return controls_; }
  void Paint(Canvas& canvas) const override;
  void appendVisibleControlIds(std::string& json) const override;
  std::vector<FocusStop> focusStops() const override;
  // Called by a control's destructor.
  void removeControl(UiWin* control);

 protected:
  UiWin* controlTakingPress(int32_t x, int32_t y) const override;

 private:
  // Fills what no visible opaque control covers within the canvas's clip.
  void paintUncoveredBackground(Canvas& canvas) const;
  void addChangedParts(DirtyRegion& dirty) override;

  std::vector<UiWin*> controls_;
  std::string drawnLanguage_;  // the language the texts were last drawn in
};
