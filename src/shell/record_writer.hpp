// Writes little-endian fields into a fixed record at given offsets, so a record's bytes
// never depend on how the compiler lays out a struct.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class RecordWriter {
 public:
  explicit RecordWriter(std::span<std::uint8_t> record) : record_(record) {}

  void putWord(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) record_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }

  void putText(std::size_t offset, std::span<const char16_t> text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      record_[offset + 2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
      record_[offset + 2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
  }

  void putBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) record_[offset + i] = bytes[i];
  }

 private:
  std::span<std::uint8_t> record_;
};
