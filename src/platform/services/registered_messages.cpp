// Process-wide table of registered window message names.
#include "platform/services/registered_messages.hpp"

#include <map>
#include <mutex>
#include <string>

namespace services {

std::uint32_t registerWindowMessage(std::u16string_view name) {
  static std::mutex mutex;
  static std::map<std::u16string, std::uint32_t, std::less<>> numbers;
  if (name.empty()) return 0;
  std::lock_guard guard(mutex);
  if (const auto known = numbers.find(name); known != numbers.end()) return known->second;
  const auto next = kFirstRegisteredMessage + static_cast<std::uint32_t>(numbers.size());
  if (next > kLastRegisteredMessage) return 0;
  numbers.emplace(name, next);
  return next;
}

}  // namespace services
