// A language's rule for counted words, as a catalogue's Plural-Forms header
// gives it: "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : ...);". The
// expression is gettext's C subset (n, numbers, ! * / % + - < > <= >= == !=
// && || ?: and parentheses) on unsigned numbers, read once into a small tree
// of bounded size, so that choosing a form allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class PluralRule {
 public:
  // The most forms a language may have, and the bounds of a rule's text.
  static constexpr size_t MaxForms = 6;
  static constexpr size_t MaxNodes = 96;
  static constexpr size_t MaxDepth = 40;

  // English's rule: one thing, and every other count.
  PluralRule();

  // Reads a Plural-Forms value. Nothing when it is damaged: not of that shape,
  // nplurals not 1 to MaxForms, or the expression malformed or too large.
  static std::optional<PluralRule> read(std::string_view header);

  size_t forms() const { return forms_; }
  // The form for the count `n`; nothing when the expression fails on it (a
  // division by zero) or names a form the rule does not have.
  std::optional<size_t> formFor(uint64_t n) const;

 private:
  enum class Op : uint8_t {
    Count, Number, Not, Multiply, Divide, Remainder, Add, Subtract, Less, Greater, LessOrEqual, GreaterOrEqual,
    Equal, NotEqual, And, Or, Choose
  };
  struct Node {
    Op op = Op::Number;
    uint8_t first = 0;
    uint8_t second = 0;
    uint8_t third = 0;
    uint64_t number = 0;
  };
  friend class PluralExpressionReader;

  std::optional<uint64_t> evaluate(size_t node, uint64_t n) const;

  std::array<Node, MaxNodes> nodes_{};
  size_t nodeCount_ = 0;
  size_t root_ = 0;
  size_t forms_ = 2;
};

// The rule a language's counted words follow: its catalogue's, and behind it
// the language's own (English's for a language the game does not know) for a
// header that is missing or damaged or fails on a count.
class LanguagePlurals {
 public:
  LanguagePlurals() = default;  // English's
  LanguagePlurals(std::string_view language, std::string_view header);
  size_t formFor(uint64_t n) const;

 private:
  PluralRule catalogue_;
  PluralRule known_;
};
