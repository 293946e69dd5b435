// The wide string class of the UI library, on std::u16string.
#pragma once

#include <cstdint>
#include <string>

class CMzStringW {
 public:
  CMzStringW() = default;
  CMzStringW(const char16_t* text);  // NOLINT: implicit like the library's
  CMzStringW(std::u16string text);   // NOLINT

  const char16_t* C_Str() const { return text_.c_str(); }
  size_t Length() const { return text_.size(); }
  bool IsEmpty() const { return text_.empty(); }
  const std::u16string& str() const { return text_; }
  std::u16string& str() { return text_; }

  CMzStringW& operator=(const char16_t* text);
  CMzStringW& operator+=(const CMzStringW& other);
  CMzStringW& operator+=(const char16_t* text);
  friend CMzStringW operator+(const CMzStringW& a, const CMzStringW& b);
  friend CMzStringW operator+(const CMzStringW& a, const char16_t* b);
  bool operator==(const CMzStringW& other) const = default;

 private:
  std::u16string text_;
};

// Decimal text of an integer ("-30", "0", "1250").
CMzStringW Int2String(int32_t value);
