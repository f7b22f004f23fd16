#pragma once
// The one exception hierarchy of platform/, common/ and the engines. The message is the
// system's own text ("List index out of bounds (3)"); the automation boundary turns it into an
// HRESULT plus error information.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace flexel {

// E_UNEXPECTED: what a failing member reports unless the failure carries its own code.
inline constexpr std::int32_t kDefaultFailureCode = static_cast<std::int32_t>(0x8000FFFFu);

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::int32_t hresult = kDefaultFailureCode)
      : std::runtime_error(message), m_hresult(hresult) {}
  [[nodiscard]] std::int32_t hresult() const noexcept { return m_hresult; }

 private:
  std::int32_t m_hresult;
};

// A list read with an index outside the list: "List index out of bounds (%d)".
class ListIndexError : public Error {
 public:
  explicit ListIndexError(long long index)
      : Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

// A text where a whole number is required: "'%s' is not a valid integer value".
class ConvertError : public Error {
 public:
  using Error::Error;
  static ConvertError NotInteger(const std::string& text) {
    return ConvertError("'" + text + "' is not a valid integer value");
  }
  static ConvertError NotDate(const std::string& text) {
    return ConvertError("'" + text + "' is not a valid date");
  }
};

// A file that cannot be read, parsed or written; the message names the file.
class FileError : public Error {
 public:
  using Error::Error;
};

// Parses a whole decimal integer (optional sign, "$" or "0x" hexadecimal) as the original
// run-time library did; throws ConvertError::NotInteger otherwise.
[[nodiscard]] int StrToInt(const std::string& text);
// The same, returning fallback instead of throwing.
[[nodiscard]] int StrToIntDef(const std::string& text, int fallback) noexcept;

}  // namespace flexel
