#include "cli/statement.h"

#include <charconv>
#include <cstdint>

#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

constexpr std::size_t kMaxArguments = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  Statement Parse() {
    Statement statement;
    SkipBlanks();
    statement.path.push_back(Member());
    SkipBlanks();
    while (Peek() == '.') {
      ++m_pos;
      SkipBlanks();
      statement.path.push_back(Member());
      SkipBlanks();
    }
    if (Peek() == '=') {
      ++m_pos;
      SkipBlanks();
      statement.assigned = Value();
      SkipBlanks();
    }
    if (m_pos < m_text.size()) {
      Fail(statement.assigned ? "unexpected text after the value"
                              : "expected '.', '(' or '=' or the end");
    }
    return statement;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw StatementError(nls::CodePointCount(m_text.substr(0, m_pos)) + 1, reason);
  }

  [[nodiscard]] char Peek() const noexcept { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

  void SkipBlanks() noexcept {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) {
      ++m_pos;
    }
  }

  static bool IsNameStart(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  }
  static bool IsNameChar(char c) noexcept { return IsNameStart(c) || (c >= '0' && c <= '9'); }

  MemberCall Member() {
    if (!IsNameStart(Peek())) {
      Fail("expected a member name");
    }
    const std::size_t start = m_pos;
    while (IsNameChar(Peek())) {
      ++m_pos;
    }
    MemberCall member{std::string(m_text.substr(start, m_pos - start)), {}};
    SkipBlanks();
    if (Peek() != '(') {
      return member;
    }
    ++m_pos;
    SkipBlanks();
    for (;;) {
      if (member.args.size() == kMaxArguments) {
        Fail("more than " + std::to_string(kMaxArguments) + " arguments");
      }
      member.args.push_back(Value());
      SkipBlanks();
      if (Peek() == ',') {
        ++m_pos;
        SkipBlanks();
        continue;
      }
      if (Peek() == ')') {
        ++m_pos;
        return member;
      }
      Fail("expected ',' or ')'");
    }
  }

  automation::Variant Value() {
    const char c = Peek();
    if (c == '"') {
      return String();
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      return Integer();
    }
    Fail("expected a value (an integer or a \"string\")");
  }

  automation::Variant Integer() {
    const std::size_t start = m_pos;
    if (Peek() == '-') {
      ++m_pos;
    }
    if (!(Peek() >= '0' && Peek() <= '9')) {
      Fail("expected a digit");
    }
    while (Peek() >= '0' && Peek() <= '9') {
      ++m_pos;
    }
    std::int32_t value = 0;
    const char* first = m_text.data() + start;
    const char* last = m_text.data() + m_pos;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) {
      m_pos = start;
      Fail("integer out of range: " + std::string(first, last));
    }
    return automation::Variant(value);
  }

  automation::Variant String() {
    ++m_pos;  // the opening quote
    std::string value;
    for (;;) {
      if (m_pos >= m_text.size()) {
        Fail("the string has no closing '\"'");
      }
      const char c = m_text[m_pos];
      if (c == '"') {
        ++m_pos;
        return automation::Variant(std::move(value));
      }
      if (c != '\\') {
        value += c;
        ++m_pos;
        continue;
      }
      ++m_pos;
      switch (Peek()) {
        case '"':
          value += '"';
          break;
        case '\\':
          value += '\\';
          break;
        case 't':
          value += '\t';
          break;
        case 'r':
          value += '\r';
          break;
        case 'n':
          value += '\n';
          break;
        default:
          --m_pos;
          Fail("unknown escape in a string (use \\\" \\\\ \\t \\r \\n)");
      }
      ++m_pos;
    }
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace

Statement ParseStatement(std::string_view text) { return Parser(text).Parse(); }

}  // namespace flexel::cli
