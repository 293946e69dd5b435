// Catalogue patterns filled into a fixed buffer, UTF-16 in, UTF-8 out.
#include "screen/sentence.hpp"

#include "platform/language/language.hpp"

void Sentence::put(char byte) {
  // A sentence too long for the buffer is cut; none of the catalogue's is.
  if (length_ < Capacity) buffer_[length_++] = byte;
}

void Sentence::putCodePoint(uint32_t code) {
  if (code < 0x80) {
    put(static_cast<char>(code));
  } else if (code < 0x800) {
    put(static_cast<char>(0xC0 | (code >> 6)));
    put(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    put(static_cast<char>(0xE0 | (code >> 12)));
    put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    put(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    put(static_cast<char>(0xF0 | (code >> 18)));
    put(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    put(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void Sentence::putNumber(int32_t number) {
  char digits[12];
  size_t count = 0;
  const bool negative = number < 0;
  auto magnitude = static_cast<uint32_t>(negative ? -static_cast<int64_t>(number) : number);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) put('-');
  while (count > 0) put(digits[--count]);
}

Sentence& Sentence::addText(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t code = text[i];
    const bool highSurrogate = code >= 0xD800 && code < 0xDC00;
    if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    putCodePoint(code);
  }
  return *this;
}

Sentence& Sentence::addUtf8(std::string_view text) {
  for (const char byte : text) put(byte);
  return *this;
}

Sentence& Sentence::add(const char16_t* pattern, std::initializer_list<SentenceArg> args) {
  fill(translatedText(pattern), args);
  return *this;
}

void Sentence::fill(std::u16string_view shown, std::initializer_list<SentenceArg> args) {
  size_t i = 0;
  while (i < shown.size()) {
    // {N} with N one digit from 1 names the Nth argument.
    if (shown[i] == u'{' && i + 2 < shown.size() && shown[i + 1] >= u'1' && shown[i + 1] <= u'9' &&
        shown[i + 2] == u'}') {
      const auto index = static_cast<size_t>(shown[i + 1] - u'1');
      if (index < args.size()) {
        const SentenceArg& arg = *(args.begin() + index);
        if (arg.isText) {
          addText(arg.text);
        } else if (arg.countedWord != nullptr) {
          // The form for the number, with the number in it.
          fill(translatedPlural(arg.countedWord, arg.number), {arg.number});
        } else {
          putNumber(arg.number);
        }
      }
      i += 3;
      continue;
    }
    size_t end = i + 1;
    while (end < shown.size() && shown[end] != u'{') ++end;
    addText(shown.substr(i, end - i));
    i = end;
  }
}
