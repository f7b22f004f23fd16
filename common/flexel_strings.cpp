#include "common/flexel_strings.h"

#include <cstdint>

#include "platform/nls/nls.h"

namespace flexel {

// UTF-8 is self-synchronising: a byte search for valid UTF-8 text only finds whole code
// points, so the functions below search bytes and count code points only where a position or
// length is part of the result.

std::string Field(int k, std::string_view d, std::string_view s) {
  // An empty separator never occurs.
  for (int i = 0; i < k; ++i) {
    const std::size_t at = d.empty() ? std::string_view::npos : s.find(d);
    if (at == std::string_view::npos) {
      return {};
    }
    s.remove_prefix(at + d.size());
  }
  const std::size_t end = d.empty() ? std::string_view::npos : s.find(d);
  return std::string(s.substr(0, end));
}

std::string SlashItem(std::string_view s, int n) {
  for (int i = 1; i < n; ++i) {
    const std::size_t at = s.find('/');
    if (at == std::string_view::npos) {
      return {};
    }
    s.remove_prefix(at + 1);
  }
  const std::size_t end = s.find('/');
  if (end == std::string_view::npos) {
    return {};
  }
  return std::string(s.substr(0, end));
}

int SlashCount(std::string_view s) noexcept {
  int count = 0;
  for (char c : s) {
    count += c == '/' ? 1 : 0;
  }
  return count;
}

int LastPos(std::string_view t, std::string_view s) {
  if (t.empty()) {
    return 0;
  }
  const std::size_t at = s.rfind(t);
  if (at == std::string_view::npos) {
    return 0;
  }
  return static_cast<int>(nls::CodePointCount(s.substr(0, at))) + 1;
}

std::string ReplaceLast(std::string_view s, std::string_view oldText, std::string_view newText) {
  std::string result(s);
  if (oldText.empty()) {
    result.append(newText);
    return result;
  }
  const std::size_t at = s.rfind(oldText);
  if (at != std::string_view::npos) {
    result.replace(at, oldText.size(), newText);
  }
  return result;
}

namespace {

std::string SemicolonsAsSlashes(std::string_view s) {
  std::string list(s);
  for (char& c : list) {
    if (c == ';') {
      c = '/';
    }
  }
  list.push_back('/');
  return list;
}

}  // namespace

std::string SemicolonItem(std::string_view s, int n) {
  return SlashItem(SemicolonsAsSlashes(s), n);
}

int SemicolonCount(std::string_view s) { return SlashCount(SemicolonsAsSlashes(s)); }

bool Between(std::string_view s, char32_t open, char32_t close, std::string& inner) {
  inner.clear();
  const std::string openText = nls::ToUtf8(open);
  const std::string closeText = nls::ToUtf8(close);
  const std::size_t openAt = s.find(openText);
  const std::size_t closeAt = s.find(closeText);
  if (openAt == std::string_view::npos || closeAt == std::string_view::npos || openAt >= closeAt) {
    return false;
  }
  const std::size_t innerStart = openAt + openText.size();
  inner.assign(s.substr(innerStart, closeAt - innerStart));
  return true;
}

std::string RemoveBetween(std::string_view s, std::string_view open, std::string_view close) {
  // The group Between finds, with open and close as whole texts; its first occurrence starts at
  // the first open.
  if (open.empty() || close.empty()) {
    return std::string(s);
  }
  const std::size_t openAt = s.find(open);
  const std::size_t closeAt = s.find(close);
  if (openAt == std::string_view::npos || closeAt == std::string_view::npos ||
      closeAt < openAt + open.size()) {
    return std::string(s);
  }
  std::string result(s);
  result.erase(openAt, closeAt + close.size() - openAt);
  return result;
}

int LetterValue(std::string_view s) noexcept {
  if (s.empty()) {
    return -1;
  }
  const char c = s.front();
  if (c == '_') {
    return 0;
  }
  if (c >= 'a' && c <= 'z') {
    return c - 'a' + 1;
  }
  return -1;
}

int CodeIndex(std::string_view s) noexcept {
  // Every letter is ASCII, so a byte length of 3..5 is also the character count of a valid code.
  if (s.size() < 3 || s.size() > 5) {
    return -1;
  }
  std::int64_t index = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const int value = LetterValue(s.substr(i));
    // Anything outside "_a".."z" would alias another code's number.
    if (value < 0) {
      return -1;
    }
    index = index * 27 + value;
  }
  return static_cast<int>(index);
}

std::string RightStr(std::string_view s, int n) {
  if (n <= 0) {
    return {};
  }
  const std::u32string chars = nls::ToUtf32(s);
  const std::size_t count = static_cast<std::size_t>(n);
  if (count >= chars.size()) {
    return std::string(s);
  }
  return nls::ToUtf8(std::u32string_view(chars).substr(chars.size() - count));
}

int HexToInt(std::string_view s) noexcept {
  if (s.size() % 2 != 0) {
    return 0;
  }
  // More than eight digits keep the low 32 bits, as a machine word would.
  std::uint32_t value = 0;
  for (char c : s) {
    std::uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      return 0;
    }
    value = (value << 4) | digit;
  }
  return static_cast<int>(value);
}

std::string HtmlEscape(std::string_view s) {
  std::string result;
  result.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '<':
        result += "&lt;";
        break;
      case '>':
        result += "&gt;";
        break;
      case '"':
        result += "&quot;";
        break;
      default:
        result.push_back(c);
    }
  }
  return result;
}

}  // namespace flexel
