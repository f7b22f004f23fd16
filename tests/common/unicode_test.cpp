#include <gtest/gtest.h>

#include <string>

#include "common/flexel_unicode.h"

namespace flexel {
namespace {

struct ReplaceCase {
  const char* name;
  std::string s;
  std::string pattern;
  std::string replacement;
  bool wholeWord;
  int options;
  std::string expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.s << " / " << c.pattern; }

class WideReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(WideReplaceTest, Replaces) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(WideReplace(c.s, c.pattern, c.replacement, c.wholeWord, c.options), c.expected);
}

constexpr int kAllIgnoreCase = kReplaceAll | kIgnoreCase;

INSTANTIATE_TEST_SUITE_P(
    Unicode, WideReplaceTest,
    ::testing::Values(
        ReplaceCase{"FirstOnly", "a-b-c", "-", "+", false, 0, "a+b-c"},
        ReplaceCase{"All", "a-b-c", "-", "+", false, kReplaceAll, "a+b+c"},
        ReplaceCase{"NoRescanOfReplacement", "aa", "a", "ba", false, kReplaceAll, "baba"},
        ReplaceCase{"NotFound", "abc", "x", "y", false, kReplaceAll, "abc"},
        ReplaceCase{"EmptyPattern", "abc", "", "y", false, kReplaceAll, "abc"},
        ReplaceCase{"CaseMattersByDefault", "Hola hola", "hola", "x", false, kReplaceAll, "Hola x"},
        ReplaceCase{"IgnoreCaseKeepsUnmatchedText", "Hola HOLA, hOLa!", "hola", "adiós", false,
                    kAllIgnoreCase, "adiós adiós, adiós!"},
        ReplaceCase{"IgnoreCaseBeyondAscii", "Кот и КОТ, ÄRGER", "кот", "пёс", false,
                    kAllIgnoreCase, "пёс и пёс, ÄRGER"},
        ReplaceCase{"IgnoreCaseUmlaut", "ÄRGER ärger", "ärger", "x", false, kAllIgnoreCase, "x x"},
        ReplaceCase{"WholeWordSkipsPartOfWord", "concat", "cat", "dog", true, kReplaceAll,
                    "concat"},
        ReplaceCase{"WholeWordBlanksAndPunctuation", "cat catalog (cat) ¿cat? cat.", "cat", "dog",
                    true, kReplaceAll, "dog catalog (dog) ¿dog? dog."},
        ReplaceCase{"WholeWordFirstOnlySearchesOn", "concat cat cat", "cat", "dog", true, 0,
                    "concat dog cat"},
        ReplaceCase{"WholeWordJoinedOccurrences", "catcat cat", "cat", "dog", true, kReplaceAll,
                    "catcat dog"},
        ReplaceCase{"WholeWordMultiByte", "ñu ñus ñu", "ñu", "gnu", true, kReplaceAll,
                    "gnu ñus gnu"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Unicode, HtmlEntities) {
  struct Row {
    const char* name;
    std::string s;
    std::string expected;
  };
  const Row rows[] = {
      {"AsciiCopied", "a<b>&", "a<b>&"},
      {"NamedSmall", "ü", "&uuml;"},
      {"NamedFirst", "ß", "&szlig;"},
      {"NamedLast", "ÿ", "&yuml;"},
      {"NamedDivide", "÷", "&divide;"},
      {"UpperCaseLatinNumbered", "Ü", "&#220;"},
      {"BelowNamedRange", "Þ", "&#222;"},
      {"NoBreakSpace", "\u00A0", "&#160;"},
      {"Code128Copied", "\u0080", "\u0080"},
      {"Euro", "€", "&#8364;"},
      {"Supplementary", "😀", "&#128512;"},
      {"Cyrillic", "Жук", "&#1046;&#1091;&#1082;"},
      {"StopsAtNul", std::string("ab\0cd", 5), "ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(HtmlEntities(row.s), row.expected);
  }
}

TEST(Unicode, HtmlEntitiesConvertsLongTextWhole) {
  std::string text;
  for (int i = 0; i < 70000; ++i) {
    text += "ü";
  }
  text += "€";
  const std::string html = HtmlEntities(text);
  EXPECT_EQ(html.size(), 70000 * std::string("&uuml;").size() + std::string("&#8364;").size());
  EXPECT_EQ(html.substr(html.size() - 7), "&#8364;");
}

TEST(Unicode, BoundaryCharacter) {
  EXPECT_TRUE(IsBoundaryCharacter(0));
  EXPECT_TRUE(IsBoundaryCharacter(U' '));
  EXPECT_TRUE(IsBoundaryCharacter(U'¡'));
  EXPECT_FALSE(IsBoundaryCharacter(U'ñ'));
  EXPECT_FALSE(IsBoundaryCharacter(U'Ж'));
}

TEST(Unicode, CompareText) {
  EXPECT_EQ(CompareTextWinNT("ÄPFEL", "äpfel", 0x0407), 0);
  EXPECT_EQ(CompareTextWinNT("apfel", "Äpfel", 0x0407), -1);
  EXPECT_EQ(CompareTextWin95("Zug", "apfel", 0x0407), 1);
  EXPECT_EQ(CompareTextWin95("ÑANDÚ", "ñandú", 0x0C0A), 0);
}

}  // namespace
}  // namespace flexel
