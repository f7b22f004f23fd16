#include "platform/core/error.h"

#include <cctype>
#include <cstdint>
#include <optional>

namespace flexel {
namespace detail {

// Leading and trailing blanks are accepted, like the run-time library's conversion.
std::optional<int> ParseInteger(const std::string& text) {
  std::size_t i = 0, end = text.size();
  while (i < end && text[i] == ' ') ++i;
  while (end > i && text[end - 1] == ' ') --end;
  if (i == end) return std::nullopt;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < end && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < end && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == end) return std::nullopt;
  std::int64_t value = 0;
  for (; i < end; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int digit;
    if (std::isdigit(c)) digit = c - '0';
    else if (base == 16 && std::isxdigit(c)) digit = std::tolower(c) - 'a' + 10;
    else return std::nullopt;
    value = value * base + digit;
    // Hexadecimal may spell the full 32-bit pattern; decimal must fit a signed int.
    if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
  }
  if (negative) value = -value;
  if (base == 10 && (value > INT32_MAX || value < INT32_MIN)) return std::nullopt;
  return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

}  // namespace detail

int StrToInt(const std::string& text) {
  if (auto value = detail::ParseInteger(text)) return *value;
  throw ConvertError::NotInteger(text);
}

int StrToIntDef(const std::string& text, int fallback) noexcept {
  if (auto value = detail::ParseInteger(text)) return *value;
  return fallback;
}

}  // namespace flexel
