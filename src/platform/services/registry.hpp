// The system settings store ("registry") of this platform: keys named by a backslash path
// such as "System\State\MiniOneShell", each holding named 32-bit values. It lives in memory,
// one per process, starts empty and is safe to use from any thread. Key paths compare
// without regard to ASCII case, value names exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace services {

// An open key, opened for reading; closed when the object goes.
class RegistryKey {
 public:
  // nullopt when no key has that path.
  static std::optional<RegistryKey> open(std::u16string_view path);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  // nullopt when the key has no such value.
  std::optional<std::uint32_t> readValue(std::u16string_view name) const;

 private:
  explicit RegistryKey(std::u16string path) : path_(std::move(path)) {}
  void close();
  std::u16string path_;
  bool open_ = true;
};

// Sets a value, making the key if needed.
void setRegistryValue(std::u16string_view keyPath, std::u16string_view name, std::uint32_t value);

// Removes a key with all its values; nothing happens when there is none.
void deleteRegistryKey(std::u16string_view keyPath);

// How many keys are open now, so that callers can show they close what they open.
std::size_t openRegistryKeyCount();

}  // namespace services
