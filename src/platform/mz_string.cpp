// CMzStringW and Int2String.
#include "platform/mz_string.hpp"

#include <utility>

CMzStringW::CMzStringW(const char16_t* text) : text_(text ? text : u"") {}

CMzStringW::CMzStringW(std::u16string text) : text_(std::move(text)) {}

CMzStringW& CMzStringW::operator=(const char16_t* text) {
  text_ = text ? text : u"";
  return *this;
}

CMzStringW& CMzStringW::operator+=(const CMzStringW& other) {
  text_ += other.text_;
  return *this;
}

CMzStringW& CMzStringW::operator+=(const char16_t* text) {
  if (text) text_ += text;
  return *this;
}

CMzStringW operator+(const CMzStringW& a, const CMzStringW& b) {
  CMzStringW result(a);
  result += b;
  return result;
}

CMzStringW operator+(const CMzStringW& a, const char16_t* b) {
  CMzStringW result(a);
  result += b;
  return result;
}

CMzStringW Int2String(int32_t value) {
  // Work on the magnitude as unsigned so INT32_MIN has a positive counterpart.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  char16_t digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::u16string text;
  text.reserve(static_cast<size_t>(count) + 1);
  if (value < 0) text.push_back(u'-');
  while (count > 0) text.push_back(digits[--count]);
  return CMzStringW(std::move(text));
}
