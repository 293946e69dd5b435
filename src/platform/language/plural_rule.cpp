// Reading a Plural-Forms value into a bounded expression tree, and choosing a
// form with it.
#include "platform/language/plural_rule.hpp"

#include <iterator>
#include <span>
#include <utility>

#include "text/trimmed.hpp"

// A recursive-descent reader of the expression, one level per precedence as
// in C, failing (never throwing, never recursing without bound) on anything
// else.
class PluralExpressionReader {
 public:
  PluralExpressionReader(PluralRule& rule, std::string_view text) : rule_(rule), text_(text) {}

  // Reads "nplurals=N; plural=EXPRESSION;" (the last ';' may be left out).
  bool readHeader() {
    skipSpaces();
    if (!take("nplurals") || !takeAfterSpaces("=")) return false;
    skipSpaces();
    uint64_t forms = 0;
    if (!readNumber(forms) || forms < 1 || forms > PluralRule::MaxForms) return false;
    rule_.forms_ = forms;
    if (!takeAfterSpaces(";") || !takeAfterSpaces("plural") || !takeAfterSpaces("=")) return false;
    rule_.root_ = readChoice();
    takeAfterSpaces(";");
    skipSpaces();
    return !failed_ && at_ == text_.size();
  }

 private:
  using Op = PluralRule::Op;
  struct Operator {
    std::string_view token;
    Op op;
  };
  // The binary operators from the loosest to the tightest; a longer token
  // before a shorter one it starts with.
  static constexpr Operator Or[] = {{"||", Op::Or}};
  static constexpr Operator And[] = {{"&&", Op::And}};
  static constexpr Operator Equality[] = {{"==", Op::Equal}, {"!=", Op::NotEqual}};
  static constexpr Operator Comparison[] = {
      {"<=", Op::LessOrEqual}, {">=", Op::GreaterOrEqual}, {"<", Op::Less}, {">", Op::Greater}};
  static constexpr Operator Sum[] = {{"+", Op::Add}, {"-", Op::Subtract}};
  static constexpr Operator Product[] = {{"*", Op::Multiply}, {"/", Op::Divide}, {"%", Op::Remainder}};
  static constexpr std::span<const Operator> Levels[] = {Or, And, Equality, Comparison, Sum, Product};

  void skipSpaces() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }

  bool take(std::string_view token) {
    if (text_.substr(at_, token.size()) != token) return false;
    at_ += token.size();
    return true;
  }

  bool takeAfterSpaces(std::string_view token) {
    skipSpaces();
    return take(token);
  }

  bool readNumber(uint64_t& number) {
    const size_t start = at_;
    for (; at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9'; ++at_) {
      const auto digit = static_cast<uint64_t>(text_[at_] - '0');
      if (number > (UINT64_MAX - digit) / 10) return false;
      number = number * 10 + digit;
    }
    return at_ > start;
  }

  size_t fail() {
    failed_ = true;
    return 0;
  }

  size_t add(Op op, size_t first = 0, size_t second = 0, size_t third = 0, uint64_t number = 0) {
    if (failed_ || rule_.nodeCount_ == PluralRule::MaxNodes) return fail();
    PluralRule::Node& node = rule_.nodes_[rule_.nodeCount_];
    node = {op, static_cast<uint8_t>(first), static_cast<uint8_t>(second), static_cast<uint8_t>(third), number};
    return rule_.nodeCount_++;
  }

  // Counts one more level of nesting; false (and failed) beyond the bound.
  bool deeper() {
    if (++depth_ > PluralRule::MaxDepth) failed_ = true;
    return !failed_;
  }

  // condition ? then : otherwise, joined from the right as in C.
  size_t readChoice() {
    if (!deeper()) return 0;
    const size_t condition = readLevel(0);
    size_t result = condition;
    if (takeAfterSpaces("?")) {
      const size_t then = readChoice();
      if (!takeAfterSpaces(":")) return fail();
      const size_t otherwise = readChoice();
      result = add(Op::Choose, condition, then, otherwise);
    }
    --depth_;
    return result;
  }

  size_t readLevel(size_t level) {
    if (level == std::size(Levels)) return readUnary();
    size_t left = readLevel(level + 1);
    while (!failed_) {
      skipSpaces();
      const Operator* found = nullptr;
      for (const Operator& candidate : Levels[level]) {
        if (text_.substr(at_, candidate.token.size()) == candidate.token) {
          found = &candidate;
          break;
        }
      }
      if (found == nullptr) break;
      at_ += found->token.size();
      left = add(found->op, left, readLevel(level + 1));
    }
    return left;
  }

  size_t readUnary() {
    if (!takeAfterSpaces("!")) return readPrimary();
    if (!deeper()) return 0;
    const size_t operand = readUnary();
    --depth_;
    return add(Op::Not, operand);
  }

  size_t readPrimary() {
    skipSpaces();
    if (take("n")) return add(Op::Count);
    if (take("(")) {
      const size_t inner = readChoice();
      return takeAfterSpaces(")") ? inner : fail();
    }
    uint64_t number = 0;
    return readNumber(number) ? add(Op::Number, 0, 0, 0, number) : fail();
  }

  PluralRule& rule_;
  std::string_view text_;
  size_t at_ = 0;
  size_t depth_ = 0;
  bool failed_ = false;
};

