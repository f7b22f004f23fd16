#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_xml/flexel_transliterator.h"
#include "platform/core/error.h"

namespace flexel {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

// Devanagari: a consonant followed by a vowel takes the vowel sign, alone the full vowel.
const std::vector<std::string> kDevanagari = {"k\t\\u0915\t1", "a\t\\u0905\t1", "{e}a\t\\u093E\t0",
                                              "k{e}\t\\u0915\t0"};
// Cyrillic: "e" after a consonant is "е", elsewhere "э"; "ts" is one letter.
const std::vector<std::string> kCyrillic = {
    "t\t\\u0442\t1", "s\t\\u0441\t1",    "ts\t\\u0446\t1",   "a\t\\u0430\t1",
    "e\t\\u044D\t1", "t{e}\t\\u0442\t0", "{e}e\t\\u0435\t0", "ts{e}\t\\u0446\t0"};
const std::vector<std::string> kJamo = {"g\t\\u1100\t1", "n\t\\u1102\t1", "a\t\\u1161\t1",
                                        "o\t\\u1169\t1", "k\t\\u11A8\t1"};

struct Case {
  const char* name;
  std::vector<std::string> table;
  const char* processor;
  const char* input;
  const char* expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class TransliterateTest : public ::testing::TestWithParam<Case> {};

TEST_P(TransliterateTest, Output) {
  const Case& c = GetParam();
  const TTransliterator t(c.table, c.processor);
  EXPECT_EQ(t.Transliterate(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransliterateTest,
    ::testing::Values(
        Case{"EmptyTableKeepsText", {}, "", "abc \xC3\xA4\xC3\xB1 \xD0\xB6", "abc ä\u00F1 \u0436"},
        Case{"EscapeWithoutTable", {}, "", "x\\u00e4y", "x\u00E4y"},
        Case{"EscapeBeforeTable", {"\\\t\\u0041\t0"}, "", "\\u00E4\\", "\u00E4A"},
        Case{"EscapePairIsOneCharacter", {}, "", "\\ud83d\\ude00", "\U0001F600"},
        Case{"BackslashWithoutHexStays", {}, "", "\\user", "\\user"},
        Case{"ConsonantBeforeVowelTakesSign", kDevanagari, "", "ka", "\u0915\u093E"},
        Case{"KeyEqualToWholeInput", kDevanagari, "", "k", "\u0915"},
        Case{"VowelAlone", kDevanagari, "", "a", "\u0905"},
        Case{"MarkerWithoutContinuation", kDevanagari, "", "kk", "\u0915\u0915"},
        Case{"VowelSignThenVowel", kDevanagari, "", "kaa", "\u0915\u093E\u0905"},
        Case{"CyrillicWordInitialE", kCyrillic, "", "eta", "\u044D\u0442\u0430"},
        Case{"CyrillicEAfterConsonant", kCyrillic, "", "tet", "\u0442\u0435\u0442"},
        Case{"CyrillicLongestKey", kCyrillic, "", "tsetse", "\u0446\u0435\u0446\u0435"},
        // The key ending the text takes the end-marked entry: final sigma.
        Case{"KeyAtEndTakesEndEntry",
             {"s\t\\u03C3\t1", "a\t\\u03B1\t1", "s{e}\t\\u03C2\t0"},
             "",
             "sas",
             "\u03C3\u03B1\u03C2"},
        Case{"LongestKeyWins",
             {"s\t\\u0441\t0", "sh\t\\u0448\t0", "h\t\\u0445\t0"},
             "",
             "shs",
             "\u0448\u0441"},
        Case{"MarkerWinsOverPlainSameKey",
             {"k\t\\u004B\t0", "k{e}\t\\u0071\t0", "{e}a\t\\u0062\t0"},
             "",
             "ka",
             "qb"},
        Case{"RunnerUpWhenMarkerLeadsNowhere",
             {"k{x}\t\\u0058\t0", "k\t\\u004B\t0", "a\t\\u0041\t0"},
             "",
             "ka",
             "KA"},
        Case{"UnconsumedMarkerIsDropped", {"k{x}\t\\u0058\t0", "a\t\\u0041\t0"}, "", "ka", "XA"},
        Case{"ClosingBraceInTextStays", {"a\t\\u0041\t0"}, "", "a}b{c", "A}b{c"},
        Case{"LinesWithoutTabIgnored", {"a", "b\t\\u0042\t0"}, "", "ab", "aB"},
        Case{"SurrogatePairValue", {"s\t\\uD83D\\uDE00\t0"}, "", "s", "\U0001F600"},
        Case{"LoneSurrogateValue", {"s\t\\uD83D\t0"}, "", "s", "\uFFFD"},
        Case{"NonHexDigitsCountZero", {"s\t\\u004g\t0"}, "", "s", "@"},
        Case{"LowerCaseHexValue", {"s\t\\u00fc\t0"}, "", "s", "\u00FC"},
        Case{"HangulSyllable", {}, "hangul", "\u1100\u1161", "\uAC00"},
        Case{"HangulFromTable", kJamo, "hangul", "gak", "\uAC01"},
        Case{"HangulDropsNonJamo", kJamo, "hangul", "ga no!", "\uAC00\uB178"},
        Case{"HangulLoneVowel", kJamo, "hangul", "a", "\u1161"},
        Case{"PinyinTwoSyllables", {}, "pinyin", "ni3 hao3", "ni\u030C ha\u030Co"},
        Case{"PinyinAllTones",
             {},
             "pinyin",
             "ma1ma2ma3ma4ma5",
             "ma\u0304ma\u0301ma\u030Cma\u0300ma"},
        Case{"PinyinUmlaut",
             {},
             "pinyin",
             "l\xC3\xBC"
             "4",
             "l\u00FC\u0300"},
        Case{"PinyinEarlierVowelOfPair", {}, "pinyin", "xiao3", "xia\u030Co"},
        Case{"PinyinMarkOnAOrE", {}, "pinyin", "xue2 mei2", "xue\u0301 me\u0301i"},
        Case{"PinyinMarkOnOOfOu", {}, "pinyin", "dou1", "do\u0304u"},
        Case{"PinyinMarkOnLastVowelOtherwise", {}, "pinyin", "gui4 guo2 jiu3",
             "gui\u0300 guo\u0301 jiu\u030C"},
        Case{"PinyinNoVowel", {}, "pinyin", "m2", "m"},
        Case{"PinyinTrailingLettersKept", {}, "pinyin", "zai4jian", "za\u0300ijian"},
        Case{"PinyinUntonedSyllableKeepsOrder", {}, "pinyin", "ni hao3", "ni ha\u030Co"},
        Case{"PinyinCapitalOutsideSyllable", {}, "pinyin", "Zhong1", "Zho\u0304ng"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(TransliteratorTest, UnmatchedBecomesQuestionMarkWhenNotKept) {
  TTransliterator t(kDevanagari, "");
  t.SetKeepUnmatched(false);
  EXPECT_EQ(t.Transliterate("kx"), "\u0915?");
}

TEST(TransliteratorTest, LoadKeepsFieldsOfEachEntry) {
  TTransliterator t;
  t.Load({"a\t\\u0041\t1", "no tab", "b\t\\u0042", "c\t\\u0043\t0\textra"}, "pinyin");
  EXPECT_EQ(t.Processor(), "pinyin");
  EXPECT_EQ(t.Lines().size(), 4u);
  EXPECT_THAT(t.Sources(), ::testing::ElementsAre("a", "b", "c"));
  EXPECT_THAT(t.Values(), ::testing::ElementsAre("\\u0041", "\\u0042", "\\u0043"));
  EXPECT_THAT(t.PublishedFlags(), ::testing::ElementsAre("1", "", "0"));
  t.Load({}, "");
  EXPECT_TRUE(t.Sources().empty());
  EXPECT_EQ(t.Transliterate("abc"), "abc");
}

TEST(TransliteratorTest, TableThatPutsMarkersBackForeverFails) {
  // "e" leaves a marker that "{" eats only in part, so the text grows with every step.
  const TTransliterator t({"e{ee}\tX\t0", "{\tY\t0"}, "");
  EXPECT_THAT([&] { (void)t.Transliterate("e"); },
              ThrowsMessage<Error>(StrEq("Transliteration of \"e\" does not end")));
}

TEST(TransliteratorTest, ValuesWithAndWithoutEscapesAgree) {
  EXPECT_EQ(ImeValueText("0915 093E"), "\\u0915\\u093E");
  EXPECT_EQ(ImeValueText("\\u0915 \\u093E"), "\\u0915\\u093E");
  EXPECT_EQ(ImeValueText("09150"), "\\u0915\\u0");
  EXPECT_EQ(DecodeImeValue(ImeValueText("0915 093E")), DecodeImeValue("\\u0915\\u093E"));
  EXPECT_EQ(DecodeImeValue("\\uD83D\\uDE00"), "\U0001F600");
}

struct NativeCase {
  const char* name;
  const char* alternative;
  const char* imeTransducer;
  const char* expected;
};

void PrintTo(const NativeCase& c, std::ostream* os) { *os << c.name; }

class RenderNativeTest : public ::testing::TestWithParam<NativeCase> {};

TEST_P(RenderNativeTest, Output) {
  const NativeCase& c = GetParam();
  const TTransliterator native(kDevanagari, "");
  EXPECT_EQ(RenderNative(c.alternative, c.imeTransducer, native), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderNativeTest,
    ::testing::Values(NativeCase{"WithoutBackslashDirect", "ka", "(x:k)a", "\u0915\u093E"},
                      NativeCase{"BackslashThroughTransducer", "\\xa", "(x:k)a", "\u0915\u093E"},
                      NativeCase{"TransducerWithoutMatch", "\\ya", "(x:k)a", ""},
                      NativeCase{"NoTransducer", "\\ka", "", ""}),
    [](const ::testing::TestParamInfo<NativeCase>& info) { return std::string(info.param.name); });

TEST(RenderNativeTest, TransducerOutOfStepsFails) {
  const TTransliterator native;
  const std::string word(40, 'a');
  EXPECT_THAT([&] { (void)RenderNative("\\" + word, "********b", native); },
              ThrowsMessage<Error>(
                  StrEq("imetransducer \"********b\" ran out of steps on \"" + word + "\"")));
}

}  // namespace
}  // namespace flexel
