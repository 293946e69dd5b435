// Lock state from the settings store; display escapes.
#include "shell/shell_state.hpp"

#include "platform/services/registry.hpp"

bool IsShellLocked() {
  // The key closes when it goes out of scope.
  const auto key = services::RegistryKey::open(u"System\\State\\MiniOneShell");
  if (!key) return false;
  const auto lockState = key->readValue(u"IsLockState");
  return lockState && *lockState != 0;
}

bool SendDisplayEscape131348() { return false; }

bool SendDisplayEscape131347() { return false; }
