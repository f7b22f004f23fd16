#include "common/flexel_unicode.h"

#include <cstdio>
#include <iterator>

namespace flexel {

namespace {

std::u32string UpperCopy(std::u32string text) {
  for (char32_t& c : text) {
    c = nls::ToUpperChar(c);
  }
  return text;
}

}  // namespace

std::string WideReplace(std::string_view s, std::string_view pattern, std::string_view replacement,
                        bool wholeWord, int options) {
  const std::u32string input = nls::ToUtf32(s);
  std::u32string needle = nls::ToUtf32(pattern);
  if (needle.empty()) {
    return std::string(s);
  }
  // One-to-one case mapping keeps every position of the search copy valid in the input.
  std::u32string search = input;
  if ((options & kIgnoreCase) != 0) {
    search = UpperCopy(std::move(search));
    needle = UpperCopy(std::move(needle));
  }
  const std::u32string_view in(input);
  std::string result;
  result.reserve(s.size());
  std::size_t rest = 0;  // start of the unconsumed input (and search copy)
  while (rest < search.size()) {
    const std::size_t at = search.find(needle, rest);
    if (at == std::u32string::npos) {
      break;
    }
    const std::size_t end = at + needle.size();
    if (wholeWord) {
      // The true neighbours in the whole text, not in what is left of it.
      const char32_t before = at == 0 ? U'\0' : input[at - 1];
      const char32_t after = end == input.size() ? U'\0' : input[end];
      if (!IsBoundaryCharacter(before) || !IsBoundaryCharacter(after)) {
        nls::AppendUtf8(in.substr(rest, end - rest), result);
        rest = end;
        continue;
      }
    }
    nls::AppendUtf8(in.substr(rest, at - rest), result);
    result.append(replacement);
    rest = end;
    if ((options & kReplaceAll) == 0) {
      break;
    }
  }
  nls::AppendUtf8(in.substr(rest), result);
  return result;
}

bool IsBoundaryCharacter(char32_t c) noexcept { return nls::IsBoundary(c); }

int CompareTextWinNT(std::string_view a, std::string_view b, nls::Lcid lcid) {
  return nls::CompareText(a, b, lcid);
}

int CompareTextWin95(std::string_view a, std::string_view b, nls::Lcid lcid) {
  return nls::CompareText(a, b, lcid);
}

std::string HtmlEntities(std::string_view s) {
  static constexpr const char* kNamed[] = {
      "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
      "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
      "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
      "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
  static_assert(std::size(kNamed) == 255 - 223 + 1);
  std::string result;
  result.reserve(s.size());
  for (char32_t c : nls::ToUtf32(s)) {
    if (c == 0) {
      break;
    }
    if (c <= 128) {
      nls::AppendUtf8(c, result);
    } else if (c >= 223 && c <= 255) {
      result.push_back('&');
      result.append(kNamed[c - 223]);
      result.push_back(';');
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "&#%u;", static_cast<unsigned>(c));
      result.append(buffer);
    }
  }
  return result;
}

}  // namespace flexel
