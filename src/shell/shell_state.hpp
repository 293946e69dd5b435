// The shell's lock state and the two display escapes.
#pragma once

// Whether the phone is locked: the 32-bit value "IsLockState" under
// "System\State\MiniOneShell" in the settings store is present and non-zero.
bool IsShellLocked();

// Display escapes 131348 and 131347. This platform's screen has none: both return false,
// as for an escape whose result is not positive.
bool SendDisplayEscape131348();
bool SendDisplayEscape131347();
