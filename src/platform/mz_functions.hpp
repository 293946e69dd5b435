// The UI library's and the system's free functions that the game calls.
#pragma once

#include <cstdint>

#include "platform/mz_types.hpp"

// The screen area an application may use: (0, 0, 480, 720).
MzRect MzGetWorkArea();
// Platform setting `index`; 1 = the start-up animation (1 = on).
int32_t MzGetParam(int32_t index);
// The executable's compiled-in resources.
InstanceHandle MzGetInstanceHandle();
// A modal yes/no question drawn in the window; returns 1 for yes, 2 for no.
// Window timers keep running while it is open.
int32_t MzMessageBoxEx(WindowHandle window, const char16_t* text, const char16_t* caption,
                       uint32_t style, uint32_t flags);
// Whether the device is in silent mode (never, on the desktop, unless set).
bool MzIsSilence();

// Platform side: the settings behind MzGetParam and MzIsSilence (the command
// line's --animate, the headless script's `silent on|off`).
void MzSetParam(int32_t index, int32_t value);
void MzSetSilence(bool silent);

// Window timers: starting a running timer restarts it with the new period,
// its first tick one period later. Timers due at the same moment fire in the
// order they were (re)started. False for an unknown window.
bool SetTimer(WindowHandle window, uint32_t timerId, uint32_t periodMs);
bool KillTimer(WindowHandle window, uint32_t timerId);
// Milliseconds of the loop's clock that the timers ran (time stands still
// while the window is away), wrapping after 49 days.
uint32_t GetTickCount();
// Ends the message loop with `exitCode` (the first quit posted decides it).
void PostQuitMessage(int32_t exitCode);

// Plays a WAV file, stopping whatever sound plays; relative names such as
// "./Sounds/x.wav" resolve against the executable's directory, never the
// working directory ('\\' counts as '/'). Flags: SndAsync | SndFilename, plus SndLoop to repeat
// until another sound is played. False only when there is nothing to play on.
constexpr uint32_t SndAsync = 0x0001;
constexpr uint32_t SndLoop = 0x0008;
constexpr uint32_t SndFilename = 0x20000;
bool PlaySoundW(const char16_t* fileName, uint32_t flags);
// Resolves and loads the file PlaySoundW would play, without playing it, so
// that its first play allocates nothing. False when there is no host.
bool PrepareSoundW(const char16_t* fileName);
// Plays a short sound over whatever PlaySoundW plays (not stopping it), panned
// from -1 (left) to 1 (right) where the host plays stereo. False when there
// is no host.
bool PlayCueW(const char16_t* fileName, float pan);
