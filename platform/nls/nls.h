#pragma once
// National-language support over ICU: locale-aware comparison without regard to case,
// character classes, case mapping and the decoding of legacy 8-bit and UTF-16 text. All text is
// UTF-8; every "character" is one Unicode code point.

#include <cstdint>
#include <string>
#include <string_view>

namespace flexel::nls {

// Windows locale id; 0 means the process's default locale.
using Lcid = std::uint32_t;

// -1, 0 or 1: a and b compared by the locale's collation at secondary strength (letter case
// ignored, accents significant). An id ICU does not know compares by the root collation.
// Collators are opened once per thread and locale, so this is cheap in binary searches.
[[nodiscard]] int CompareText(std::string_view a, std::string_view b, Lcid lcid = 0);
[[nodiscard]] bool EqualText(std::string_view a, std::string_view b, Lcid lcid = 0);
// The collation key of text: comparing two keys bytewise (std::string's operator<) orders the
// texts as CompareText does, so a long list is sorted without a collator call per comparison.
[[nodiscard]] std::string SortKey(std::string_view text, Lcid lcid = 0);

[[nodiscard]] bool IsSpace(char32_t c) noexcept;
[[nodiscard]] bool IsPunct(char32_t c) noexcept;
// Start or end of text (0), white space or punctuation.
[[nodiscard]] bool IsBoundary(char32_t c) noexcept;

// Full case mapping by the root locale ("ß" upper-cases to "SS").
[[nodiscard]] std::string ToUpper(std::string_view text);
[[nodiscard]] std::string ToLower(std::string_view text);
// Simple one-to-one mapping of one code point, for comparisons that keep positions aligned.
[[nodiscard]] char32_t ToUpperChar(char32_t c) noexcept;
[[nodiscard]] char32_t ToLowerChar(char32_t c) noexcept;

// Code points of UTF-8 text; each ill-formed byte sequence yields one U+FFFD.
[[nodiscard]] std::u32string ToUtf32(std::string_view utf8);
void AppendUtf32(std::string_view utf8, std::u32string& out);
// A value that is no Unicode scalar value (a surrogate, beyond U+10FFFF) is written as U+FFFD.
[[nodiscard]] std::string ToUtf8(std::u32string_view text);
[[nodiscard]] std::string ToUtf8(char32_t c);
void AppendUtf8(std::u32string_view text, std::string& out);
void AppendUtf8(char32_t c, std::string& out);
[[nodiscard]] std::size_t CodePointCount(std::string_view utf8) noexcept;

[[nodiscard]] bool IsValidUtf8(std::string_view bytes) noexcept;
// Text the old system kept in the 8-bit code page: valid UTF-8 stays as it is, anything else
// is read as Windows-1252.
[[nodiscard]] std::string DecodeLegacy(std::string_view bytes);

// UTF-16 text as stored in files (little or big endian bytes, no mark) to UTF-8 and back; a
// surrogate pair becomes one code point, a lone surrogate (or an odd last byte) U+FFFD.
[[nodiscard]] std::string FromUtf16(std::u16string_view text);
[[nodiscard]] std::string FromUtf16Bytes(std::string_view bytes, bool bigEndian);
[[nodiscard]] std::u16string ToUtf16(std::string_view utf8);

}  // namespace flexel::nls
