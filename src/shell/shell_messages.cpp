// Registered shell message numbers, registered on first use and kept.
#include "shell/shell_messages.hpp"

#include "platform/services/registered_messages.hpp"

std::uint32_t ShellMessageClickMKey() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/ClickMKey");
  return number;
}

std::uint32_t ShellMessageClickTaskbar() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/ClickTaskbar");
  return number;
}

std::uint32_t ShellMessageEntryLockPhone() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/EntryLockphone");
  return number;
}

std::uint32_t ShellMessageLeaveLockPhone() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/LeaveLockPhone");
  return number;
}

std::uint32_t ShellMessageEntryShutDown() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/EntryShutDown");
  return number;
}

std::uint32_t ShellMessageLeaveShutDown() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/LeaveShutDown");
  return number;
}

std::uint32_t ShellMessageReadyPowerOff() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/ReadyPowerOFF");
  return number;
}

std::uint32_t ShellMessageBatteryLow() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/BatteryLow");
  return number;
}

std::uint32_t ShellMessageEntryMusic() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/EntryMusic");
  return number;
}

std::uint32_t ShellMessageAllKeyEvent() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/AllKeyEvent");
  return number;
}

std::uint32_t ShellMessageEndSyncEvent() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/EndSyncEvent");
  return number;
}

std::uint32_t ShellMessageBeginSyncEvent() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/BeginSyncEvent");
  return number;
}

std::uint32_t ShellMessageNetConnect() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/NectConnect");
  return number;
}

std::uint32_t ShellMessageNetDisconnect() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/NetDisconnect");
  return number;
}

std::uint32_t ShellMessageShowNotifyWindow() {
  static const std::uint32_t number = services::registerWindowMessage(u"ShellNotifyMsg/ShowNotifyWnd");
  return number;
}
