// A sentence built from catalogue patterns into storage of its own, so that
// wording an announcement during play allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

// A number with the word it counts: `word` is a counted word of the catalogue
// (counted_words.hpp), shown in the form the language gives `number`.
struct Counted {
  const char16_t* word;
  int32_t number;
};

// One argument of a pattern: a number, a counted word, or a text already in
// the shown language.
struct SentenceArg {
  SentenceArg(int32_t number) : number(number), isText(false) {}  // NOLINT: implicit by design
  SentenceArg(Counted counted) : number(counted.number), countedWord(counted.word), isText(false) {}  // NOLINT
  SentenceArg(std::u16string_view text) : text(text) {}           // NOLINT
  SentenceArg(const char16_t* text) : text(text) {}               // NOLINT
  int32_t number = 0;
  const char16_t* countedWord = nullptr;
  std::u16string_view text;
  bool isText = true;
};

class Sentence {
 public:
  static constexpr size_t Capacity = 2048;

  void clear() { length_ = 0; }
  // Appends the shown language's `pattern` (a catalogue msgid) with {1},
  // {2}... replaced by `args` in order; a text argument is taken as given, a
  // counted word in its form for its number.
  Sentence& add(const char16_t* pattern, std::initializer_list<SentenceArg> args = {});
  // Appends `text` as it is (a button's name already translated, a separator).
  Sentence& addText(std::u16string_view text);
  Sentence& addUtf8(std::string_view text);
  std::string_view view() const { return {buffer_, length_}; }
  bool empty() const { return length_ == 0; }

 private:
  void put(char byte);
  void putCodePoint(uint32_t code);
  void putNumber(int32_t number);
  void fill(std::u16string_view shown, std::initializer_list<SentenceArg> args);

  char buffer_[Capacity];
  size_t length_ = 0;
};
