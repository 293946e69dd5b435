// In-memory settings store.
#include "platform/services/registry.hpp"

#include <map>
#include <mutex>
#include <utility>

namespace services {
namespace {

using Values = std::map<std::u16string, std::uint32_t, std::less<>>;

struct Store {
  std::mutex mutex;
  std::map<std::u16string, Values, std::less<>> keys;
  std::size_t openKeys = 0;
};

Store& store() {
  static Store instance;
  return instance;
}

std::u16string foldedPath(std::u16string_view path) {
  std::u16string folded(path);
  for (char16_t& unit : folded)
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  return folded;
}

}  // namespace

std::optional<RegistryKey> RegistryKey::open(std::u16string_view path) {
  std::u16string folded = foldedPath(path);
  std::lock_guard guard(store().mutex);
  if (!store().keys.contains(folded)) return std::nullopt;
  ++store().openKeys;
  return RegistryKey(std::move(folded));
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : path_(std::move(other.path_)), open_(std::exchange(other.open_, false)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    close();
    path_ = std::move(other.path_);
    open_ = std::exchange(other.open_, false);
  }
  return *this;
}

RegistryKey::~RegistryKey() { close(); }

void RegistryKey::close() {
  if (!open_) return;
  open_ = false;
  std::lock_guard guard(store().mutex);
  --store().openKeys;
}

std::optional<std::uint32_t> RegistryKey::readValue(std::u16string_view name) const {
  std::lock_guard guard(store().mutex);
  const auto key = store().keys.find(path_);
  if (key == store().keys.end()) return std::nullopt;
  const auto value = key->second.find(name);
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

void setRegistryValue(std::u16string_view keyPath, std::u16string_view name, std::uint32_t value) {
  std::lock_guard guard(store().mutex);
  store().keys[foldedPath(keyPath)].insert_or_assign(std::u16string(name), value);
}

void deleteRegistryKey(std::u16string_view keyPath) {
  std::lock_guard guard(store().mutex);
  store().keys.erase(foldedPath(keyPath));
}

std::size_t openRegistryKeyCount() {
  std::lock_guard guard(store().mutex);
  return store().openKeys;
}

}  // namespace services
