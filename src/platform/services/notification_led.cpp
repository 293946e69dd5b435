// Notification LEDs through the LED class's trigger, delay and brightness files.
#include "platform/services/notification_led.hpp"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace services {
namespace {

struct LedDirectory {
  std::mutex mutex;
  std::filesystem::path path = "/sys/class/leds";
};

LedDirectory& ledDirectory() {
  static LedDirectory directory;
  return directory;
}

std::vector<std::filesystem::path> ledsInNameOrder() {
  std::vector<std::filesystem::path> leds;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(ledClassDirectory(), error)) {
    if (entry.is_directory(error)) leds.push_back(entry.path());
  }
  std::sort(leds.begin(), leds.end(),
            [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
  return leds;
}

std::optional<std::filesystem::path> ledAt(int index) {
  const auto leds = ledsInNameOrder();
  if (index < 0 || static_cast<std::size_t>(index) >= leds.size()) return std::nullopt;
  return leds[static_cast<std::size_t>(index)];
}

// Writes one attribute the way sysfs takes it: the whole value in one write.
bool writeAttribute(const std::filesystem::path& led, const char* attribute, const std::string& value) {
  std::ofstream file(led / attribute, std::ios::out | std::ios::trunc);
  if (!file) return false;
  file << value;
  file.flush();
  return static_cast<bool>(file);
}

}  // namespace

std::filesystem::path ledClassDirectory() {
  std::lock_guard guard(ledDirectory().mutex);
  return ledDirectory().path;
}

void setLedClassDirectory(const std::filesystem::path& directory) {
  std::lock_guard guard(ledDirectory().mutex);
  ledDirectory().path = directory;
}

int notificationLedCount() { return static_cast<int>(ledsInNameOrder().size()); }

bool setNotificationLedBlinking(int index, std::uint64_t onMicroseconds, std::uint64_t offMicroseconds) {
  const auto led = ledAt(index);
  if (!led) return false;
  // The timer trigger makes the delay files; they are written after it.
  return writeAttribute(*led, "trigger", "timer") &&
         writeAttribute(*led, "delay_on", std::to_string(onMicroseconds / 1000)) &&
         writeAttribute(*led, "delay_off", std::to_string(offMicroseconds / 1000));
}

bool setNotificationLedOff(int index) {
  const auto led = ledAt(index);
  if (!led) return false;
  return writeAttribute(*led, "trigger", "none") && writeAttribute(*led, "brightness", "0");
}

}  // namespace services
