// Time stands still while the window is away: when it loses the focus or is
// minimised, every window timer stops and a veil says the game is paused; the
// player's next press, key or command lifts the veil and is not passed on.
#pragma once

#include "platform/host.hpp"

class Canvas;

// On by default; off keeps time running while the window is away.
void setFocusPauseEnabled(bool enabled);
bool focusPauseEnabled();
bool focusPaused();

// Takes the events that belong to the pause: focus changes, and while paused
// (or until the release of the press that resumed) the input the veil covers.
// True when the event was taken and must not reach the window.
bool focusPauseTakes(const HostEvent& event);

// Draws the veil over the frame while paused.
void paintFocusVeil(Canvas& canvas);
