#include "cli/text_table.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace flexel::cli {
namespace {

struct WidthCase {
  const char* name;
  std::string text;
  std::size_t width;
};

void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class DisplayWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidthTest, CountsScreenCells) {
  EXPECT_EQ(DisplayWidth(GetParam().text), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, DisplayWidthTest,
    ::testing::Values(WidthCase{"Ascii", "hablo", 5}, WidthCase{"Empty", "", 0},
                      WidthCase{"Latin1", "habláis", 7}, WidthCase{"Cyrillic", "читать", 6},
                      WidthCase{"Kana", "食べます", 8}, WidthCase{"Hangul", "합니다", 6},
                      WidthCase{"FullwidthLetters", "ＡＢ", 4},
                      // a + combining acute accent: one cell.
                      WidthCase{"CombiningMark", "a\xcc\x81", 1},
                      WidthCase{"ZeroWidthJoinerIsFormat",
                                "a\xe2\x80\x8d"
                                "b",
                                2},
                      WidthCase{"Devanagari", "नमस्ते", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextTableTest, AlignsColumnsByScreenWidth) {
  std::string out;
  AppendTable(out, {{"私", "食べます"}, {"あなたたち", "食べました"}, {"x", "y", "z"}}, "  ");
  EXPECT_EQ(out,
            "  私          食べます\n"
            "  あなたたち  食べました\n"
            "  x           y           z\n");
}

TEST(TextTableTest, NoTrailingBlanksAndBreaksInsideCellsFlattened) {
  std::string out;
  AppendTable(out, {{"I", ""}, {"you all", "a\tb\r\nc"}, {}}, "");
  EXPECT_EQ(out,
            "I\n"
            "you all  a b  c\n"
            "\n");
}

}  // namespace
}  // namespace flexel::cli
