// Folding what a control draws from into one number (64-bit FNV-1a): two
// different looks give the same number about once in 2^64 comparisons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

class LookHash {
 public:
  explicit LookHash(uint64_t start = 14695981039346656037ull) : value_(start) {}

  void add(const void* bytes, size_t size) {
    const auto* byte = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i) value_ = (value_ ^ byte[i]) * 1099511628211ull;
  }
  template <typename Value>
    requires std::is_trivially_copyable_v<Value>
  void add(const Value& value) {
    add(&value, sizeof value);
  }

  uint64_t value() const { return value_; }

 private:
  uint64_t value_;
};
