#include "platform/expr/expr.h"

#include <cctype>
#include <limits>
#include <string>

#include "platform/core/error.h"

namespace flexel::expr {
namespace detail {

enum class TokenKind { kEnd, kNumber, kWord, kSymbol };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // words lower-cased; symbols as written
  std::int64_t value = 0;
  std::size_t position = 0;  // 1-based, for messages
};

// Recursive descent that evaluates while parsing; `skip` parses a branch of "if" without
// evaluating it, so an unused branch cannot divide by zero.
class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) { advance(); }

  std::int64_t parseAll() {
    const std::int64_t value = parseOr(0, false);
    if (m_token.kind != TokenKind::kEnd) failHere("unexpected '" + m_token.text + "'");
    return value;
  }

 private:
  [[noreturn]] void fail(const std::string& reason) const {
    throw Error("Invalid expression '" + std::string(m_text) + "': " + reason);
  }
  [[noreturn]] void failHere(const std::string& what) const {
    if (m_token.kind == TokenKind::kEnd) fail("unexpected end");
    fail(what + " at position " + std::to_string(m_token.position));
  }
  [[noreturn]] void overflow() const {
    throw Error("Integer overflow in expression '" + std::string(m_text) + "'");
  }

  void enter(int depth) const {
    if (depth > kMaxDepth) {
      throw Error("Invalid expression '" + std::string(m_text) + "': nested deeper than " +
                  std::to_string(kMaxDepth) + " levels");
    }
  }

  void advance() {
    while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) {
      ++m_pos;
    }
    m_token = Token();
    m_token.position = m_pos + 1;
    if (m_pos >= m_text.size()) return;
    const char c = m_text[m_pos];
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '$') {
      readNumber();
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      m_token.kind = TokenKind::kWord;
      while (m_pos < m_text.size() &&
             (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_')) {
        m_token.text += static_cast<char>(std::tolower(static_cast<unsigned char>(m_text[m_pos])));
        ++m_pos;
      }
    } else {
      m_token.kind = TokenKind::kSymbol;
      m_token.text = std::string(1, c);
      ++m_pos;
      if (m_pos < m_text.size() && ((c == '<' && (m_text[m_pos] == '>' || m_text[m_pos] == '=')) ||
                                    (c == '>' && m_text[m_pos] == '='))) {
        m_token.text += m_text[m_pos];
        ++m_pos;
      }
    }
  }

  void readNumber() {
    m_token.kind = TokenKind::kNumber;
    const bool hex = m_text[m_pos] == '$';
    const std::size_t start = m_pos;
    if (hex) ++m_pos;
    const int base = hex ? 16 : 10;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    while (m_pos < m_text.size()) {
      const auto ch = static_cast<unsigned char>(m_text[m_pos]);
      int digit;
      if (std::isdigit(ch))
        digit = ch - '0';
      else if (hex && std::isxdigit(ch))
        digit = std::tolower(ch) - 'a' + 10;
      else
        break;
      value = value * base + digit;
      if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        overflow();
      }
      ++digits;
      ++m_pos;
    }
    m_token.text = std::string(m_text.substr(start, m_pos - start));
    if (digits == 0) {
      fail("hexadecimal digits expected after '$' at position " + std::to_string(start + 1));
    }
    if (m_pos < m_text.size() &&
        (std::isalpha(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_')) {
      fail("'" + m_token.text + m_text[m_pos] + "' is not a number at position " +
           std::to_string(start + 1));
    }
    m_token.value = static_cast<std::int64_t>(value);
  }

  bool isWord(std::string_view word) const {
    return m_token.kind == TokenKind::kWord && m_token.text == word;
  }
  bool isSymbol(std::string_view symbol) const {
    return m_token.kind == TokenKind::kSymbol && m_token.text == symbol;
  }
  void expectSymbol(std::string_view symbol) {
    if (!isSymbol(symbol)) {
      failHere("'" + std::string(symbol) + "' expected instead of '" + m_token.text + "'");
    }
    advance();
  }

  static std::int64_t truth(bool b) noexcept { return b ? -1 : 0; }

  std::int64_t parseOr(int depth, bool skip) {
    enter(depth);
    std::int64_t value = parseAnd(depth + 1, skip);
    while (isWord("or")) {
      advance();
      value |= parseAnd(depth + 1, skip);
    }
    return value;
  }

  std::int64_t parseAnd(int depth, bool skip) {
    std::int64_t value = parseNot(depth, skip);
    while (isWord("and")) {
      advance();
      value &= parseNot(depth, skip);
    }
    return value;
  }

  std::int64_t parseNot(int depth, bool skip) {
    enter(depth);
    if (isWord("not")) {
      advance();
      return ~parseNot(depth + 1, skip);
    }
    return parseCompare(depth, skip);
  }

  std::int64_t parseCompare(int depth, bool skip) {
    const std::int64_t left = parseSum(depth, skip);
    for (std::string_view op : {"=", "<>", "<=", ">=", "<", ">"}) {
      if (!isSymbol(op)) continue;
      advance();
      const std::int64_t right = parseSum(depth, skip);
      if (op == "=") return truth(left == right);
      if (op == "<>") return truth(left != right);
      if (op == "<=") return truth(left <= right);
      if (op == ">=") return truth(left >= right);
      if (op == "<") return truth(left < right);
      return truth(left > right);
    }
    return left;
  }

  std::int64_t parseSum(int depth, bool skip) {
    std::int64_t value = parseProduct(depth, skip);
    while (isSymbol("+") || isSymbol("-")) {
      const bool plus = isSymbol("+");
      advance();
      const std::int64_t right = parseProduct(depth, skip);
      if (skip) continue;
      if (plus ? __builtin_add_overflow(value, right, &value)
               : __builtin_sub_overflow(value, right, &value)) {
        overflow();
      }
    }
    return value;
  }

  std::int64_t parseProduct(int depth, bool skip) {
    std::int64_t value = parseUnary(depth, skip);
    for (;;) {
      std::string op;
      if (isSymbol("*") || isSymbol("/"))
        op = m_token.text;
      else if (isWord("div") || isWord("mod") || isWord("shl") || isWord("shr"))
        op = m_token.text;
      else
        break;
      advance();
      const std::int64_t right = parseUnary(depth, skip);
      if (skip) continue;
      if (op == "*") {
        if (__builtin_mul_overflow(value, right, &value)) overflow();
      } else if (op == "/" || op == "div" || op == "mod") {
        if (right == 0) throw Error("Division by zero in expression '" + std::string(m_text) + "'");
        if (value == std::numeric_limits<std::int64_t>::min() && right == -1) overflow();
        value = op == "mod" ? value % right : value / right;
      } else {
        // Shifts by 64 or more clear the value; a negative count is refused.
        if (right < 0) fail("negative shift count");
        const auto bits = static_cast<std::uint64_t>(value);
        if (right >= 64)
          value = 0;
        else if (op == "shl")
          value = static_cast<std::int64_t>(bits << right);
        else
          value = static_cast<std::int64_t>(bits >> right);
      }
    }
    return value;
  }

  std::int64_t parseUnary(int depth, bool skip) {
    enter(depth);
    if (isSymbol("-")) {
      advance();
      const std::int64_t operand = parseUnary(depth + 1, skip);
      if (skip) return 0;
      if (operand == std::numeric_limits<std::int64_t>::min()) overflow();
      return -operand;
    }
    if (isSymbol("+")) {
      advance();
      return parseUnary(depth + 1, skip);
    }
    return parsePrimary(depth, skip);
  }

  std::int64_t parsePrimary(int depth, bool skip) {
    if (m_token.kind == TokenKind::kNumber) {
      const std::int64_t value = m_token.value;
      advance();
      return value;
    }
    if (isSymbol("(")) {
      advance();
      const std::int64_t value = parseOr(depth + 1, skip);
      expectSymbol(")");
      return value;
    }
    if (isWord("true") || isWord("false")) {
      const bool value = isWord("true");
      advance();
      return truth(value);
    }
    if (isWord("if")) {
      advance();
      expectSymbol("(");
      const std::int64_t condition = parseOr(depth + 1, skip);
      expectSymbol(",");
      const std::int64_t whenTrue = parseOr(depth + 1, skip || condition == 0);
      expectSymbol(",");
      const std::int64_t whenFalse = parseOr(depth + 1, skip || condition != 0);
      expectSymbol(")");
      return condition != 0 ? whenTrue : whenFalse;
    }
    if (m_token.kind == TokenKind::kWord) failHere("unknown word '" + m_token.text + "'");
    failHere("operand expected instead of '" + m_token.text + "'");
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
  Token m_token;
};

}  // namespace detail

std::int64_t Evaluate(std::string_view text) { return detail::Parser(text).parseAll(); }

}  // namespace flexel::expr
