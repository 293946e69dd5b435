// Keyboard and gamepad navigation of the window's buttons: the arrows, Tab
// and Shift+Tab move a focus ring among the stops of the screen, Return and
// Space press the focused one as a finger would, Escape presses the screen's
// way back. The ring shows from the first navigation key until the next
// pointer press, so touch and mouse players never see it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.hpp"

class Canvas;
class CMzWnd;
class UiWin;
struct FocusStop;

// How long a key holds a button down before it reports its command, so that
// the pressed picture shows as it does under a finger.
constexpr uint64_t FocusPressMs = 100;

// Takes a key that navigates or presses on a screen with stops; false for a
// key the window keeps (every key on the board, keys with Alt or Ctrl, and
// those the window's KeepsKey claims).
bool focusNavigationTakes(CMzWnd& window, const HostEvent& event);
bool focusRingShown();
// The focused stop of `window` while the ring shows; false otherwise.
bool focusedStop(const CMzWnd& window, FocusStop& stop);
// A navigation key: shows the ring; false when it was already showing (the
// key then moves it).
bool showFocusRing();
// A pointer press: the ring goes until the next navigation key.
void hideFocusRing();
// The ring shows on `control` (its first part): a screen that opens to point
// at one button puts the focus there.
void focusOnControl(const UiWin* control);

// A key press still holding its button; finishing it releases the button over
// itself, which reports the command. Input that follows finishes it first.
uint64_t focusPressDueMs();
void finishFocusPress();

// Before composing: repaints where the ring was and where it is now when the
// two differ (the focused button went, the screen changed).
void refreshFocusRing(CMzWnd& window);
// Draws the window's ring (nothing while the question is open).
void paintFocusRing(Canvas& canvas);
// The ring's look, also used by the question box.
void drawFocusRing(Canvas& canvas, const MzRect& rect);

// ,"focus": the focused control's id ("yes"/"no" in the question), or null
// while no ring shows.
void appendFocusDebugState(std::string& json);
