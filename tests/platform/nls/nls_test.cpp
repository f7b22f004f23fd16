#include "platform/nls/nls.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace flexel::nls {
namespace {

struct CompareCase {
  const char* name;
  std::string a;
  std::string b;
  Lcid lcid;
  int expected;
};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.a << " <> " << c.b; }

class CompareTextTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTextTest, ComparesAtSecondaryStrength) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(CompareText(c.a, c.b, c.lcid), c.expected);
  EXPECT_EQ(CompareText(c.b, c.a, c.lcid), -c.expected);
  EXPECT_EQ(EqualText(c.a, c.b, c.lcid), c.expected == 0);
  // Sorting by keys must put the texts in the same order as comparing them.
  const std::string keyA = SortKey(c.a, c.lcid), keyB = SortKey(c.b, c.lcid);
  EXPECT_EQ(keyA < keyB ? -1 : (keyB < keyA ? 1 : 0), c.expected);
}

constexpr Lcid kGerman = 0x0407;
constexpr Lcid kSwedish = 0x041D;
constexpr Lcid kSpanishTraditional = 0x040A;
constexpr Lcid kSpanishModern = 0x0C0A;
constexpr Lcid kRussian = 0x0419;

INSTANTIATE_TEST_SUITE_P(
    Nls, CompareTextTest,
    ::testing::Values(CompareCase{"CaseIgnored", "Haus", "HAUS", 0, 0},
                      CompareCase{"CaseIgnoredGerman", "Straße", "STRAẞE", kGerman, 0},
                      CompareCase{"AccentsCount", "resume", "résumé", 0, -1},
                      CompareCase{"AccentsCountUpperCase", "Äpfel", "apfel", kGerman, 1},
                      CompareCase{"AlphabeticNotBytewise", "apple", "Banana", 0, -1},
                      CompareCase{"CyrillicCaseIgnored", "ПРИВЕТ", "привет", kRussian, 0},
                      CompareCase{"CyrillicOrder", "ёж", "жук", kRussian, -1},
                      CompareCase{"GermanUmlautAmongA", "öl", "zebra", kGerman, -1},
                      CompareCase{"SwedishUmlautAfterZ", "öl", "zebra", kSwedish, 1},
                      CompareCase{"SpanishTraditionalCh", "chico", "cuna", kSpanishTraditional, 1},
                      CompareCase{"SpanishModernCh", "chico", "cuna", kSpanishModern, -1},
                      CompareCase{"UnknownLocaleUsesRoot", "a", "A", 0x7FFF, 0},
                      CompareCase{"EmptyBeforeText", "", "a", 0, -1},
                      CompareCase{"BothEmpty", "", "", kGerman, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Nls, CharacterClasses) {
  struct Row {
    char32_t c;
    bool space;
    bool punct;
  };
  const Row rows[] = {{U' ', true, false},      {U'\t', true, false},     {U'\u3000', true, false},
                      {U',', false, true},      {U'.', false, true},      {U'\u00BF', false, true},
                      {U'\u00AB', false, true}, {U'a', false, false},     {U'\u00F1', false, false},
                      {U'5', false, false},     {U'\u0416', false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<unsigned>(row.c));
    EXPECT_EQ(IsSpace(row.c), row.space);
    EXPECT_EQ(IsPunct(row.c), row.punct);
    EXPECT_EQ(IsBoundary(row.c), row.space || row.punct);
  }
  EXPECT_TRUE(IsBoundary(0));
}

TEST(Nls, CaseMapping) {
  EXPECT_EQ(ToUpper("straße"), "STRASSE");
  EXPECT_EQ(ToUpper("привет ñandú"), "ПРИВЕТ ÑANDÚ");
  EXPECT_EQ(ToLower("ÄÖÜ İ"), "äöü i̇");
  EXPECT_EQ(ToUpperChar(U'ß'), U'ß');  // no one-letter capital in the simple mapping
  EXPECT_EQ(ToUpperChar(U'ж'), U'Ж');
  EXPECT_EQ(ToLowerChar(U'Ñ'), U'ñ');
}

TEST(Nls, Utf8AndUtf32) {
  EXPECT_EQ(ToUtf32("añ€😀"), (std::u32string{U'a', U'ñ', U'€', U'\U0001F600'}));
  EXPECT_EQ(ToUtf8(std::u32string_view(U"añ€😀")), "añ€😀");
  EXPECT_EQ(CodePointCount("añ€😀"), 4u);
  // Ill-formed input is never dropped silently: each bad sequence is one U+FFFD.
  EXPECT_EQ(ToUtf32("a\xFF"
                    "b"),
            (std::u32string{U'a', U'\uFFFD', U'b'}));
  EXPECT_EQ(ToUtf32("\xE2\x82"), (std::u32string{U'\uFFFD'}));
  EXPECT_EQ(CodePointCount("a\xFF"
                           "b"),
            3u);
  // Surrogates and values beyond Unicode are no scalar values.
  EXPECT_EQ(ToUtf8(char32_t{0xD800}), "\uFFFD");
  EXPECT_EQ(ToUtf8(char32_t{0x110000}), "\uFFFD");
}

TEST(Nls, ValidUtf8) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("ñandú Жук 😀"));
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // encoded surrogate
  EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x98"));  // truncated at the end
}

TEST(Nls, DecodeLegacy) {
  EXPECT_EQ(DecodeLegacy("café"), "café");
  EXPECT_EQ(DecodeLegacy("caf\xE9"), "café");
  EXPECT_EQ(DecodeLegacy("\x80 \x9C \xDF"), "€ œ ß");
  // Bytes Windows-1252 leaves undefined still arrive as characters, not as "?".
  const std::string undefined = DecodeLegacy("\x81\xE9");
  EXPECT_EQ(undefined.find('?'), std::string::npos);
  EXPECT_EQ(CodePointCount(undefined), 2u);
}

TEST(Nls, Utf16) {
  EXPECT_EQ(FromUtf16(u"Жук😀"), "Жук😀");
  EXPECT_EQ(ToUtf16("Жук😀"), std::u16string(u"Жук😀"));
  EXPECT_EQ(FromUtf16(std::u16string{u'a', char16_t{0xD83D}}), "a\uFFFD");
  EXPECT_EQ(FromUtf16(std::u16string{char16_t{0xDE00}, u'b'}), "\uFFFDb");
  const std::string little("\x3D\xD8\x00\xDE\x41\x00", 6);
  const std::string big("\xD8\x3D\xDE\x00\x00\x41", 6);
  EXPECT_EQ(FromUtf16Bytes(little, false), "😀A");
  EXPECT_EQ(FromUtf16Bytes(big, true), "😀A");
  EXPECT_EQ(FromUtf16Bytes(std::string("\x41\x00\x42", 3), false), "A\uFFFD");
}

}  // namespace
}  // namespace flexel::nls
