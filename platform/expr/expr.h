#pragma once
// Integer expressions as language files write them inside cross references, for example
// "2*i+1" after the slot number has replaced "i". Only integers exist; a comparison yields -1
// for true and 0 for false, so "and", "or" and "not" work bitwise and logically alike.
//
//   expression := or
//   or         := and { "or" and }
//   and        := not { "and" not }
//   not        := "not" not | compare
//   compare    := sum [ ("=" | "<>" | "<" | ">" | "<=" | ">=") sum ]
//   sum        := product { ("+" | "-") product }
//   product    := unary { ("*" | "/" | "div" | "mod" | "shl" | "shr") unary }
//   unary      := ("-" | "+") unary | primary
//   primary    := number | "$" hexdigits | "true" | "false" | "(" expression ")"
//               | "if" "(" expression "," expression "," expression ")"
//
// Words are case-insensitive. "/" and "div" both divide and truncate toward zero; "mod" takes
// the sign of the dividend; "if" evaluates only the branch it takes.

#include <cstdint>
#include <string_view>

namespace flexel::expr {

// Nesting of brackets, operators and "if" beyond this depth is refused.
inline constexpr int kMaxDepth = 64;

// Throws flexel::Error: "Invalid expression '<text>': <reason>" when the text does not parse,
// "Division by zero in expression '<text>'", "Integer overflow in expression '<text>'".
[[nodiscard]] std::int64_t Evaluate(std::string_view text);

}  // namespace flexel::expr