PluralRule::PluralRule() {
  // n != 1
  nodes_[0] = {Op::Count};
  nodes_[1] = {Op::Number, 0, 0, 0, 1};
  nodes_[2] = {Op::NotEqual, 0, 1};
  nodeCount_ = 3;
  root_ = 2;
}

std::optional<PluralRule> PluralRule::read(std::string_view header) {
  PluralRule rule;
  rule.nodeCount_ = 0;
  PluralExpressionReader reader(rule, trimmed(header, SpacesAndTabs));
  if (!reader.readHeader()) return std::nullopt;
  return rule;
}

std::optional<size_t> PluralRule::formFor(uint64_t n) const {
  const std::optional<uint64_t> form = evaluate(root_, n);
  if (!form || *form >= forms_) return std::nullopt;
  return static_cast<size_t>(*form);
}

// Each node's operands were read before it, so their indices are smaller:
// the recursion is as deep as the tree, at most MaxNodes.
std::optional<uint64_t> PluralRule::evaluate(size_t index, uint64_t n) const {
  const Node& node = nodes_[index];
  switch (node.op) {
    case Op::Count: return n;
    case Op::Number: return node.number;
    case Op::Not: {
      const std::optional<uint64_t> operand = evaluate(node.first, n);
      if (!operand) return std::nullopt;
      return *operand == 0 ? 1 : 0;
    }
    case Op::Choose: {
      const std::optional<uint64_t> condition = evaluate(node.first, n);
      if (!condition) return std::nullopt;
      return evaluate(*condition != 0 ? node.second : node.third, n);
    }
    case Op::And:
    case Op::Or: {
      // As in C, the right side counts only when the left does not decide.
      const std::optional<uint64_t> left = evaluate(node.first, n);
      if (!left) return std::nullopt;
      if ((*left != 0) == (node.op == Op::Or)) return node.op == Op::Or ? 1 : 0;
      const std::optional<uint64_t> right = evaluate(node.second, n);
      if (!right) return std::nullopt;
      return *right != 0 ? 1 : 0;
    }
    default: break;
  }
  const std::optional<uint64_t> left = evaluate(node.first, n);
  const std::optional<uint64_t> right = evaluate(node.second, n);
  if (!left || !right) return std::nullopt;
  const uint64_t a = *left;
  const uint64_t b = *right;
  switch (node.op) {
    case Op::Multiply: return a * b;
    case Op::Divide: return b == 0 ? std::nullopt : std::optional<uint64_t>(a / b);
    case Op::Remainder: return b == 0 ? std::nullopt : std::optional<uint64_t>(a % b);
    case Op::Add: return a + b;
    case Op::Subtract: return a - b;
    case Op::Less: return a < b;
    case Op::Greater: return a > b;
    case Op::LessOrEqual: return a <= b;
    case Op::GreaterOrEqual: return a >= b;
    case Op::Equal: return a == b;
    case Op::NotEqual: return a != b;
    default: return std::nullopt;
  }
}

namespace {

PluralRule knownPluralRule(std::string_view language) {
  // Every other language the game speaks counts as English does.
  constexpr std::pair<std::string_view, std::string_view> Rules[] = {
      {"fr", "nplurals=2; plural=(n > 1);"},
      {"ja", "nplurals=1; plural=0;"},
      {"ko", "nplurals=1; plural=0;"},
      {"pt", "nplurals=2; plural=(n > 1);"},
      {"ru", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
      {"zh", "nplurals=1; plural=0;"},
  };
  for (const auto& [code, header] : Rules) {
    if (code == language) return PluralRule::read(header).value_or(PluralRule());
  }
  return PluralRule();
}

}  // namespace

LanguagePlurals::LanguagePlurals(std::string_view language, std::string_view header)
    : known_(knownPluralRule(language)) {
  catalogue_ = PluralRule::read(header).value_or(known_);
}

size_t LanguagePlurals::formFor(uint64_t n) const {
  std::optional<size_t> form = catalogue_.formFor(n);
  if (!form) form = known_.formFor(n);
  return form.value_or(0);
}
