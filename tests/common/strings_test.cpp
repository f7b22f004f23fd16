#include <gtest/gtest.h>

#include <string>

#include "common/flexel_strings.h"

namespace flexel {
namespace {

struct FieldCase {
  const char* name;
  int k;
  std::string d;
  std::string s;
  std::string expected;
};

class FieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTest, Field) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(Field(c.k, c.d, c.s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Strings, FieldTest,
                         ::testing::Values(FieldCase{"TabMiddle", 1, "\t", "a\tb\tc", "b"},
                                           FieldCase{"TabLast", 2, "\t", "a\tb\tc", "c"},
                                           FieldCase{"TabBeyondEnd", 5, "\t", "a\tb\tc", ""},
                                           FieldCase{"TenseIdBeforeBar", 0, "|", "7|", "7"},
                                           FieldCase{"AfterLastBar", 1, "|", "7|", ""},
                                           FieldCase{"EmptyText", 0, "\t", "", ""},
                                           FieldCase{"NoSeparatorWholeText", 0, ";", "abc", "abc"},
                                           FieldCase{"LongSeparator", 1, "::", "a::b:c::d", "b:c"},
                                           FieldCase{"EmptyFields", 2, "\t", "\t\tx\t", "x"},
                                           FieldCase{"MultiByteField", 1, "\t", "ñandú\tЖук\t😀",
                                                     "Жук"},
                                           FieldCase{"MultiByteSeparator", 1, "·", "a·ñ·c", "ñ"},
                                           FieldCase{"EmptySeparatorNeverOccurs", 1, "", "abc", ""},
                                           FieldCase{"NegativeIsFirst", -1, "\t", "a\tb", "a"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Strings, SlashItemAndCount) {
  EXPECT_EQ(SlashItem("a/b/c/", 2), "b");
  EXPECT_EQ(SlashItem("a/b/c/", 3), "c");
  EXPECT_EQ(SlashItem("a/b/c/", 4), "");
  EXPECT_EQ(SlashItem("a/b", 2), "");  // unterminated
  EXPECT_EQ(SlashItem("a/b/", 0), "a");
  EXPECT_EQ(SlashItem("a/b/", -3), "a");
  EXPECT_EQ(SlashItem("//x/", 2), "");
  EXPECT_EQ(SlashItem("ich laufe/du läufst/", 2), "du läufst");
  EXPECT_EQ(SlashCount("a/b/c/"), 3);
  EXPECT_EQ(SlashCount(""), 0);
}

TEST(Strings, SemicolonItemAndCount) {
  EXPECT_EQ(SemicolonItem("sea;fuera", 2), "fuera");
  EXPECT_EQ(SemicolonItem("sea;fuera", 1), "sea");
  EXPECT_EQ(SemicolonItem("sea", 1), "sea");  // the appended "/" ends the last item
  EXPECT_EQ(SemicolonItem("sea", 2), "");
  EXPECT_EQ(SemicolonCount("sea;fuera"), 2);
  EXPECT_EQ(SemicolonCount(""), 1);
}

TEST(Strings, LastPosAndReplaceLast) {
  EXPECT_EQ(LastPos("-", "x-y-z"), 4);
  EXPECT_EQ(LastPos("q", "x-y-z"), 0);
  EXPECT_EQ(LastPos("", "abc"), 0);
  EXPECT_EQ(LastPos("ú", "ñandú"), 5);  // code points, not bytes
  EXPECT_EQ(LastPos("к", "Жук и кот"), 7);
  EXPECT_EQ(ReplaceLast("x-y-z", "-", "+"), "x-y+z");
  EXPECT_EQ(ReplaceLast("x-y-z", "", "!"), "x-y-z!");
  EXPECT_EQ(ReplaceLast("x-y-z", "#", "+"), "x-y-z");
  EXPECT_EQ(ReplaceLast("äöäö", "ä", "ae"), "äöaeö");
}

TEST(Strings, Between) {
  struct Row {
    const char* name;
    std::string s;
    char32_t open;
    char32_t close;
    bool found;
    std::string inner;
  };
  const Row rows[] = {
      {"Simple", "ab(cd)ef(g)", U'(', U')', true, "cd"},
      {"Empty", "x()", U'(', U')', true, ""},
      {"CloseFirst", "a)b(c)", U'(', U')', false, ""},
      {"NoClose", "a(b", U'(', U')', false, ""},
      {"NoOpen", "ab)", U'(', U')', false, ""},
      {"SameCharacter", "a|b|c", U'|', U'|', false, ""},
      {"MultiByteMarks", "x«ñandú»y", U'«', U'»', true, "ñandú"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string inner = "stale";
    EXPECT_EQ(Between(row.s, row.open, row.close, inner), row.found);
    EXPECT_EQ(inner, row.inner);
  }
}

TEST(Strings, RemoveBetween) {
  EXPECT_EQ(RemoveBetween("ab(cd)ef(g)", "(", ")"), "abef(g)");
  EXPECT_EQ(RemoveBetween("a)b(c)", "(", ")"), "a)b(c)");
  EXPECT_EQ(RemoveBetween("a{{x}}b", "{{", "}}"), "ab");
  EXPECT_EQ(RemoveBetween("x«ñ»y", "«", "»"), "xy");
  EXPECT_EQ(RemoveBetween("a{{x}b}}", "{{", "}}"), "a");
  EXPECT_EQ(RemoveBetween("a}}b{{c}}", "{{", "}}"), "a}}b{{c}}");
  EXPECT_EQ(RemoveBetween("abc", "", ")"), "abc");
}

TEST(Strings, LetterValueAndCodeIndex) {
  EXPECT_EQ(LetterValue("_"), 0);
  EXPECT_EQ(LetterValue("a"), 1);
  EXPECT_EQ(LetterValue("zulu"), 26);
  EXPECT_EQ(LetterValue("A"), -1);
  EXPECT_EQ(LetterValue("ñ"), -1);
  EXPECT_EQ(LetterValue(""), -1);
  EXPECT_EQ(CodeIndex("abc"), 1 * 729 + 2 * 27 + 3);
  EXPECT_EQ(CodeIndex("deu_"), 4 * 19683 + 5 * 729 + 21 * 27 + 0);
  EXPECT_EQ(CodeIndex("zzzzz"), 26 * 531441 + 26 * 19683 + 26 * 729 + 26 * 27 + 26);
  EXPECT_EQ(CodeIndex("ab"), -1);
  EXPECT_EQ(CodeIndex("abcdef"), -1);
  // A character outside "_a".."z" would give another code's number.
  EXPECT_EQ(CodeIndex("abC"), -1);
  EXPECT_EQ(CodeIndex("añ"), -1);
}

TEST(Strings, RightStr) {
  EXPECT_EQ(RightStr("hablar", 2), "ar");
  EXPECT_EQ(RightStr("ñandú", 2), "dú");
  EXPECT_EQ(RightStr("ab", 5), "ab");
  EXPECT_EQ(RightStr("ab", 0), "");
  EXPECT_EQ(RightStr("ab", -1), "");
}

TEST(Strings, HexToInt) {
  EXPECT_EQ(HexToInt("FF"), 255);
  EXPECT_EQ(HexToInt("00ff80"), 0xFF80);
  EXPECT_EQ(HexToInt("aB"), 0xAB);
  EXPECT_EQ(HexToInt("ABC"), 0);  // odd length
  EXPECT_EQ(HexToInt(""), 0);
  EXPECT_EQ(HexToInt("G0"), 0);
}

TEST(Strings, HtmlEscape) {
  EXPECT_EQ(HtmlEscape("<a href=\"x\">&amp;</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;");
  EXPECT_EQ(HtmlEscape("ñ & ü"), "ñ & ü");
}

}  // namespace
}  // namespace flexel
