#include "cli/text_table.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

std::size_t CodePointWidth(char32_t c) {
  const auto cp = static_cast<UChar32>(c);
  const std::int32_t category = u_getIntPropertyValue(cp, UCHAR_GENERAL_CATEGORY_MASK);
  if ((category & (U_GC_MN_MASK | U_GC_ME_MASK | U_GC_CF_MASK | U_GC_CC_MASK)) != 0) {
    return 0;
  }
  // Hangul medial vowels and final consonants join the preceding syllable.
  const std::int32_t hangul = u_getIntPropertyValue(cp, UCHAR_HANGUL_SYLLABLE_TYPE);
  if (hangul == U_HST_VOWEL_JAMO || hangul == U_HST_TRAILING_JAMO) {
    return 0;
  }
  const std::int32_t width = u_getIntPropertyValue(cp, UCHAR_EAST_ASIAN_WIDTH);
  return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

std::string CleanCell(const std::string& cell) {
  if (cell.find_first_of("\t\r\n") == std::string::npos) {
    return cell;
  }
  std::string clean = cell;
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return clean;
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char32_t c : nls::ToUtf32(utf8)) {
    width += CodePointWidth(c);
  }
  return width;
}

void AppendTable(std::string& out, const TextRows& rows, std::string_view indent) {
  std::vector<std::size_t> widths;
  std::vector<std::vector<std::pair<std::string, std::size_t>>> cells(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      std::string text = CleanCell(rows[r][c]);
      const std::size_t width = DisplayWidth(text);
      if (widths.size() <= c) {
        widths.resize(c + 1, 0);
      }
      widths[c] = std::max(widths[c], width);
      cells[r].emplace_back(std::move(text), width);
    }
  }
  for (const auto& row : cells) {
    std::string line(indent);
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) {
        line.append(2, ' ');
      }
      line += row[c].first;
      if (c + 1 < row.size()) {
        line.append(widths[c] - row[c].second, ' ');
      }
    }
    while (!line.empty() && line.back() == ' ') {
      line.pop_back();
    }
    out += line;
    out += '\n';
  }
}

}  // namespace flexel::cli
