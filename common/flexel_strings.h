#pragma once
// Field and list access in delimited text: the TAB-, "/"-, "|"- and ";"-separated record lines
// in which the engines keep their derived tables. Positions and counts are in code points.

#include <string>
#include <string_view>

namespace flexel {

// Field k (from 0) of s separated by d; the empty text when s has fewer than k separators.
[[nodiscard]] std::string Field(int k, std::string_view d, std::string_view s);
// Item n (from 1; below 1 means 1) of a "/"-terminated list; an unterminated item is empty.
[[nodiscard]] std::string SlashItem(std::string_view s, int n);
[[nodiscard]] int SlashCount(std::string_view s) noexcept;
// Code-point position (from 1) of the last occurrence of t in s, 0 when none.
[[nodiscard]] int LastPos(std::string_view t, std::string_view s);
[[nodiscard]] std::string ReplaceLast(std::string_view s, std::string_view oldText,
                                      std::string_view newText);
[[nodiscard]] std::string SemicolonItem(std::string_view s, int n);
[[nodiscard]] int SemicolonCount(std::string_view s);
// The text between the first open and the first close after it, when open comes before the
// first close.
[[nodiscard]] bool Between(std::string_view s, char32_t open, char32_t close, std::string& inner);
// s without open + inner text + close when open occurs before the first close; otherwise s.
[[nodiscard]] std::string RemoveBetween(std::string_view s, std::string_view open,
                                        std::string_view close);
[[nodiscard]] int LetterValue(std::string_view s) noexcept;
[[nodiscard]] int CodeIndex(std::string_view s) noexcept;
[[nodiscard]] std::string RightStr(std::string_view s, int n);
[[nodiscard]] int HexToInt(std::string_view s) noexcept;
[[nodiscard]] std::string HtmlEscape(std::string_view s);

}  // namespace flexel
