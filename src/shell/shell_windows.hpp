// Requests to the shell's own top-level windows, found by their window class names. Each
// returns false at once, without waiting, when its window does not exist; true when the
// request was delivered.
#pragma once

#include <cstdint>

// Bits of NotifyDesktopAndLockPhone's argument.
inline constexpr std::uint32_t kNotifyDesktopWindow = 1;    // "DesktopExplorerWindow"
inline constexpr std::uint32_t kNotifyLockPhoneWindow = 2;  // "CLockPhoneWnd"

// Message 0xFFF00002 to each window whose bit is set; true when at least one got it.
bool NotifyDesktopAndLockPhone(std::uint32_t windows);

// Message 0xFFF00001 (0, 2) to "DesktopExploreWindows", then a pause of 10 ms.
bool RefreshDesktopExploreWindows();

// Message 0xFFF00019 with the two arguments to "CShellMainWnd"; a zero first argument
// sends nothing.
bool PostShellMainWindow(std::uint32_t first, std::uint32_t second);

// Message 0xFFF0001A with the two arguments to "CShellMainWnd", waiting up to 2000 ms.
bool SendShellMainWindow(std::uint32_t first, std::uint32_t second);

// Hides or shows "CTaskBar".
bool HideTaskBar();
bool ShowTaskBar();

// One of the messages 0xFFF0000D, 0xFFF0000F, 0xFFF00010, 0xFFF00011 and 0xFFF00012 to
// "CTaskBar", waiting up to 800 ms; any other message is refused.
bool SendTaskBarMessage(std::uint32_t message);

// Message 0xFFF0001B with first argument 2 to "CStartupWnd".
bool PostStartupWindow();

// Message 0xFFF0001B with first argument 1 to "CStartupWnd", waiting up to 800 ms.
bool SendStartupWindow();
