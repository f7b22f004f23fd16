#pragma once
// Text replacement, locale-aware comparison without regard to case, and HTML character
// entities, on UTF-8 text with code-point semantics.

#include <string>
#include <string_view>

#include "platform/nls/nls.h"

namespace flexel {

inline constexpr int kReplaceAll = 1;
inline constexpr int kIgnoreCase = 2;

[[nodiscard]] std::string WideReplace(std::string_view s, std::string_view pattern,
                                      std::string_view replacement, bool wholeWord, int options);
[[nodiscard]] bool IsBoundaryCharacter(char32_t c) noexcept;
// -1, 0 or 1; both names are one collator comparison at secondary strength.
[[nodiscard]] int CompareTextWinNT(std::string_view a, std::string_view b, nls::Lcid lcid);
[[nodiscard]] int CompareTextWin95(std::string_view a, std::string_view b, nls::Lcid lcid);
// Code points 1..128 copied, 223..255 named entities, everything else "&#%d;".
[[nodiscard]] std::string HtmlEntities(std::string_view s);

}  // namespace flexel
