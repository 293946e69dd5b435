// The shell's registered window messages. Each helper registers its message name on first
// use and returns the same number from then on (0 if it could not be registered).
#pragma once

#include <cstdint>

std::uint32_t ShellMessageClickMKey();
std::uint32_t ShellMessageClickTaskbar();
std::uint32_t ShellMessageEntryLockPhone();
std::uint32_t ShellMessageLeaveLockPhone();
std::uint32_t ShellMessageEntryShutDown();
std::uint32_t ShellMessageLeaveShutDown();
std::uint32_t ShellMessageReadyPowerOff();
std::uint32_t ShellMessageBatteryLow();
std::uint32_t ShellMessageEntryMusic();
std::uint32_t ShellMessageAllKeyEvent();
std::uint32_t ShellMessageEndSyncEvent();
std::uint32_t ShellMessageBeginSyncEvent();
std::uint32_t ShellMessageNetConnect();
std::uint32_t ShellMessageNetDisconnect();
std::uint32_t ShellMessageShowNotifyWindow();
