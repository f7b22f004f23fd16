#pragma once
// 128-bit identifiers of libraries, interfaces and classes, written
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace flexel::automation {

struct GUID {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  // For identifiers fixed in the source: a malformed text stops compilation when used in a
  // constant expression.
  static constexpr GUID Literal(std::string_view text) {
    GUID g;
    if (!ParseInto(text, g)) throw std::invalid_argument("malformed GUID literal");
    return g;
  }
  // The braced form, hexadecimal digits in either case; nothing else around it.
  [[nodiscard]] static std::optional<GUID> Parse(std::string_view text) noexcept {
    GUID g;
    if (!ParseInto(text, g)) return std::nullopt;
    return g;
  }
  // Upper-case braced form, as the registry keeps it.
  [[nodiscard]] std::string ToString() const;

  friend constexpr bool operator==(const GUID&, const GUID&) = default;

 private:
  static constexpr int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static constexpr bool ParseInto(std::string_view t, GUID& g) noexcept {
    if (t.size() != 38 || t.front() != '{' || t.back() != '}') return false;
    if (t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-') return false;
    std::uint8_t bytes[16]{};
    std::size_t pos = 1;
    for (int i = 0; i < 16; ++i) {
      if (pos == 9 || pos == 14 || pos == 19 || pos == 24) ++pos;
      const int hi = HexDigit(t[pos]), lo = HexDigit(t[pos + 1]);
      if (hi < 0 || lo < 0) return false;
      bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
      pos += 2;
    }
    g.data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
              (std::uint32_t{bytes[2]} << 8) | bytes[3];
    g.data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
    return true;
  }
};

}  // namespace flexel::automation

template <>
struct std::hash<flexel::automation::GUID> {
  std::size_t operator()(const flexel::automation::GUID& g) const noexcept {
    std::size_t h = g.data1;
    h = h * 31 + g.data2;
    h = h * 31 + g.data3;
    for (auto b : g.data4) h = h * 31 + b;
    return h;
  }
};
