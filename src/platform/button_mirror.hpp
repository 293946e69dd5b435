// The current screen's buttons told to the host (Host::describeButtons), so
// that a page can mirror them as real buttons for assistive technology.
#pragma once

class CMzWnd;

// Before composing: tells the host the front window's focus stops (or the
// open question's two answers) with their names and the ring, when any of it
// changed since the host was last told. Allocates nothing on a screen
// without stops (the board).
void describeButtonsIfChanged(CMzWnd& window);
// A new host has been told nothing yet.
void forgetDescribedButtons();
